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

}  // namespace
}  // namespace quorvel
