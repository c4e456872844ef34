// The help format: topics, paragraphs, bullet items and comments.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/help_document.h"

namespace quorvel::platform {
namespace {

HelpBlock para(std::string text) {
    return {HelpBlockKind::Paragraph, std::move(text)};
}
HelpBlock item(std::string text) {
    return {HelpBlockKind::Bullet, std::move(text)};
}

struct ParseCase {
    const char* name;
    std::string source;
    std::vector<HelpTopic> expected;
};

TEST(HelpDocument, ParsesTopicsParagraphsAndItems) {
    const ParseCase cases[] = {
        {"lines join into one paragraph; a blank line separates",
         "= 目次\n一行目\n二行目\n\n三行目\n",
         {{"目次", {para("一行目二行目"), para("三行目")}}}},
        {"Latin words meeting at a line end keep a space",
         "= A\nRead the\nhelp file.\n",
         {{"A", {para("Read the help file.")}}}},
        {"bullets follow a paragraph without a blank line",
         "= 使い方\nメッセージ：\n- 一つ目\n- 二つ目\n\n後の段落\n",
         {{"使い方", {para("メッセージ："), item("一つ目"), item("二つ目"), para("後の段落")}}}},
        {"an indented line continues a bullet; an unindented one starts a paragraph",
         "= T\n- 項目の\n  続き\n本文\n",
         {{"T", {item("項目の続き"), para("本文")}}}},
        {"comments are skipped anywhere, even inside a paragraph",
         "# 頭の注記\n= T\n前半\n# 途中の注記\n後半\n",
         {{"T", {para("前半後半")}}}},
        {"text before the first title belongs to no topic",
         "前置き\n\n= T\n本文\n",
         {{"T", {para("本文")}}}},
        {"CR LF line ends, spaces around titles, an empty topic",
         "=   題名  \r\n本文\r\n= 空\r\n",
         {{"題名", {para("本文")}}, {"空", {}}}},
        {"the ideographic space opening a paragraph is kept",
         "= T\n\xE3\x80\x80字下げ\n",
         {{"T", {para("\xE3\x80\x80字下げ")}}}},
        {"no final line feed", "= T\n最後", {{"T", {para("最後")}}}},
        {"empty", "", {}},
    };
    for (const ParseCase& c : cases) {
        EXPECT_EQ(parseHelpDocument(c.source).topics, c.expected) << c.name;
    }
}

TEST(HelpDocument, GroupsGatherTheTopicsThatFollowAndSearchLooksEverywhere) {
    const HelpDocument document = parseHelpDocument(
        "= 前\n== メニュー\n= 大運の入力\n本文\n== 用語\n= 記号\n- 大運の印\n= 読み方\nなし\n");
    ASSERT_EQ(document.topics.size(), 4u);
    const char* const groups[] = {"", "メニュー", "用語", "用語"};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(document.topics[i].group, groups[i]) << i;
    }
    const struct {
        const char* word;
        bool found[4];
    } searches[] = {
        {"大運", {false, true, true, false}},  // a title, then a bullet
        {"なし", {false, false, false, true}},
        {"", {true, true, true, true}},
        {"メニュー", {false, false, false, false}},  // a group name is no topic text
    };
    for (const auto& search : searches) {
        for (std::size_t i = 0; i < 4; ++i) {
            EXPECT_EQ(topicContains(document.topics[i], search.word), search.found[i])
                << search.word << " in " << i;
        }
    }
    // A window's F1 finds its topic by the whole title; a group or a part is none.
    EXPECT_EQ(findHelpTopic(document, "記号"), 2);
    EXPECT_EQ(findHelpTopic(document, "前"), 0);
    EXPECT_EQ(findHelpTopic(document, "用語"), -1);
    EXPECT_EQ(findHelpTopic(document, "大運"), -1);
    EXPECT_EQ(findHelpTopic(document, ""), -1);
}

TEST(HelpDocument, TellsUtf8FromShiftJis) {
    const struct {
        std::string bytes;
        bool utf8;
    } cases[] = {
        {"plain ASCII", true},
        {"目次", true},
        {"\x96\xda\x8e\x9f", false},      // 目次 in Shift-JIS
        {"\x95\x5c\x8e\xa6", false},      // 表示 in Shift-JIS
        {"\xb7\xac\xdd\xbe\xd9", false},  // ｷｬﾝｾﾙ (half-width kana, single bytes)
        {"\xe7\x9b", false},              // cut off
        {"\xc0\x80", false},              // overlong
        {"\xed\xa0\x80", false},          // surrogate
    };
    for (const auto& c : cases) {
        EXPECT_EQ(isUtf8(c.bytes), c.utf8) << c.bytes;
    }
}

}  // namespace
}  // namespace quorvel::platform
