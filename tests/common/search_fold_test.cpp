// Searching regardless of case and width.
#include "common/search_fold.h"

#include <gtest/gtest.h>

namespace quorvel {
namespace {

TEST(SearchFold, CaseAndWidthFold) {
    const struct {
        const char* text;
        const char* word;
        bool found;
    } cases[] = {
        {"DATA.CSV を開く", "data", true},
        {"DATA.CSV を開く", "ＤＡＴＡ", true},
        {"ｄａｔａ．ｃｓｖ", "DATA.CSV", true},
        {"F1 キー", "f1", true},
        {"F1 キー", "Ｆ１", true},
        {"ｷｬﾝｾﾙ", "キャンセル", true},
        {"キャンセル", "ｷｬﾝｾﾙ", true},
        {"ﾃﾞｰﾀｴﾗｰ", "データエラー", true},
        {"ﾎﾟｲﾝﾄ", "ポイント", true},
        {"ｳﾞｨ", "ヴィ", true},
        {"全角　空白", "全角 空白", true},
        {"データ", "ﾃｰﾀ", false},  // a voiced kana is not its plain one
        {"データ", "デー夕", false},
        {"天運", "", true},
        {"天運", "地運", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " / " + c.word);
        EXPECT_EQ(containsFolded(c.text, c.word), c.found);
    }
}

TEST(SearchFold, MalformedBytesPassThroughUntouched) {
    EXPECT_EQ(foldForSearch("\xE3\x81"), "\xE3\x81");
    EXPECT_EQ(foldForSearch("A\xFF"
                            "B"),
              "a\xFF"
              "b");
}

}  // namespace
}  // namespace quorvel
