#include "app/app_texts.h"
#include "common/fixed_text.h"
#include "resources/command_ids.h"
#include "tests/scenarios/scenario.h"
#include "tests/support/sjis.h"

namespace quorvel {
namespace {

using platform::MessageAnswer;
using platform::MessageButtons;
using platform::script::EventKind;
using platform::script::eventsOf;
using test::sjis;

using Output = test::Scenario;

// A judgement made ready the way the stem-branch dialog leaves it.
void makeFortuneReady(ConsultationState& state, const std::string& text) {
    copyText(state.judgementBuffer, text);
    copyText(state.outputFileName, sjis("太郎甲子運.TXT"));
    state.outputReady = 1;
    state.fortuneReady = 1;
    state.avoidanceReady = state.hexagramReady = state.disclosureReady = 0;
}

TEST_F(Output, DisclosureThenTheButtonWritesTheDocFileOnYes) {
    command(kCommandDisclosure);
    platform::script::answerMessageBoxes({MessageAnswer::Yes});
    command(kCommandOutput);
    const auto boxes = eventsOf(EventKind::MessageBox);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].text, sjis("｢秘伝の開示｣をファイルに出力しますか？"));
    EXPECT_EQ(boxes[1].caption, sjis("DOCファイルに出力"));
    EXPECT_EQ(boxes[1].buttons, MessageButtons::YesNo);
    EXPECT_EQ(boxes[1].window, state().mainWindow);
    EXPECT_EQ(readFile(folder() / u8"秘伝の開示.DOC"), text::disclosureText);
    EXPECT_FALSE(std::filesystem::exists(folder() / u8"秘伝の開示.DOC.tmp"));
}

TEST_F(Output, NoWritesNothing) {
    command(kCommandDisclosure);
    platform::script::answerMessageBoxes({MessageAnswer::No});
    command(kCommandOutput);
    EXPECT_TRUE(std::filesystem::is_empty(folder()));
}

TEST_F(Output, AShortTextReplacesALongerFileWhole) {
    writeFile(folder() / u8"太郎甲子運.TXT", std::string(5000, 'x'));
    makeFortuneReady(state(), sjis("(天運)実行"));
    platform::script::answerMessageBoxes({MessageAnswer::Yes, MessageAnswer::Yes});
    command(kCommandOutput);
    EXPECT_EQ(readFile(folder() / u8"太郎甲子運.TXT"), sjis("(天運)実行"));
    const auto boxes = eventsOf(EventKind::MessageBox);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, sjis("｢幸運の判断｣をファイルに出力しますか？"));
    EXPECT_EQ(boxes[0].caption, sjis("TXTファイルに出力"));

    // Pressing again asks again; a following command 10 switches to the .DOC output.
    command(kCommandOutput);
    command(kCommandDisclosure);
    platform::script::answerMessageBoxes({MessageAnswer::Yes});
    command(kCommandOutput);
    EXPECT_EQ(eventsOf(EventKind::MessageBox).back().text,
              sjis("｢秘伝の開示｣をファイルに出力しますか？"));
    EXPECT_TRUE(std::filesystem::exists(folder() / u8"秘伝の開示.DOC"));
}

TEST_F(Output, EachReadyTextHasItsQuestion) {
    const struct {
        std::int32_t ConsultationState::*flag;
        char* (*buffer)(ConsultationState&);
        const char* question;
    } cases[] = {
        {&ConsultationState::avoidanceReady, [](ConsultationState& s) { return s.avoidanceBuffer; },
         "｢避凶造命法｣をファイルに出力しますか？"},
        {&ConsultationState::hexagramReady, [](ConsultationState& s) { return s.hexagramBuffer; },
         "｢人運の判断｣をファイルに出力しますか？"},
    };
    std::size_t asked = 0;
    for (const auto& c : cases) {
        state().avoidanceReady = state().fortuneReady = state().hexagramReady = 0;
        state().disclosureReady = 0;
        state().*c.flag = 1;
        std::strcpy(c.buffer(state()), "reading\n");
        copyText(state().outputFileName, "out.TXT");
        platform::script::answerMessageBoxes({MessageAnswer::Yes});
        command(kCommandOutput);
        ASSERT_EQ(eventsOf(EventKind::MessageBox).size(), ++asked);
        EXPECT_EQ(eventsOf(EventKind::MessageBox).back().text, sjis(c.question));
        EXPECT_EQ(readFile(folder() / "out.TXT"), "reading\n");
    }
}

TEST_F(Output, AnEmptyReadyTextIsNeverOfferedAndReplacesNothing) {
    writeFile(folder() / u8"太郎甲子運.TXT", "an earlier judgement");
    makeFortuneReady(state(), "");  // a rejected pillar leaves the buffer empty
    platform::script::answerMessageBoxes({MessageAnswer::Yes});
    command(kCommandOutput);
    EXPECT_TRUE(eventsOf(EventKind::MessageBox).empty());
    EXPECT_EQ(readFile(folder() / u8"太郎甲子運.TXT"), "an earlier judgement");

    // A chart alone: the button exists but there is nothing to ask about.
    state().fortuneReady = 0;
    command(kCommandOutput);
    EXPECT_TRUE(platform::script::events().empty());
}

TEST_F(Output, AFailedWriteIsReportedAndLeavesTheOldFile) {
    // A read-only file is not replaced: the old file must survive whole.
    writeFile(folder() / u8"太郎甲子運.TXT", "kept");
    std::filesystem::permissions(folder() / u8"太郎甲子運.TXT", std::filesystem::perms::owner_read);
    makeFortuneReady(state(), "new text");
    platform::script::answerMessageBoxes({MessageAnswer::Yes});
    command(kCommandOutput);
    const auto boxes = eventsOf(EventKind::MessageBox);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].text, sjis("ファイルに出力できませんでした"));
    EXPECT_EQ(boxes[1].caption, sjis("TXTファイルに出力"));
    EXPECT_EQ(boxes[1].buttons, MessageButtons::Ok);
    EXPECT_EQ(readFile(folder() / u8"太郎甲子運.TXT"), "kept");
}

}  // namespace
}  // namespace quorvel
