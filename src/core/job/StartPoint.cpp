#include "job/StartPoint.h"

namespace bw {

bool isValidStartPoint(int startPoint) { return startPoint >= 1 && startPoint <= 9; }

OriginOffset originOffsetFor(int startPoint, Fixed4 width, Fixed4 height, OriginOffset current) {
    if (!isValidStartPoint(startPoint)) { return current; }
    int column = (startPoint - 1) % 3;  // 0 left, 1 middle, 2 right
    int row = (startPoint - 1) / 3;     // 0 top, 1 middle, 2 bottom
    auto half = [](Fixed4 v) { return Fixed4::fromRaw(static_cast<std::int64_t>(divRoundEven(-Int128(v.raw), 2))); };
    OriginOffset offset;
    offset.x = column == 0 ? Fixed4{} : column == 1 ? half(width) : -width;
    offset.y = row == 2 ? Fixed4{} : row == 1 ? half(height) : -height;
    return offset;
}

}  // namespace bw
