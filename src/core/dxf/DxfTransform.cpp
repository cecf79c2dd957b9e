#include "dxf/DxfTransform.h"

#include <cmath>

namespace bw {

namespace {

DxfVector cross(DxfVector a, DxfVector b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

DxfVector unit(DxfVector v) {
    double length = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
    if (length == 0) { return {0, 0, 1}; }
    return {v.x / length, v.y / length, v.z / length};
}

}  // namespace

bool IsDefaultExtrusion(DxfVector n) { return n.x == 0 && n.y == 0 && n.z > 0; }

DxfTransform DxfTransform::scale(double sx, double sy, double sz) {
    DxfTransform t;
    t.m_ = {{{sx, 0, 0, 0}, {0, sy, 0, 0}, {0, 0, sz, 0}}};
    t.identity_ = sx == 1 && sy == 1 && sz == 1;
    return t;
}

DxfTransform DxfTransform::translate(double dx, double dy, double dz) {
    DxfTransform t;
    t.m_ = {{{1, 0, 0, dx}, {0, 1, 0, dy}, {0, 0, 1, dz}}};
    t.identity_ = dx == 0 && dy == 0 && dz == 0;
    return t;
}

DxfTransform DxfTransform::rotateZ(double radians) {
    DxfTransform t;
    if (radians == 0) { return t; }
    double c = std::cos(radians);
    double s = std::sin(radians);
    t.m_ = {{{c, -s, 0, 0}, {s, c, 0, 0}, {0, 0, 1, 0}}};
    t.identity_ = false;
    return t;
}

DxfTransform DxfTransform::ocs(DxfVector n) {
    if (IsDefaultExtrusion(n)) { return DxfTransform{}; }
    n = unit(n);
    constexpr double kNearZ = 1.0 / 64.0;
    DxfVector ax = (std::abs(n.x) < kNearZ && std::abs(n.y) < kNearZ) ? cross({0, 1, 0}, n) : cross({0, 0, 1}, n);
    ax = unit(ax);
    DxfVector ay = unit(cross(n, ax));
    DxfTransform t;
    t.m_ = {{{ax.x, ay.x, n.x, 0}, {ax.y, ay.y, n.y, 0}, {ax.z, ay.z, n.z, 0}}};
    t.identity_ = false;
    return t;
}

DxfTransform DxfTransform::after(const DxfTransform& inner) const {
    if (inner.identity_) { return *this; }
    if (identity_) { return inner; }
    DxfTransform t;
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 4; ++c) {
            double sum = c == 3 ? m_[r][3] : 0.0;
            for (int k = 0; k < 3; ++k) { sum += m_[r][k] * inner.m_[k][c]; }
            t.m_[r][c] = sum;
        }
    }
    t.identity_ = false;
    return t;
}

DxfVector DxfTransform::point(DxfVector p) const {
    if (identity_) { return p; }
    return {m_[0][0] * p.x + m_[0][1] * p.y + m_[0][2] * p.z + m_[0][3],
            m_[1][0] * p.x + m_[1][1] * p.y + m_[1][2] * p.z + m_[1][3],
            m_[2][0] * p.x + m_[2][1] * p.y + m_[2][2] * p.z + m_[2][3]};
}

DxfVector DxfTransform::direction(DxfVector v) const {
    if (identity_) { return v; }
    return {m_[0][0] * v.x + m_[0][1] * v.y + m_[0][2] * v.z, m_[1][0] * v.x + m_[1][1] * v.y + m_[1][2] * v.z,
            m_[2][0] * v.x + m_[2][1] * v.y + m_[2][2] * v.z};
}

}  // namespace bw
