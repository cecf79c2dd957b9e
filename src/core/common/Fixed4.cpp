#include "Fixed4.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

namespace bw {

Fixed4 Fixed4::fromDouble(double v) { return Fixed4{roundEven(v * kScale)}; }

Int128 divRoundEvenWide(Int128 n, Int128 d) {
    if (d < 0) {
        n = -n;
        d = -d;
    }
    Int128 q = n / d;
    Int128 r = n % d;  // same sign as n
    if (r < 0) { r = -r; }
    Int128 twice = 2 * r;
    if (twice > d || (twice == d && (q % 2 != 0))) { q += (n < 0) ? -1 : 1; }
    return q;
}

Int128 divRoundHalfAway(Int128 n, Int128 d) {
    if (d < 0) {
        n = -n;
        d = -d;
    }
    Int128 q = n / d;
    Int128 r = n % d;
    if (r < 0) { r = -r; }
    if (2 * r >= d) { q += (n < 0) ? -1 : 1; }
    return q;
}

Int128 divCeil(Int128 n, Int128 d) {
    Int128 q = n / d;
    if (n % d != 0 && n > 0) { ++q; }
    return q;
}

std::int64_t sqrtRoundWide(unsigned __int128 n) {
    if (n == 0) { return 0; }
    auto r = static_cast<unsigned __int128>(std::sqrt(static_cast<long double>(n)));
    while (r * r > n) { --r; }
    while ((r + 1) * (r + 1) <= n) { ++r; }
    // round up when n > r^2 + r, i.e. sqrt(n) > r + 0.5
    if (n - r * r > r) { ++r; }
    return static_cast<std::int64_t>(r);
}

std::int64_t roundEven(double v) { return static_cast<std::int64_t>(std::nearbyint(v)); }

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

namespace {

// The digits after the sign; Units is wide enough for every value it is used for.
template <typename Units>
std::optional<Fixed4> parseUnsignedDecimal(std::string_view text, char decimalSeparator, bool negative) {
    // Beyond this the conversion overflows, like the currency type it imitates.
    constexpr Units kLimit = Units(922337203685477) * Fixed4::kScale;
    Units units = 0;
    int digits = 0;
    std::size_t i = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i, ++digits) {
        units = units * 10 + (text[i] - '0');
        if (units > kLimit) { return std::nullopt; }
    }
    units *= Fixed4::kScale;
    if (i < text.size() && text[i] == decimalSeparator) {
        ++i;
        int fifth = 0;        // the first dropped decimal
        bool sticky = false;  // any non-zero digit after it
        for (int place = 0; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i, ++digits, ++place) {
            int digit = text[i] - '0';
            if (place < 4) {
                static constexpr Units kWeights[4] = {1000, 100, 10, 1};
                units += digit * kWeights[place];
            } else if (place == 4) {
                fifth = digit;
            } else if (digit != 0) {
                sticky = true;
            }
        }
        if (fifth > 5 || (fifth == 5 && (sticky || units % 2 != 0))) { ++units; }
    }
    if (digits == 0 || i != text.size() || units > kLimit) { return std::nullopt; }
    return Fixed4{static_cast<std::int64_t>(negative ? -units : units)};
}

}  // namespace

std::optional<Fixed4> parseDecimal(std::string_view text, char decimalSeparator) {
    while (!text.empty() && isBlank(text.front())) { text.remove_prefix(1); }
    while (!text.empty() && isBlank(text.back())) { text.remove_suffix(1); }
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    // With up to 14 whole digits every step stays far inside 64 bits (and below
    // the limit), which is nearly every number read and far cheaper than 128.
    std::size_t whole = 0;
    while (whole < text.size() && text[whole] >= '0' && text[whole] <= '9') { ++whole; }
    if (whole <= 14) { return parseUnsignedDecimal<std::int64_t>(text, decimalSeparator, negative); }
    return parseUnsignedDecimal<Int128>(text, decimalSeparator, negative);
}

std::optional<std::int64_t> parseInteger(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) { text.remove_prefix(1); }
    while (!text.empty() && isBlank(text.back())) { text.remove_suffix(1); }
    if (!text.empty() && text.front() == '+') { text.remove_prefix(1); }
    if (text.empty() || text.front() == '+') { return std::nullopt; }
    std::int64_t value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size()) { return std::nullopt; }
    return value;
}

namespace {

int digitCount(std::uint64_t v) {
    int count = 1;
    while (v >= 10000) {
        v /= 10000;
        count += 4;
    }
    if (v >= 1000) { return count + 3; }
    if (v >= 100) { return count + 2; }
    if (v >= 10) { return count + 1; }
    return count;
}

constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// Writes v's last `count` digits so that the last one lands just before `end`, two at a time.
void writeDigitsBackwards(char* end, std::uint64_t v, int count) {
    for (; count >= 2; count -= 2) {
        const char* pair = kDigitPairs + 2 * (v % 100);
        *--end = pair[1];
        *--end = pair[0];
        v /= 100;
    }
    if (count == 1) { *--end = static_cast<char>('0' + v % 10); }
}

}  // namespace

char* writeInteger(char* out, std::int64_t value) {
    std::uint64_t magnitude = value < 0 ? ~static_cast<std::uint64_t>(value) + 1 : static_cast<std::uint64_t>(value);
    if (value < 0) { *out++ = '-'; }
    int count = digitCount(magnitude);
    writeDigitsBackwards(out + count, magnitude, count);
    return out + count;
}

void appendInteger(std::string& out, std::int64_t value) {
    char buffer[kMaxNumberBytes];
    out.append(buffer, writeInteger(buffer, value));
}

namespace {

char* writeFixedWith(char* out, Fixed4 value, int decimals, char separator) {
    if (decimals < 0) { decimals = 0; }
    std::int64_t scaled = value.raw;
    int kept = decimals < 4 ? decimals : 4;
    if (decimals < 4) {
        static constexpr std::int64_t kDivisors[4] = {10000, 1000, 100, 10};
        scaled = static_cast<std::int64_t>(divRoundHalfAway(scaled, kDivisors[decimals]));
    }
    bool negative = scaled < 0;
    // magnitude as unsigned, safe for INT64_MIN
    std::uint64_t magnitude = negative ? ~static_cast<std::uint64_t>(scaled) + 1 : static_cast<std::uint64_t>(scaled);
    if (negative) { *out++ = '-'; }  // a value rounded to zero is not negative any more
    static constexpr std::uint64_t kPowers[5] = {1, 10, 100, 1000, 10000};
    // Four decimals is the usual case; a constant divisor spares a hardware division.
    std::uint64_t whole = kept == 4 ? magnitude / 10000 : magnitude / kPowers[kept];
    std::uint64_t fraction = kept == 4 ? magnitude % 10000 : magnitude % kPowers[kept];
    int wholeDigits = digitCount(whole);
    writeDigitsBackwards(out + wholeDigits, whole, wholeDigits);
    out += wholeDigits;
    if (decimals > 0) {
        *out++ = separator;
        writeDigitsBackwards(out + kept, fraction, kept);
        out += kept;
    }
    int padding = std::min(decimals, 4 + 20) - 4;
    for (int k = 0; k < padding; ++k) { *out++ = '0'; }
    return out;
}

void appendFixedWith(std::string& out, Fixed4 value, int decimals, char separator) {
    std::string padding;
    if (decimals > 24) {  // longer than the writer's buffer allows: pad separately
        padding.assign(static_cast<std::size_t>(decimals - 24), '0');
        decimals = 24;
    }
    char buffer[kMaxNumberBytes];
    out.append(buffer, writeFixedWith(buffer, value, decimals, separator));
    out += padding;
}

}  // namespace

void appendFixed(std::string& out, Fixed4 value, int decimals) { appendFixedWith(out, value, decimals, '.'); }

char* writeFixed(char* out, Fixed4 value, int decimals) { return writeFixedWith(out, value, decimals, '.'); }

std::string formatFixed(Fixed4 value, int decimals, char decimalSeparator) {
    std::string out;
    appendFixedWith(out, value, decimals, decimalSeparator);
    return out;
}

std::string formatShortest(Fixed4 value, char decimalSeparator) {
    std::string text = formatFixed(value, 4, decimalSeparator);
    while (text.back() == '0') { text.pop_back(); }
    if (text.back() == decimalSeparator) { text.pop_back(); }
    return text;
}

}  // namespace bw
