#pragma once
// One straight piece of the machine's path, as the simulator hands it on. Arcs
// arrive as the chords the controller cuts them into.

namespace bw {

struct ToolpathPoint {
    double x = 0, y = 0, z = 0;  // mm, machine position
};

struct ToolpathSegment {
    ToolpathPoint from, to;
    bool burning = false;       // the laser burns along it
    double power = 0;           // S value while burning, else 0
    bool dynamicPower = false;  // M4: the controller scales the power with the speed
};

// Extent of a set of points in the XY plane.
struct PathBounds {
    double minX = 0, minY = 0, maxX = 0, maxY = 0;
    bool empty = true;

    void add(double x, double y) {
        if (empty) {
            minX = maxX = x;
            minY = maxY = y;
            empty = false;
            return;
        }
        if (x < minX) { minX = x; }
        if (x > maxX) { maxX = x; }
        if (y < minY) { minY = y; }
        if (y > maxY) { maxY = y; }
    }
    void add(const ToolpathSegment& segment) {
        add(segment.from.x, segment.from.y);
        add(segment.to.x, segment.to.y);
    }
};

}  // namespace bw
