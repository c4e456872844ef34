// The table conversion of the Windows build against glibc's iconv, over every one- and two-byte
// input and every well-formed and many malformed UTF-8 sequences: the Windows programs must write
// the very bytes the Linux ones write.
#include <gtest/gtest.h>

#include <string>

#include "common/cp932.h"
#include "common/sjis_utf8.h"

namespace quorvel {
namespace {

std::string bytes(std::initializer_list<int> values) {
    std::string s;
    for (const int v : values) {
        s += static_cast<char>(v);
    }
    return s;
}

TEST(Cp932Tables, DecodeEveryOneAndTwoByteInputAsIconvDoes) {
    int differences = 0;
    for (int a = 0; a < 256; ++a) {
        const std::string one = bytes({a});
        EXPECT_EQ(cp932::toUtf8(one), sjisToUtf8(one)) << a;
        for (int b = 0; b < 256 && differences < 10; ++b) {
            // Followed by a letter, so that a lone lead byte and its neighbour are both seen.
            const std::string three = bytes({a, b, 'A'});
            if (cp932::toUtf8(three) != sjisToUtf8(three)) {
                ADD_FAILURE() << "bytes " << a << ' ' << b;
                ++differences;
            }
        }
    }
}

TEST(Cp932Tables, EncodeAsIconvDoes) {
    const auto same = [](const std::string& utf8) {
        bool okTable = true;
        bool okIconv = true;
        const std::string table = cp932::fromUtf8(utf8, okTable);
        const std::string reference = utf8ToSjis(utf8, okIconv);
        return table == reference && okTable == okIconv;
    };
    int differences = 0;
    const auto check = [&](const std::string& utf8, const char* what, int at) {
        if (differences < 10 && !same(utf8)) {
            ADD_FAILURE() << what << ' ' << at;
            ++differences;
        }
    };
    // Every code point, well formed, between two letters.
    for (int cp = 0; cp < 0x110000; cp += cp < 0x10000 ? 1 : 0x3FF) {
        std::string s = "A";
        if (cp < 0x80) {
            s += static_cast<char>(cp);
        } else if (cp < 0x800) {
            s += bytes({0xC0 | cp >> 6, 0x80 | (cp & 0x3F)});
        } else if (cp < 0x10000) {
            s += bytes({0xE0 | cp >> 12, 0x80 | (cp >> 6 & 0x3F), 0x80 | (cp & 0x3F)});
        } else {
            s += bytes({0xF0 | cp >> 18, 0x80 | (cp >> 12 & 0x3F), 0x80 | (cp >> 6 & 0x3F),
                        0x80 | (cp & 0x3F)});
        }
        check(s + "B", "code point", cp);
    }
    // Malformed: every byte pair, lone and cut sequences, overlong forms and surrogates.
    for (int a = 0; a < 256; ++a) {
        for (int b = 0; b < 256; ++b) {
            check(bytes({a, b}), "pair", a * 256 + b);
            check(bytes({a, b, 0x80, 'x'}), "pair then continuation", a * 256 + b);
        }
    }
    for (int b = 0x70; b < 0xD0; ++b) {
        for (int c = 0x70; c < 0xD0; ++c) {
            check(bytes({0xE0, b, c, 'x'}), "E0", b * 256 + c);
            check(bytes({0xED, b, c, 'x'}), "ED", b * 256 + c);
            check(bytes({0xF0, b, c, 0x80, 'x'}), "F0", b * 256 + c);
            check(bytes({0xF4, b, c, 0x80, 'x'}), "F4", b * 256 + c);
            check(bytes({0xF8, b, c, 0x80, 'x'}), "F8", b * 256 + c);
        }
    }
}

}  // namespace
}  // namespace quorvel

namespace quorvel {
namespace {

// 罡 (of the star 魁罡) has no CP932 form: the program keeps it as the user-defined F040, and
// both conversions turn it back into 罡; the rest of the user-defined area stays private use.
TEST(Cp932Tables, TheProgramsOwnCharacterLivesInTheUserDefinedArea) {
    const std::string sjis = "\x8A\x40\xF0\x40";
    bool ok = false;
    EXPECT_EQ(utf8ToSjis("魁罡", ok), sjis);
    EXPECT_TRUE(ok);
    EXPECT_EQ(cp932::fromUtf8("魁罡", ok), sjis);
    EXPECT_TRUE(ok);
    EXPECT_EQ(sjisToUtf8(sjis), "魁罡");
    EXPECT_EQ(cp932::toUtf8(sjis), "魁罡");
    EXPECT_EQ(sjisToUtf8("\xF0\x41"), "\xEE\x80\x81");
}

}  // namespace
}  // namespace quorvel
