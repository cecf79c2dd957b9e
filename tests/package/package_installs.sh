#!/usr/bin/env bash
# Builds the Debian package, unpacks it into an empty root and runs it from there:
# beamwright-cli --version and a job on an installed example, the desktop metadata,
# and the window (offscreen) finding its installed examples and keeping its
# settings under XDG_CONFIG_HOME because its own folder cannot be written.
# Usage: package_installs.sh BUILD_DIR VERSION
set -euo pipefail
build=$1
version=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
chmod 755 "$work"
fail() { echo "FAIL: $*" >&2; exit 1; }

(cd "$build" && cpack -G DEB -B "$work/package" >"$work/cpack.log" 2>&1) || { cat "$work/cpack.log"; fail "cpack"; }
deb=$(ls "$work"/package/beamwright_*.deb)
depends=$(dpkg-deb -f "$deb" Depends)
for library in libqt6widgets6 libc6 qt6-qpa-plugins; do
  grep -q "$library" <<<"$depends" || fail "Depends lacks $library: $depends"
done

root=$work/root
dpkg -x "$deb" "$root"
app_id=org.beamwright.Beamwright
for file in usr/bin/beamwright usr/bin/beamwright-cli usr/share/man/man1/beamwright-cli.1 \
            usr/share/beamwright/examples/ExampleDXF.dxf usr/share/beamwright/examples/ExampleBMP.jpg \
            usr/share/beamwright/examples/ExamplePCB.bmp usr/share/applications/$app_id.desktop \
            usr/share/metainfo/$app_id.metainfo.xml usr/share/icons/hicolor/scalable/apps/$app_id.svg \
            usr/share/icons/hicolor/48x48/apps/$app_id.png usr/share/doc/beamwright/LICENSE; do
  [ -f "$root/$file" ] || fail "the package lacks /$file"
done

[ "$("$root/usr/bin/beamwright-cli" --version)" = "beamwright-cli $version" ] || fail "beamwright-cli --version"
"$root/usr/bin/beamwright-cli" dxf "$root/usr/share/beamwright/examples/ExampleDXF.dxf" -o "$work/example.gcode"
[ -s "$work/example.gcode" ] || fail "no program from the installed example drawing"
appstreamcli validate --no-net "$root/usr/share/metainfo/$app_id.metainfo.xml" >"$work/appstream.log" ||
  { cat "$work/appstream.log"; fail "appstreamcli validate"; }
if command -v desktop-file-validate >/dev/null; then desktop-file-validate "$root/usr/share/applications/$app_id.desktop"; fi
warnings=$(groff -man -ww -z "$root/usr/share/man/man1/beamwright-cli.1" 2>&1)
[ -z "$warnings" ] || fail "man page: $warnings"
# Every command of the program is described in its man page.
for command in $("$root/usr/bin/beamwright-cli" --help | sed -n '/^Subcommands:/,$s/^  \([a-z-]*\) .*/\1/p'); do
  grep -q "^\.B[IR]* ${command//-/\\\\-}" "$root/usr/share/man/man1/beamwright-cli.1" || fail "man page lacks $command"
done

# The window, as a user who cannot write the program's folder (root: run as nobody).
home=$work/home
mkdir -p "$home"
as_user=()
if [ "$(id -u)" -eq 0 ]; then
  chown nobody:nogroup "$home"
  as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
else
  chmod a-w "$root/usr/bin"
fi
"${as_user[@]}" env -i PATH=/usr/bin:/bin HOME="$home" XDG_CONFIG_HOME="$home/config" QT_QPA_PLATFORM=offscreen \
  QT_LOGGING_RULES="beamwright.examples.debug=true" "$root/usr/bin/beamwright" >"$work/window.log" 2>&1 &
window=$!
for _ in $(seq 300); do  # up to a minute on a busy machine
  grep -q "examples" "$work/window.log" && break
  sleep 0.2
done
sleep 1
kill -TERM "$window"
wait "$window" || { cat "$work/window.log"; fail "the window did not end cleanly on SIGTERM"; }
grep -q "installed examples: $root/usr/share/beamwright/examples$" "$work/window.log" ||
  { cat "$work/window.log"; fail "the window did not take the installed examples"; }
[ -f "$home/config/beamwright/Settings/Last.ini" ] || { cat "$work/window.log"; fail "no Last.ini under XDG_CONFIG_HOME"; }
[ ! -e "$root/usr/bin/Settings" ] || fail "settings written beside the installed program"
echo "package ok: $(basename "$deb")"
