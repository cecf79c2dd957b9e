#pragma once
// Affine maps of 3D drawing space, as block insertion and entity coordinate
// systems need them; the cut is the projection on the XY plane.

#include <array>

namespace bw {

struct DxfVector {
    double x = 0, y = 0, z = 0;
};

class DxfTransform {
public:
    static DxfTransform identity() { return DxfTransform{}; }
    static DxfTransform scale(double sx, double sy, double sz);
    static DxfTransform translate(double dx, double dy, double dz);
    // Rotation about Z by `radians`.
    static DxfTransform rotateZ(double radians);
    // The entity coordinate system of extrusion (normal) `n`, by the format's
    // arbitrary-axis rule: X axis = (Wy or Wz) x N, Y axis = N x X axis.
    static DxfTransform ocs(DxfVector n);

    // this after `inner`: first `inner`, then this.
    DxfTransform then(const DxfTransform& outer) const { return outer.after(*this); }
    DxfTransform after(const DxfTransform& inner) const;

    DxfVector point(DxfVector p) const;
    DxfVector direction(DxfVector v) const;  // linear part only
    bool isIdentity() const { return identity_; }

private:
    std::array<std::array<double, 4>, 3> m_{{{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}}};
    bool identity_ = true;
};

// Whether a normal is the default one, (0, 0, 1) or any positive multiple.
bool IsDefaultExtrusion(DxfVector n);

}  // namespace bw
