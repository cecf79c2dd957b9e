#pragma once
// Fixed-point numbers: value x 10000 in a signed 64-bit integer. Lengths in mm,
// angles in degrees (a full turn is 3 600 000) and PWM values all use it, so
// that every G-code number comes from an integer and never from locale-dependent
// floating-point formatting.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace bw {

using Int128 = __int128;

struct Fixed4 {
    static constexpr std::int64_t kScale = 10000;
    std::int64_t raw = 0;  // value x 10000

    static constexpr Fixed4 fromRaw(std::int64_t r) { return Fixed4{r}; }
    static constexpr Fixed4 fromInt(std::int64_t v) { return Fixed4{v * kScale}; }
    // Nearest unit, halves to the even neighbour.
    static Fixed4 fromDouble(double v);
    double toDouble() const { return static_cast<double>(raw) / kScale; }

    friend constexpr bool operator==(Fixed4, Fixed4) = default;
    friend constexpr auto operator<=>(Fixed4, Fixed4) = default;
    friend constexpr Fixed4 operator+(Fixed4 a, Fixed4 b) { return Fixed4{a.raw + b.raw}; }
    friend constexpr Fixed4 operator-(Fixed4 a, Fixed4 b) { return Fixed4{a.raw - b.raw}; }
    friend constexpr Fixed4 operator-(Fixed4 a) { return Fixed4{-a.raw}; }
    Fixed4& operator+=(Fixed4 b) {
        raw += b.raw;
        return *this;
    }
    Fixed4& operator-=(Fixed4 b) {
        raw -= b.raw;
        return *this;
    }
};

// Exact quotient n / d rounded to the nearest integer, halves to even. d != 0.
Int128 divRoundEvenWide(Int128 n, Int128 d);
inline Int128 divRoundEven(Int128 n, Int128 d) {
    // 128-bit division is a library call; most quotients fit in 64 bits.
    constexpr Int128 kMax = INT64_MAX;
    if (n > kMax || n < -kMax || d > kMax || d < -kMax) { return divRoundEvenWide(n, d); }
    auto n64 = static_cast<std::int64_t>(n);
    auto d64 = static_cast<std::int64_t>(d);
    if (d64 < 0) {
        n64 = -n64;
        d64 = -d64;
    }
    std::int64_t q = n64 / d64;
    std::int64_t r = n64 % d64;
    if (r < 0) { r = -r; }
    std::int64_t rest = d64 - r;  // compares 2r with d without overflow
    if (r > rest || (r == rest && (q % 2 != 0))) { q += (n64 < 0) ? -1 : 1; }
    return q;
}
// Exact quotient n / d rounded to the nearest integer, halves away from zero. d != 0.
Int128 divRoundHalfAway(Int128 n, Int128 d);
// Ceiling of n / d for d > 0.
Int128 divCeil(Int128 n, Int128 d);
// round(sqrt(n)) for n >= 0 (an integer root is never exactly halfway).
std::int64_t sqrtRoundWide(unsigned __int128 n);
inline std::int64_t sqrtRound(unsigned __int128 n) {
    if (n >= (static_cast<unsigned __int128>(1) << 62)) { return sqrtRoundWide(n); }
    auto small = static_cast<std::uint64_t>(n);
    auto r = static_cast<std::uint64_t>(__builtin_sqrt(static_cast<double>(small)));
    while (r * r > small) { --r; }
    while ((r + 1) * (r + 1) <= small) { ++r; }
    if (small - r * r > r) { ++r; }  // sqrt(n) > r + 0.5
    return static_cast<std::int64_t>(r);
}
// Round a double to the nearest integer, halves to even.
std::int64_t roundEven(double v);

// Window-style number text, as the platform's text-to-currency conversion reads
// it: optional sign, digits, optional decimal separator and digits ("10." and
// ".5" are numbers), surrounding blanks ignored, rounded to four decimals with
// halves to even. Anything else (empty, "1,2,3", a wrong separator) is nullopt.
std::optional<Fixed4> parseDecimal(std::string_view text, char decimalSeparator);

// Whole numbers of window fields ("1500"): optional sign and digits only.
std::optional<std::int64_t> parseInteger(std::string_view text);

// Fixed decimals, always with a point. Fewer than four decimals round halves
// away from zero, a value that rounds to zero never carries a minus sign, more
// than four decimals pad with zeros.
std::string formatFixed(Fixed4 value, int decimals, char decimalSeparator = '.');
// Shortest form: no trailing zeros, no separator for whole numbers ("120,5", "80").
std::string formatShortest(Fixed4 value, char decimalSeparator);
// The hot path of the emitter: write the fixed-decimals form (or a whole number)
// at `out`, which must have room for kMaxNumberBytes, and return the end.
inline constexpr std::size_t kMaxNumberBytes = 48;  // sign, 19 digits, point, up to 20 decimals
char* writeFixed(char* out, Fixed4 value, int decimals);
char* writeInteger(char* out, std::int64_t value);
void appendFixed(std::string& out, Fixed4 value, int decimals);
void appendInteger(std::string& out, std::int64_t value);

}  // namespace bw
