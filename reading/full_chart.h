#pragma once
// The full chart (命式): each pillar with the relation of its stem to the person's day stem, its
// branch's hidden stems and their relations, the day stem's stage at the branch; the void
// branches, the five-element counts and the sectional terms around the birth.
//
// Pure values, no user interface: callers turn them into texts with the label functions below
// (Shift-JIS, like every text of the core). A birth that the calendar cannot compute is refused
// as a result, never read past.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "calendar/birth_reading.h"
#include "calendar/chart.h"
#include "calendar/chart_details.h"
#include "calendar/commanding_stem.h"
#include "calendar/sex.h"
#include "calendar/special_stars.h"
#include "judgement/relations.h"

namespace quorvel {

// A birth as entered: Western date and clock reading in Japan time (the hour may be unknown,
// the minutes too), where it happened, and the rules it is read with.
struct BirthData {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;  // or kHourUnknown
    Sex sex = Sex::Unset;
    int minute = kMinutesUnknown;
    Birthplace place{};
    ChartRules rules{};
    BirthTime time() const { return {year, month, day, hour, minute}; }
};

// A stem with its relation to the day stem; the day stem itself is the person and has none.
struct StemReading {
    Stem stem = Stem::Kinoe;
    std::optional<StemRelation> relation;
};

struct PillarReading {
    CycleIndex pillar = 0;
    StemReading stem;
    Branch branch = Branch::Ne;
    GrowthStage stage = GrowthStage::Birth;  // the day stem's stage at this branch
    StemReading hidden[3];                   // main, middle, residual
    int hiddenCount = 0;
    bool isVoid = false;  // the branch is one of the day pillar's void branches
    HiddenByDays byDays;  // the branch's stems by days, 余気 first, in the rules' table
    HiddenKind commandingKind = HiddenKind::Main;
    StemReading commanding;  // the hidden stem in command at the birth (司令), never the person
    StarList stars;
};

// The four pillars in this order everywhere: year, month, day, hour.
enum PillarPosition : int { kYearPosition, kMonthPosition, kDayPosition, kHourPosition };
inline constexpr int kChartPillarCount = 4;

struct FullChart {
    BirthData birth;
    Chart chart;  // the pillars and luck pillars exactly as the chart panel shows them
    PillarReading pillars[kChartPillarCount];
    std::array<Branch, 2> voids{};
    ElementCounts elements{};            // four stems and four branches
    ElementCounts elementsWithHidden{};  // four stems and every hidden stem
    TermsAround terms;
    TermNotice notice = TermNotice::None;
    BirthReading reading;  // the times and notices of the rules; the hour pillar's absence
    // The days since the birth's month began (reading.minutesSinceTerm), and the days by which
    // the commanding stems were chosen: one more where the term's day counts as day 1.
    double daysSinceTerm = 0.0;
    double commandingDays = 0.0;
};

// The full chart of a birth; none when readBirth refuses it or the sex is unset. Without an hour
// the hour pillar's reading stays empty (pillar 0).
std::optional<FullChart> readFullChart(const BirthData& birth);

// The relation of a stem to the day stem, by the judgement's own rule (stemRelation with the day
// stem as base); none for the day stem's own place.
StemReading readStem(Stem dayStem, Stem stem, bool isPerson);

// Shift-JIS labels. The program's label is stemRelationLabel (実行 ...); the common name is the
// one every chart of the art uses (比肩 ...).
std::string_view commonRelationName(StemRelation relation);
// The label with the common name beside it, as the 命式表 names a relation: 革新(偏官).
std::string relationWithCommonName(StemRelation relation);
std::string_view elementName(Element element);  // 木 火 土 金 水
// 年柱 月柱 日柱 時柱
std::string_view pillarPositionName(int position);
// The rows of a 命式表 in their order: 天干 通変星 地支 蔵干 蔵干通変星 十二運 特殊星, and the
// detail row 蔵干の内訳.
enum ChartRow : int {
    kStemRow,
    kRelationRow,
    kBranchRow,
    kCommandingRow,
    kCommandingRelationRow,
    kStageRow,
    kStarsRow,
    kHiddenDetailRow
};
inline constexpr int kChartRowCount = 8;
std::string_view chartRowName(int row);
std::string_view hiddenKindName(HiddenKind kind);    // 余気 中気 本気
std::string_view specialStarName(SpecialStar star);  // 天乙貴人 羊刃 駅馬 魁罡
// The branch's stems with their days in the order they govern: 癸9・辛3・己18.
std::string hiddenSpansText(const HiddenByDays& spans);
// The stars side by side, a space between: 天乙貴人 駅馬.
std::string starsText(const StarList& stars);
// 節入りから12日6時間: the days and whole hours since the month began.
std::string daysSinceTermText(std::int32_t minutesSinceTerm);
// The luck start to the month: 3歳4ヶ月, or 3歳 on a whole year.
std::string startAgeText(std::int32_t startAgeMonths);
// 蔵干の表　標準の月律分野表, and the term-day count where the term's day is day 1.
std::string hiddenTableLine(const ChartRules& rules);

}  // namespace quorvel
