// What a person types into a number box, with or without the input method.
#include "common/typed_text.h"

#include <gtest/gtest.h>

#include "tests/support/sjis.h"

namespace quorvel {
namespace {

using test::sjis;

TEST(TypedNumber, AsciiAndFullWidthDigitsWithBlanksOfEitherWidth) {
    const struct {
        const char* typed;
        std::optional<unsigned> value;
    } cases[] = {
        {"10", 10u},
        {"１０", 10u},
        {"１9６５", 1965u},
        {" 7 ", 7u},
        {"　２３　", 23u},
        {"0", 0u},
        {"０", 0u},
        {"999999999", 999999999u},
        {"", std::nullopt},
        {"　", std::nullopt},
        {"-1", std::nullopt},
        {"+1", std::nullopt},
        {"ab", std::nullopt},
        {"10時", std::nullopt},
        {"1 0", std::nullopt},
        {"１　０", std::nullopt},
        {"1000000000", std::nullopt},  // past nine digits: no silent wrap
        {"０x1", std::nullopt},
        {"ー１", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        EXPECT_EQ(readTypedNumber(sjis(c.typed)), c.value);
    }
}

TEST(TypedNumber, ATrailByteThatLooksLikeABlankOrDigitIsNoneOfThem) {
    // ァ is 0x83 0x40 (a trail byte like the ideographic blank's); 表 ends in 0x5C.
    EXPECT_EQ(readTypedNumber(sjis("ァ")), std::nullopt);
    EXPECT_EQ(trimSjisBlanks(sjis("　ァ")), sjis("ァ"));
    EXPECT_EQ(trimSjisBlanks(sjis(" 太　郎　 ")), sjis("太　郎"));
    EXPECT_EQ(trimSjisBlanks(sjis("　 　")), "");
    // A lone lead byte at the end is kept, never read past.
    EXPECT_EQ(trimSjisBlanks(std::string_view("\x81", 1)), std::string_view("\x81", 1));
}

TEST(TypedTime, HoursAloneOrWithMinutesInEveryWayTheyAreTyped) {
    const struct {
        const char* typed;
        std::optional<TypedTime> time;
    } cases[] = {
        {"10", TypedTime{10, std::nullopt}},
        {"10:20", TypedTime{10, 20u}},
        {"１０：２０", TypedTime{10, 20u}},
        {"10時20分", TypedTime{10, 20u}},
        {"１０時２０分", TypedTime{10, 20u}},
        {"10時20", TypedTime{10, 20u}},
        {"10時", std::nullopt},
        {" 9 : 05 ", TypedTime{9, 5u}},
        {"　0：0　", TypedTime{0, 0u}},
        {"23:59", TypedTime{23, 59u}},
        {"10:75", TypedTime{10, 75u}},  // the dialog refuses it, not the reader
        {"", std::nullopt},
        {"10:", std::nullopt},
        {":20", std::nullopt},
        {"10:20:30", std::nullopt},
        {"10時20分30秒", std::nullopt},
        {"10分", std::nullopt},
        {"10時分", std::nullopt},
        {"10:20分", std::nullopt},
        {"-1:00", std::nullopt},
        {"10.20", std::nullopt},
        {"ア:20", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        EXPECT_EQ(readTypedTime(sjis(c.typed)), c.time);
    }
    // A lead byte takes the ':' after it as its trail byte: no separator there.
    EXPECT_EQ(readTypedTime(std::string_view("1\x81:2", 4)), std::nullopt);
}

TEST(TypedDecimal, DegreesWithTheirDecimalsAsciiOrFullWidth) {
    const struct {
        const char* typed;
        std::optional<double> value;
    } cases[] = {
        {"130", 130.0},
        {"130.4181", 130.4181},
        {"１３０．４２", 130.42},
        {" 129.5　", 129.5},
        {"0.5", 0.5},
        {"", std::nullopt},
        {".5", std::nullopt},
        {"130.", std::nullopt},
        {"130.4.1", std::nullopt},
        {"-130", std::nullopt},
        {"130度", std::nullopt},
        {"1 30", std::nullopt},
        {"1234567890", std::nullopt},
        {"12345.67890", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        const std::optional<double> value = readTypedDecimal(sjis(c.typed));
        ASSERT_EQ(value.has_value(), c.value.has_value());
        if (value) {
            EXPECT_NEAR(*value, *c.value, 1e-9);
        }
    }
}

}  // namespace
}  // namespace quorvel
