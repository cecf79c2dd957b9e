// Judges the full DXF reading against reference flattenings written by an
// independent library (ezdxf_differential.py): for every "<name>.dxf" in the
// folder with a "<name>.ref", every reference point must lie within the
// tolerance of the geometry read, and every point of that geometry within the
// tolerance of the reference. Prints one line per failing drawing; exit 1 then.

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <unordered_map>
#include <vector>

#include "dxf/DxfFullReader.h"
#include "dxf/DxfNurbs.h"

using namespace bw;

namespace {

struct P {
    double x, y;
};
using Polyline = std::vector<P>;

constexpr double kTolerance = 0.02;
constexpr double kSample = 0.005;  // sampling of our exact curves (sagitta far below the tolerance)

Polyline arcPoints(double cx, double cy, double r, double a0, double a1) {
    Polyline out;
    double sweep = a1 - a0;
    int n = std::max(
        2, static_cast<int>(std::ceil(sweep / (2 * std::acos(std::max(-1.0, 1 - kSample / std::max(r, kSample)))))));
    for (int i = 0; i <= n; ++i) {
        double a = a0 + sweep * i / n;
        out.push_back({cx + r * std::cos(a), cy + r * std::sin(a)});
    }
    return out;
}

std::vector<Polyline> ourGeometry(const std::vector<TItem>& items) {
    std::vector<Polyline> out;
    const double toRadians = 0.01745329 / 10000.0;
    for (const TItem& item : items) {
        switch (item.kind) {
            case DxfKind::Line:
                out.push_back({{item.x1.toDouble(), item.y1.toDouble()}, {item.x2.toDouble(), item.y2.toDouble()}});
                break;
            case DxfKind::Circle:
                out.push_back(arcPoints(item.x.toDouble(), item.y.toDouble(), item.radius.toDouble(), 0, 2 * M_PI));
                break;
            case DxfKind::Arc: {
                double a0 = static_cast<double>(item.startAngle.raw) * toRadians;
                double a1 = static_cast<double>(item.endAngle.raw) * toRadians;
                while (a1 < a0) { a1 += 2 * M_PI; }
                out.push_back(arcPoints(item.x.toDouble(), item.y.toDouble(), item.radius.toDouble(), a0, a1));
                break;
            }
            default: {
                // The curve the item defines, evaluated exactly; how finely the
                // generator traces it is the curve accuracy's business.
                DxfNurbs curve;
                curve.degree = static_cast<int>(item.knots.size() - item.controlPoints.size() - 1);
                for (Fixed4 k : item.knots) { curve.knots.push_back(k.toDouble()); }
                for (TPoint p : item.controlPoints) { curve.points.push_back({p.x.toDouble(), p.y.toDouble()}); }
                curve.weights.assign(curve.points.size(), 1.0);
                Polyline points;
                const int n = 400 * static_cast<int>(curve.points.size());
                double first = curve.knots[static_cast<std::size_t>(curve.degree)];
                double last = curve.knots[curve.points.size()];
                for (int j = 0; j <= n; ++j) {
                    DxfPoint2 p = NurbsPoint(curve, first + (last - first) * j / n);
                    points.push_back({p.x, p.y});
                }
                out.push_back(points);
            }
        }
    }
    return out;
}

// Segments bucketed on a grid so that a point finds its near segments quickly.
class SegmentGrid {
public:
    explicit SegmentGrid(const std::vector<Polyline>& lines) : lines_(lines) {
        for (std::size_t l = 0; l < lines.size(); ++l) {
            for (std::size_t s = 0; s + 1 < lines[l].size(); ++s) {
                P a = lines[l][s], b = lines[l][s + 1];
                double length = std::hypot(b.x - a.x, b.y - a.y);
                int steps = static_cast<int>(length / (kCell / 2)) + 1;
                for (int k = 0; k <= steps; ++k) {
                    double t = static_cast<double>(k) / steps;
                    long cx = cell(a.x + (b.x - a.x) * t), cy = cell(a.y + (b.y - a.y) * t);
                    for (long dx = -1; dx <= 1; ++dx) {
                        for (long dy = -1; dy <= 1; ++dy) {
                            auto& bucket = cells_[key(cx + dx, cy + dy)];
                            if (bucket.empty() || bucket.back() != std::pair{l, s}) { bucket.emplace_back(l, s); }
                        }
                    }
                }
            }
            if (lines[l].size() == 1) { points_.push_back(lines[l][0]); }
        }
    }

    double distance(P p) const {
        double best = 1e300;
        auto found = cells_.find(key(cell(p.x), cell(p.y)));
        if (found != cells_.end()) {
            for (auto [l, s] : found->second) {
                best = std::min(best, segmentDistance(p, lines_[l][s], lines_[l][s + 1]));
            }
        }
        for (P q : points_) { best = std::min(best, std::hypot(p.x - q.x, p.y - q.y)); }
        return best;
    }

private:
    static constexpr double kCell = 0.5;
    static long cell(double v) { return static_cast<long>(std::floor(v / kCell)); }
    static long long key(long x, long y) {
        return (static_cast<long long>(x) << 32) ^ (static_cast<long long>(y) & 0xffffffffLL);
    }
    static double segmentDistance(P p, P a, P b) {
        double dx = b.x - a.x, dy = b.y - a.y;
        double len2 = dx * dx + dy * dy;
        double t = len2 == 0 ? 0 : std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / len2, 0.0, 1.0);
        return std::hypot(p.x - a.x - t * dx, p.y - a.y - t * dy);
    }

    const std::vector<Polyline>& lines_;
    std::unordered_map<long long, std::vector<std::pair<std::size_t, std::size_t>>> cells_;
    std::vector<P> points_;
};

// The largest distance from the points of `from` (vertices, and every 0.1 mm along) to `to`.
double farthest(const std::vector<Polyline>& from, const SegmentGrid& to, P& where) {
    double worst = 0;
    auto check = [&](P p) {
        double d = to.distance(p);
        if (d > worst) {
            worst = d;
            where = p;
        }
    };
    for (const Polyline& line : from) {
        for (std::size_t i = 0; i < line.size(); ++i) {
            check(line[i]);
            if (i + 1 == line.size()) { continue; }
            P a = line[i], b = line[i + 1];
            int steps = static_cast<int>(std::hypot(b.x - a.x, b.y - a.y) / 0.1);
            for (int k = 1; k < steps; ++k) {
                double t = static_cast<double>(k) / steps;
                check({a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t});
            }
        }
    }
    return worst;
}

std::vector<Polyline> readReference(const std::filesystem::path& path) {
    std::ifstream in(path);
    std::vector<Polyline> lines;
    std::string text;
    while (std::getline(in, text)) {
        if (text == "P") {
            lines.emplace_back();
            continue;
        }
        std::istringstream fields(text);
        fields.imbue(std::locale::classic());
        P p{};
        if (fields >> p.x >> p.y && !lines.empty()) { lines.back().push_back(p); }
    }
    return lines;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: dxf_differential FOLDER\n";
        return 2;
    }
    int drawings = 0;
    int failures = 0;
    double worstSeen = 0;
    for (const auto& entry : std::filesystem::directory_iterator(argv[1])) {
        if (entry.path().extension() != ".dxf") { continue; }
        std::filesystem::path reference = entry.path();
        reference.replace_extension(".ref");
        if (!std::filesystem::exists(reference)) { continue; }
        ++drawings;
        std::ifstream in(entry.path(), std::ios::binary);
        std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        std::vector<TItem> items;
        auto read = ReadDxfDrawing(text, kDxfChordError, items);
        if (!read) {
            std::cout << entry.path().filename().string() << ": " << read.error() << '\n';
            ++failures;
            continue;
        }
        std::vector<Polyline> ours = ourGeometry(items);
        std::vector<Polyline> theirs = readReference(reference);
        SegmentGrid ourGrid(ours), theirGrid(theirs);
        P whereTheirs{}, whereOurs{};
        double theirsToOurs = farthest(theirs, ourGrid, whereTheirs);
        double oursToTheirs = farthest(ours, theirGrid, whereOurs);
        worstSeen = std::max({worstSeen, theirsToOurs, oursToTheirs});
        if (theirsToOurs > kTolerance || oursToTheirs > kTolerance) {
            ++failures;
            std::cout << entry.path().filename().string() << ": reference point (" << whereTheirs.x << ", "
                      << whereTheirs.y << ") " << theirsToOurs << " mm from ours; our point (" << whereOurs.x << ", "
                      << whereOurs.y << ") " << oursToTheirs << " mm from the reference\n";
        }
    }
    std::cout << drawings << " drawings, " << failures << " failing, largest distance " << worstSeen << " mm\n";
    return (failures == 0 && drawings > 0) ? 0 : 1;
}
