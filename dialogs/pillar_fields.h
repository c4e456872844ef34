#pragma once
// What the consultation dialogs share: the two pillar fields 101 and 102, the output file name
// and the refusal of an empty entry.
#include <initializer_list>
#include <string_view>

#include "consultation/consultation_state.h"
#include "platform/ui.h"

namespace quorvel {

inline constexpr int kBaseField = 101;
inline constexpr int kRunningField = 102;

// Fields 101 and 102 into basePillarText and runningPillarText, each cut to six bytes; false if
// either is empty.
bool readPillarFields(platform::DialogHandle& dialog, ConsultationState& state);

// The pillars of the last judgement of any kind into fields 101 and 102.
void showPillarFields(platform::DialogHandle& dialog, const ConsultationState& state);

// outputFileName cleared and built from `parts` in order.
void buildOutputFileName(ConsultationState& state, std::initializer_list<std::string_view> parts);

// The road of a judgement read as typed, once both pillar texts are stored: the period flags,
// the output file under the person's name and the running pillar, the parse (its message in a box
// of `owner`), the judgement, the beep and the result dialog of `owner`.
void judgeTypedPair(ConsultationState& state, platform::WindowHandle owner, PeriodFlags period);

// "データエラー" in a box of `owner`.
void tellDataError(platform::WindowHandle owner);

// What the three dialogs of typed pillars share: the last pillars shown at opening, 実行 judges,
// the cancel command (also Escape and the close box) withdraws the output, F1 opens the help at
// the dialog's own topic.
class PillarPairDialog : public platform::DialogHandler {
  public:
    PillarPairDialog(ConsultationState& state, std::string_view helpTopic)
        : state_(state), helpTopic_(helpTopic) {}

    void init(platform::DialogHandle& dialog) override { showPillarFields(dialog, state_); }
    void command(platform::DialogHandle& dialog, int id) override;
    void help(platform::DialogHandle& dialog) override {
        platform::openHelp(dialog.window(), helpTopic_);
    }

  protected:
    virtual void judge(platform::DialogHandle& dialog) = 0;
    // Any other control of the dialog.
    virtual void otherCommand(platform::DialogHandle& /*dialog*/, int /*id*/) {}

    ConsultationState& state_;

  private:
    std::string_view helpTopic_;
};

}  // namespace quorvel
