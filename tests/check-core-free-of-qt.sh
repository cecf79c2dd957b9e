#!/bin/sh
# The engine must stay free of Qt: the window and the command line share it.
if grep -rn -E '#include *<Q' "$1"; then
    echo "src/core includes Qt headers" >&2
    exit 1
fi
