#include "dialogs/compatibility_window.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calendar/birth_notices.h"
#include "common/fixed_text.h"
#include "consultation/consultation.h"
#include "consultation/consultation_texts.h"
#include "consultation/offer_output.h"
#include "dialogs/compatibility_window_texts.h"
#include "dialogs/reading_window_text.h"
#include "dialogs/report_output.h"
#include "platform/ui.h"
#include "reading/compatibility_document.h"
#include "resources/dialog_templates.h"

namespace quorvel {

namespace {

constexpr int kFirstPersonLabel = 111;
constexpr int kSecondPersonLabel = 112;
constexpr int kChartTable = 120;
constexpr int kYearTable = 121;
constexpr int kFindingsField = 122;
constexpr int kOutputButton = 1205;

constexpr int kRowLabelWidth = 26;
constexpr int kChartWidth = 70;
constexpr int kYearWidth = 22;
constexpr int kMarksWidth = 54;
constexpr int kThreatWidth = 44;

// 木1火3土0金4水0: narrow enough for a column of its own.
std::string elementsCell(const ElementCounts& counts) {
    std::string out;
    for (std::size_t e = 0; e < counts.size(); ++e) {
        out += std::string(elementName(static_cast<Element>(e))) + std::to_string(counts[e]);
    }
    return out;
}

std::string pillarCell(const FullChart& chart, int position) {
    if (position == kHourPosition && !chart.chart.hourKnown) {
        return std::string(unknownHourText());
    }
    return std::string(pillarTextView(chart.pillars[position].pillar));
}

std::string voidCell(const FullChart& chart) {
    return std::string(branchText(chart.voids[0])) + std::string(branchText(chart.voids[1]));
}

void addRow(platform::DialogHandle& dialog, int table, const std::vector<std::string>& cells) {
    const std::vector<std::string_view> views(cells.begin(), cells.end());
    dialog.addTableRow(table, views);
}

class CompatibilityWindow final : public platform::DialogHandler {
  public:
    CompatibilityWindow(ConsultationState& state, const BirthRecord& a, const BirthRecord& b,
                        const FullChart& aChart, const FullChart& bChart)
        : state_(state),
          a_(a),
          b_(b),
          aChart_(aChart),
          bChart_(bChart),
          compatibility_(readCompatibility(aChart_, bChart_, systemToday().year,
                                           kDefaultCompatibilityYears)) {}

    void init(platform::DialogHandle& dialog) override {
        const CompatibilityPair pair = this->pair();
        dialog.setText(kFirstPersonLabel, personLine(a_));
        dialog.setText(kSecondPersonLabel, personLine(b_));
        showCharts(dialog, pair);
        showYears(dialog, pair);
        dialog.setText(kFindingsField, compatibilityFindingsText(compatibility_, pair, "\r\n"));
    }

    void command(platform::DialogHandle& dialog, int id) override {
        if (id == kOutputButton) {
            const CompatibilityPair pair = this->pair();
            offerOutput(
                state_, text::compatWindowQuestion, text::txtOutputCaption,
                compatibilityFileName(shownName(pair.aName, true), shownName(pair.bName, false)),
                compatibilityDocument(compatibility_, pair, "\r\n"));
        } else if (id == platform::kIdCancel) {
            dialog.end(platform::kIdCancel);
        }
    }

    void help(platform::DialogHandle& dialog) override { platform::openHelp(dialog.window()); }

  private:
    CompatibilityPair pair() const {
        return {aChart_, bChart_, fieldText(a_.name), fieldText(b_.name)};
    }

    void showCharts(platform::DialogHandle& dialog, const CompatibilityPair& pair) {
        const platform::TableColumn columns[] = {
            {"", kRowLabelWidth},
            {shownName(pair.aName, true), kChartWidth},
            {shownName(pair.bName, false), kChartWidth},
        };
        dialog.setTableColumns(kChartTable, columns);
        for (int p = 0; p < kChartPillarCount; ++p) {
            addRow(dialog, kChartTable,
                   {std::string(pillarPositionName(p)), pillarCell(aChart_, p),
                    pillarCell(bChart_, p)});
        }
        addRow(dialog, kChartTable,
               {std::string(text::compatWindowVoidRow), voidCell(aChart_), voidCell(bChart_)});
        addRow(dialog, kChartTable,
               {std::string(text::compatWindowElementsRow), elementsCell(compatibility_.aElements),
                elementsCell(compatibility_.bElements)});
    }

    void showYears(platform::DialogHandle& dialog, const CompatibilityPair& pair) {
        const platform::TableColumn columns[] = {
            {text::compatWindowYearHeading, kYearWidth},
            {text::compatWindowPillarHeading, kYearWidth},
            {shownName(pair.aName, true), kMarksWidth},
            {shownName(pair.bName, false), kMarksWidth},
            {text::compatWindowThreatHeading, kThreatWidth},
        };
        dialog.setTableColumns(kYearTable, columns);
        for (const CompatibilityYear& y : compatibility_.years) {
            const auto marks = [](const std::optional<CalendarRow>& row) {
                return row ? periodMarksText(row->marks) : std::string();
            };
            addRow(dialog, kYearTable,
                   {std::to_string(y.year), std::string(pillarTextView(y.pillar)), marks(y.a),
                    marks(y.b), threatText(y.threat, pair)});
        }
    }

    ConsultationState& state_;
    const BirthRecord a_;
    const BirthRecord b_;
    const FullChart aChart_;
    const FullChart bChart_;
    const Compatibility compatibility_;
};

}  // namespace

void openCompatibilityWindow(ConsultationState& state, const BirthRecord& a, const BirthRecord& b) {
    const std::optional<FullChart> aChart = readPerson(a, state.rules);
    const std::optional<FullChart> bChart = readPerson(b, state.rules);
    if (!aChart || !bChart) {
        tell(state.mainWindow, text::dataErrorMessage);
        return;
    }
    platform::openModelessDialog(
        compatibilityTemplate(), state.mainWindow,
        std::make_unique<CompatibilityWindow>(state, a, b, *aChart, *bChart));
}

}  // namespace quorvel
