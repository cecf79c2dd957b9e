#include <gtest/gtest.h>

#include "common/Fixed4.h"

using namespace bw;

namespace {
std::int64_t raw(std::string_view text, char separator = ',') {
    auto value = parseDecimal(text, separator);
    return value ? value->raw : INT64_MIN;
}
}  // namespace

TEST(Fixed4, ReadsWindowTextInEitherNotation) {
    EXPECT_EQ(raw("1,5"), 15000);
    EXPECT_EQ(raw("1.5", '.'), 15000);
    EXPECT_EQ(raw("-0,5"), -5000);
    EXPECT_EQ(raw("10,"), 100000);
    EXPECT_EQ(raw(",5"), 5000);
    EXPECT_EQ(raw(" 7 "), 70000);
    EXPECT_EQ(raw("0,123456"), 1235);
    // The fifth decimal rounds half to even.
    EXPECT_EQ(raw("0,00005"), 0);
    EXPECT_EQ(raw("0,00015"), 2);
    EXPECT_EQ(raw("0,000050001"), 1);
    EXPECT_EQ(raw("-0,00015"), -2);
}

TEST(Fixed4, RefusesWhatIsNotANumber) {
    for (std::string_view bad : {"", ",", "-", "1,2,3", "1.5", "abc", "1 2", "--1", "12x", "1e5"}) {
        EXPECT_FALSE(parseDecimal(bad, ',')) << bad;
    }
    EXPECT_FALSE(parseDecimal("99999999999999999999", ','));
    EXPECT_FALSE(parseInteger("12,5"));
    EXPECT_FALSE(parseInteger(""));
    EXPECT_EQ(parseInteger("1500").value(), 1500);
}

TEST(Fixed4, FormatsWithFixedDecimals) {
    EXPECT_EQ(formatFixed(Fixed4::fromRaw(125000), 4), "12.5000");
    EXPECT_EQ(formatFixed(Fixed4::fromRaw(125000), 2), "12.50");
    EXPECT_EQ(formatFixed(Fixed4::fromRaw(123450), 2), "12.35");
    EXPECT_EQ(formatFixed(Fixed4::fromRaw(-123450), 2), "-12.35");
    EXPECT_EQ(formatFixed(Fixed4::fromRaw(-4), 2), "0.00");
    EXPECT_EQ(formatFixed(Fixed4::fromRaw(-5), 4), "-0.0005");
    EXPECT_EQ(formatFixed(Fixed4::fromRaw(15), 6), "0.001500");
    EXPECT_EQ(formatFixed(Fixed4::fromRaw(-25000), 0), "-3");
    EXPECT_EQ(formatFixed(Fixed4::fromRaw(1205000), 1, ','), "120,5");
    EXPECT_EQ(formatShortest(Fixed4::fromRaw(1205000), ','), "120,5");
    EXPECT_EQ(formatShortest(Fixed4::fromRaw(800000), '.'), "80");
}

TEST(Fixed4, RoundsHalvesToEven) {
    EXPECT_EQ(divRoundEven(5, 2), 2);
    EXPECT_EQ(divRoundEven(7, 2), 4);
    EXPECT_EQ(divRoundEven(-5, 2), -2);
    EXPECT_EQ(divRoundEven(-3, 2), -2);
    // The 64-bit path and the 128-bit path give the same answers at their border.
    for (Int128 n : {Int128(INT64_MAX), Int128(INT64_MAX) + 1, -Int128(INT64_MAX), -Int128(INT64_MAX) - 1,
                     Int128(INT64_MAX) - 1, Int128(7), Int128(-7), Int128(0)}) {
        for (Int128 d :
             {Int128(2), Int128(-2), Int128(3), Int128(INT64_MAX), -Int128(INT64_MAX), Int128(INT64_MAX) + 1}) {
            Int128 q = n / d;
            Int128 r = n % d;
            Int128 twice = 2 * (r < 0 ? -r : r);
            Int128 magnitude = d < 0 ? -d : d;
            Int128 away = ((n < 0) != (d < 0)) ? q - 1 : q + 1;
            Int128 expected = twice > magnitude || (twice == magnitude && q % 2 != 0) ? away : q;
            EXPECT_TRUE(divRoundEven(n, d) == expected)
                << static_cast<long long>(n) << " / " << static_cast<long long>(d);
        }
    }
    EXPECT_TRUE(divRoundEven(INT64_MAX, -2) == -(Int128(INT64_MAX) + 1) / 2);  // -4611686018427387903.5 -> even
    EXPECT_EQ(Fixed4::fromDouble(0.00005).raw, 0);
    EXPECT_EQ(sqrtRound(2), 1);
    EXPECT_EQ(sqrtRound(3), 2);
    EXPECT_EQ(sqrtRound(static_cast<unsigned __int128>(20000) * 20000 * 2), 28284);
    // Around the switch from 64-bit to 128-bit arithmetic (2^62 = (2^31)^2).
    const unsigned __int128 root = std::uint64_t(1) << 31;
    EXPECT_EQ(sqrtRound(root * root - 1), std::int64_t(root));
    EXPECT_EQ(sqrtRound(root * root), std::int64_t(root));
    EXPECT_EQ(sqrtRound((root - 1) * (root - 1) + (root - 1)), std::int64_t(root - 1));  // just below the half
    EXPECT_EQ(sqrtRound((root - 1) * (root - 1) + (root - 1) + 1), std::int64_t(root));  // just above
    EXPECT_EQ(sqrtRound(root * root + root), std::int64_t(root));
    EXPECT_EQ(sqrtRound(root * root + root + 1), std::int64_t(root + 1));
}
