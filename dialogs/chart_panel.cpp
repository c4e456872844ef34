#include "dialogs/chart_panel.h"

#include <memory>

#include "common/fixed_text.h"
#include "consultation/consultation.h"
#include "consultation/consultation_texts.h"
#include "dialogs/dialog_texts.h"
#include "dialogs/pillar_fields.h"
#include "dialogs/reading_window_text.h"
#include "dialogs/reading_windows.h"
#include "dialogs/report_output.h"
#include "dialogs/result_dialog.h"
#include "platform/ui.h"
#include "resources/command_ids.h"
#include "resources/dialog_templates.h"
#include "resources/menu.h"

namespace quorvel {

namespace {

constexpr int kNameLabel = 110;
constexpr int kSexLabel = 111;
constexpr int kBaseCaption = 65535;      // "四柱", then the relation of the chosen chart pillar
constexpr int kFirstChartButton = 1021;  // year, month, day, hour
constexpr int kFirstLuckButton = 1025;   // luck pillars 1-10
constexpr int kFirstAgeLabel = 1039;
constexpr int kReadingBox = 1070;  // the rules, the corrected times and the notices
constexpr int kHourButton = kFirstChartButton + 3;
constexpr int kChartPillarCount = 4;
// Client pixels just before the sex text, clear of the name (2 px per dialog unit).
constexpr int kSexPictureX = 296;
constexpr int kSexPictureY = 15;

const Pillar& chartPillar(const Chart& chart, int n) {
    const Pillar* const pillars[kChartPillarCount] = {&chart.yearPillar, &chart.monthPillar,
                                                      &chart.dayPillar, &chart.hourPillar};
    return *pillars[n];
}

// Each panel keeps the person and chart it was opened with: its buttons copy its own pillars and
// its judgements carry its own person's name, however many panels are open.
class ChartPanel final : public platform::DialogHandler {
  public:
    explicit ChartPanel(ConsultationState& state)
        : state_(state), person_(state.person), chart_(state.chart), reading_(state.reading) {}

    void init(platform::DialogHandle& dialog) override {
        dialog.setText(kNameLabel, fieldText(person_.name));
        if (person_.sex == Sex::Male) {
            copyText(state_.personSexText, text::maleSexText);
        } else if (person_.sex == Sex::Female) {
            copyText(state_.personSexText, text::femaleSexText);
        }
        dialog.setText(kSexLabel, fieldText(state_.personSexText));
        if (person_.sex == Sex::Male) {
            dialog.drawImage("OTICO15", kSexPictureX, kSexPictureY);
        } else if (person_.sex == Sex::Female) {
            dialog.drawImage("ONICO15", kSexPictureX, kSexPictureY);
        }

        const Chart& chart = chart_;
        for (int n = 0; n < kChartPillarCount; ++n) {
            dialog.setText(kFirstChartButton + n, fieldText(chartPillar(chart, n).text));
        }
        for (int i = 0; i < kLuckPillarCount; ++i) {
            dialog.setText(kFirstLuckButton + i, fieldText(chart.luckPillars[i].pillar.text));
            dialog.setText(kFirstAgeLabel + i, fieldText(chart.luckPillars[i].ageText));
        }
        dialog.setText(kBaseField, {});
        dialog.setText(kRunningField, {});
        dialog.setText(kBaseCaption, text::fourPillarsCaption);
        dialog.setText(kReadingBox, readingLines(reading_));
    }

    void command(platform::DialogHandle& dialog, int id) override {
        if (id == kHourButton && !chart_.hourKnown) {
            // 不明 is no pillar: nothing to judge.
            tell(dialog.window(), text::noHourPillarMessage);
        } else if (id >= kFirstChartButton && id < kFirstChartButton + kChartPillarCount) {
            chooseChartPillar(dialog, id - kFirstChartButton);
        } else if (id >= kFirstLuckButton && id < kFirstLuckButton + kLuckPillarCount) {
            const Pillar& pillar = chart_.luckPillars[id - kFirstLuckButton].pillar;
            dialog.setText(kRunningField, fieldText(pillar.text));
            copyText(state_.runningPillarText, fieldText(pillar.text));
        } else if (id == platform::kIdOk) {
            judge(dialog);
        } else if (id == platform::kIdCancel) {
            state_.outputReady = 0;
            dialog.end(platform::kIdCancel);
        } else if (id == kCommandFullChart) {
            openFullChartWindow(state_, person_);
        } else if (id == kCommandFortuneCalendar) {
            openFortuneCalendarWindow(state_, person_);
        } else if (id == kCommandReport) {
            writeAndOpenReport(dialog.window(), person_, reading_.rules);
        } else if (id == kCommandCompatibility && state_.compareWithChosenPerson != nullptr) {
            state_.compareWithChosenPerson(state_, dialog.window(), person_);
        }
    }

    // 命式表, 運勢暦, 鑑定書 and 相性 of the person this panel opened for.
    std::span<const platform::MenuItem> contextMenu() override { return panelContextMenu(); }

  private:
    void chooseChartPillar(platform::DialogHandle& dialog, int n) {
        const std::string_view pillar = fieldText(chartPillar(chart_, n).text);
        dialog.setText(kBaseCaption, text::relationCaptions[n]);
        dialog.setText(kBaseField, pillar);
        copyText(state_.basePillarText, pillar);
        copyText(state_.relationLabel, text::relationLabels[n]);
        copyText(relation_, text::relationLabels[n]);
    }

    void judge(platform::DialogHandle& dialog) {
        if (!readPillarFields(dialog, state_)) {
            tellDataError(dialog.window());
            return;
        }
        state_.luckPeriodFlag = 1;
        state_.calendarPeriodFlag = 0;
        if (parseJudgementKey(state_, dialog.window()) == 0) {
            return;
        }
        composeJudgement(state_);
        // The output button offers this judgement, under the name the result dialog gives it.
        buildOutputFileName(state_, {fieldText(person_.name), fieldText(relation_),
                                     fieldText(state_.runningPillarText), text::fortuneFileSuffix});
        markOutputReady(state_, ReadyText::Fortune);
        platform::informationBeep();
        runResultDialog(state_, state_.mainWindow, fieldText(state_.outputFileName));
    }

    ConsultationState& state_;
    const BirthRecord person_;
    const Chart chart_;
    const BirthReading reading_;
    char relation_[sizeof ConsultationState::relationLabel] = {};  // of this panel's last choice
};

}  // namespace

void openChartPanel(ConsultationState& state) {
    platform::openModelessDialog(panelDialogTemplate(), state.mainWindow,
                                 std::make_unique<ChartPanel>(state));
}

}  // namespace quorvel
