#include <array>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "consultation/consultation.h"
#include "dialogs/dialog_texts.h"
#include "dialogs/reading_window_text.h"
#include "dialogs/reading_windows.h"
#include "platform/ui.h"
#include "resources/dialog_templates.h"

namespace quorvel {

namespace {

constexpr int kPersonLabel = 110;
constexpr int kPillarTable = 120;
constexpr int kVoidLabel = 121;
constexpr int kElementsLabel = 122;
constexpr int kElementsWithHiddenLabel = 123;
constexpr int kTermsLabel = 124;
constexpr int kNoticeLabel = 125;
constexpr int kLuckTable = 126;
constexpr int kReadingBox = 127;
constexpr int kLuckStartLabel = 128;
constexpr int kSinceTermLabel = 129;
constexpr int kHiddenTableLabel = 130;
constexpr int kCalendarButton = 1211;

constexpr int kRowLabelWidth = 48;
constexpr int kPillarWidth = 58;
constexpr int kLuckLabelWidth = 28;
constexpr int kLuckWidth = 24;

// Charts are drawn right to left: the hour pillar stands at the left, the year pillar at the
// right.
constexpr int kDrawnOrder[kChartPillarCount] = {kHourPosition, kDayPosition, kMonthPosition,
                                                kYearPosition};

constexpr Element kElements[5] = {Element::Wood, Element::Fire, Element::Earth, Element::Metal,
                                  Element::Water};

// 「忍耐(正官)」, or 「本人」 for the day stem.
std::string relationCell(const StemReading& r) {
    if (!r.relation) {
        return std::string(text::personCell);
    }
    return std::string(stemRelationLabel(*r.relation)) + "(" +
           std::string(commonRelationName(*r.relation)) + ")";
}

std::string elementsText(const ElementCounts& counts) {
    std::string out;
    for (std::size_t e = 0; e < 5; ++e) {
        if (e > 0) {
            out += ' ';
        }
        out += elementName(kElements[e]);
        out += number(counts[e]);
    }
    return out;
}

// 「立夏 1990年5月6日3時35分」
std::string termText(const TermMoment& t) {
    return std::string(sectionalTermName(t.month)) + " " + number(t.year) +
           std::string(text::yearUnit) + number(t.month) + std::string(text::monthUnit) +
           number(t.day) + std::string(text::dayUnit) + number(t.hour) +
           std::string(text::hourUnit) + number(t.minute) + std::string(text::minuteUnit);
}

// 「立運　3歳4ヶ月　順行」: the luck start to the month (whole days by the tables).
std::string luckStartText(const Chart& c) {
    return std::string(text::luckStartLine) + startAgeText(c.startAgeMonths) +
           std::string(text::luckStartSeparator) +
           std::string(c.luckForward ? text::luckForwardText : text::luckBackwardText);
}

void addRow(platform::DialogHandle& dialog, int table, std::string_view label,
            const std::array<std::string, kChartPillarCount>& cells, int columns) {
    const std::string_view row[1 + kChartPillarCount] = {label, cells[0], cells[1], cells[2],
                                                         cells[3]};
    dialog.addTableRow(table, std::span(row, static_cast<std::size_t>(1 + columns)));
}

class FullChartWindow final : public platform::DialogHandler {
  public:
    FullChartWindow(ConsultationState& state, const BirthRecord& person, FullChart chart)
        : state_(state), person_(person), chart_(chart) {}

    void init(platform::DialogHandle& dialog) override {
        dialog.setText(kPersonLabel, personLine(person_));
        dialog.setText(kReadingBox, readingLines(chart_.reading));
        showPillars(dialog);
        showLines(dialog);
        showLuck(dialog);
    }

    void command(platform::DialogHandle& dialog, int id) override {
        if (id == kCalendarButton) {
            openFortuneCalendarWindow(state_, person_);
        } else if (id == platform::kIdCancel) {
            dialog.end(platform::kIdCancel);
        }
    }

    void help(platform::DialogHandle& dialog) override {
        platform::openHelp(dialog.window(), text::fullChartHelpTopic);
    }

  private:
    // Without an hour the chart has three pillars and the table three columns.
    int pillarColumns() const { return chart_.chart.hourKnown ? kChartPillarCount : 3; }
    int drawnPillar(int column) const {
        return kDrawnOrder[column + kChartPillarCount - pillarColumns()];
    }

    void showPillars(platform::DialogHandle& dialog) {
        const int count = pillarColumns();
        platform::TableColumn columns[1 + kChartPillarCount] = {{{}, kRowLabelWidth}};
        for (int c = 0; c < count; ++c) {
            columns[1 + c] = {pillarPositionName(drawnPillar(c)), kPillarWidth};
        }
        dialog.setTableColumns(kPillarTable,
                               std::span(columns, static_cast<std::size_t>(1 + count)));

        // Each row: one cell per drawn pillar.
        const auto row = [&](int chartRow, auto cellOf) {
            std::array<std::string, kChartPillarCount> cells;
            for (int c = 0; c < count; ++c) {
                cells[static_cast<std::size_t>(c)] = cellOf(chart_.pillars[drawnPillar(c)]);
            }
            addRow(dialog, kPillarTable, chartRowName(chartRow), cells, count);
        };
        row(kStemRow, [](const PillarReading& p) { return std::string(stemText(p.stem.stem)); });
        row(kRelationRow, [](const PillarReading& p) { return relationCell(p.stem); });
        row(kBranchRow, [](const PillarReading& p) {
            return std::string(branchText(p.branch)) +
                   (p.isVoid ? std::string(text::voidCellSuffix) : std::string());
        });
        row(kCommandingRow, [](const PillarReading& p) {
            return std::string(stemText(p.commanding.stem)) + "(" +
                   std::string(hiddenKindName(p.commandingKind)) + ")";
        });
        row(kCommandingRelationRow,
            [](const PillarReading& p) { return relationCell(p.commanding); });
        row(kStageRow,
            [](const PillarReading& p) { return std::string(growthStageLabel(p.stage)); });
        row(kStarsRow, [](const PillarReading& p) { return starsText(p.stars); });
        row(kHiddenDetailRow, [](const PillarReading& p) { return hiddenSpansText(p.byDays); });
    }

    void showLines(platform::DialogHandle& dialog) {
        std::string voids = std::string(text::voidLine) + std::string(branchText(chart_.voids[0])) +
                            std::string(branchText(chart_.voids[1]));
        std::string touched;
        for (int p = 0; p < kChartPillarCount; ++p) {
            if (chart_.pillars[p].isVoid) {
                if (!touched.empty()) {
                    touched += ' ';
                }
                touched += pillarPositionName(p);
            }
        }
        voids += touched.empty() ? std::string(text::voidTouchesNone)
                                 : std::string(text::voidTouchesPrefix) + touched;
        dialog.setText(kVoidLabel, voids);
        dialog.setText(kElementsLabel,
                       std::string(text::elementsLine) + elementsText(chart_.elements));
        dialog.setText(kElementsWithHiddenLabel, std::string(text::elementsWithHiddenLine) +
                                                     elementsText(chart_.elementsWithHidden));
        dialog.setText(kTermsLabel, std::string(text::termsLine) + termText(chart_.terms.before) +
                                        std::string(text::termsBetween) +
                                        termText(chart_.terms.after));
        dialog.setText(kSinceTermLabel, daysSinceTermText(chart_.reading.minutesSinceTerm));
        dialog.setText(kLuckStartLabel, luckStartText(chart_.chart));
        dialog.setText(kHiddenTableLabel, hiddenTableLine(chart_.birth.rules));
        dialog.setText(kNoticeLabel, termNoticeText(chart_.notice));
    }

    // Ten columns, the last luck pillar at the left and the first at the right.
    void showLuck(platform::DialogHandle& dialog) {
        const Chart& c = chart_.chart;
        std::string headings[kLuckPillarCount];
        platform::TableColumn columns[1 + kLuckPillarCount] = {
            {text::luckCornerHeading, kLuckLabelWidth}};
        for (int k = 0; k < kLuckPillarCount; ++k) {
            const int at = kLuckPillarCount - 1 - k;
            headings[at] = number(c.luckPillars[k].fromAge) + std::string(text::ageUnit);
            columns[1 + at] = {headings[at], kLuckWidth};
        }
        dialog.setTableColumns(kLuckTable, columns);
        const Stem dayStem = stemOf(c.dayPillar.index);
        std::string cells[3][kLuckPillarCount];
        for (int k = 0; k < kLuckPillarCount; ++k) {
            const int at = kLuckPillarCount - 1 - k;
            const CycleIndex luck = c.luckPillars[k].pillar.index;
            cells[0][at] = std::string(pillarTextView(luck));
            cells[1][at] = std::string(stemRelationLabel(stemRelation(dayStem, stemOf(luck))));
            cells[2][at] = std::string(growthStageLabel(growthStage(dayStem, branchOf(luck))));
        }
        for (int r = 0; r < 3; ++r) {
            std::string_view row[1 + kLuckPillarCount] = {text::luckRowLabels[r]};
            for (int k = 0; k < kLuckPillarCount; ++k) {
                row[1 + k] = cells[r][k];
            }
            dialog.addTableRow(kLuckTable, row);
        }
    }

    ConsultationState& state_;
    BirthRecord person_;
    FullChart chart_;
};

}  // namespace

void openFullChartWindow(ConsultationState& state, const BirthRecord& person) {
    const std::optional<FullChart> chart = readPerson(person, state.rules);
    if (!chart) {
        tell(state.mainWindow, text::noPersonMessage);
        return;
    }
    platform::openModelessDialog(fullChartTemplate(), state.mainWindow,
                                 std::make_unique<FullChartWindow>(state, person, *chart));
}

}  // namespace quorvel
