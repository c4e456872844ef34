#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/app_texts.h"
#include "tests/support/sjis.h"

namespace quorvel {
namespace {

using test::sjis;

std::vector<std::string> lines(std::string_view text) {
    std::vector<std::string> out;
    std::size_t start = 0;
    for (std::size_t at; (at = text.find('\n', start)) != std::string_view::npos; start = at + 1) {
        out.emplace_back(text.substr(start, at - start));
    }
    out.emplace_back(text.substr(start));
    return out;
}

bool startsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

TEST(FixedTexts, DisclosureText) {
    const std::string_view t = text::disclosureText;
    EXPECT_EQ(t.size(), 1592u);
    EXPECT_EQ(std::count(t.begin(), t.end(), '\n'), 18);
    EXPECT_EQ(t.find('\r'), std::string_view::npos);
    EXPECT_TRUE(t.ends_with("\n\n"));
    const std::vector<std::string> l = lines(t);
    const std::string space = sjis("　");
    EXPECT_TRUE(startsWith(l[0], space));  // the opening paragraph
    for (const char* header : {"　[天運が悪い場合]", "　[地運が悪い場合]", "　[人運が悪い場合]"}) {
        const auto at = std::find(l.begin(), l.end(), sjis(header));
        ASSERT_NE(at, l.end()) << header;
        EXPECT_EQ(*(at - 1), "") << header;  // a blank line before each header
        EXPECT_TRUE(startsWith(*(at + 1), space)) << header;
    }
    EXPECT_NE(t.find(sjis("避凶造命法")), std::string_view::npos);
    EXPECT_NE(t.find(sjis("挨星易卦")), std::string_view::npos);
}

TEST(FixedTexts, SymbolMeaningText) {
    const std::string_view t = text::symbolMeaningText;
    EXPECT_EQ(t.size(), 815u);
    EXPECT_TRUE(t.starts_with("\n"));
    EXPECT_TRUE(t.ends_with(sjis("該当します。") + "\n"));
    const std::vector<std::string> l = lines(t.substr(1, t.size() - 2));
    std::vector<std::string> starts;
    bool paragraphStart = true;
    for (const std::string& line : l) {
        if (line.empty()) {
            paragraphStart = true;
        } else if (paragraphStart) {
            starts.push_back(line);
            paragraphStart = false;
        }
    }
    ASSERT_EQ(starts.size(), 4u);
    EXPECT_TRUE(startsWith(starts[0], sjis("☆．．．")));
    EXPECT_TRUE(startsWith(starts[1], sjis("★．．．")));
    EXPECT_TRUE(startsWith(starts[2], sjis("★★．．．")));
    EXPECT_EQ(starts[3],
              sjis("その他、◎、○、△、▲、●は、それぞれ俗に言う、大吉、吉、小吉、小凶、凶におおよそ"
                   "該当します。"));
    EXPECT_EQ(std::count(l.begin(), l.end(), ""), 3);
}

TEST(FixedTexts, KeepTheirBytesAndLineFeeds) {
    const struct {
        const char* name;
        std::string_view text;
        std::size_t bytes;
        std::ptrdiff_t lineFeeds;
    } texts[] = {
        {"disclosure", text::disclosureText, 1592, 18},
        {"symbol meanings", text::symbolMeaningText, 815, 11},
    };
    for (const auto& t : texts) {
        EXPECT_EQ(t.text.size(), t.bytes) << t.name;
        EXPECT_EQ(std::count(t.text.begin(), t.text.end(), '\n'), t.lineFeeds) << t.name;
        EXPECT_EQ(t.text.find('\r'), std::string_view::npos) << t.name;
    }
}

TEST(FixedTexts, OneSpellingAndMarksTold) {
    const struct {
        const char* name;
        std::string_view text;
    } texts[] = {
        {"disclosure", text::disclosureText},
        {"symbol meanings", text::symbolMeaningText},
    };
    for (const auto& t : texts) {
        EXPECT_EQ(t.text.find(sjis("ください")), std::string_view::npos) << t.name;
        EXPECT_NE(t.text.find(sjis("下さい")), std::string_view::npos) << t.name;
    }
    // ▲ and ● go mainly, not only, with stems that control each other.
    const std::string_view d = text::disclosureText;
    const std::size_t marks = d.find(sjis("天運に▲や●が付くのは、主に、"));
    ASSERT_NE(marks, std::string_view::npos);
    EXPECT_LT(marks, d.find(sjis("剋し合う")));
}

}  // namespace
}  // namespace quorvel
