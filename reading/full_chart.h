#pragma once
// The full chart (命式): each pillar with the relation of its stem to the person's day stem, its
// branch's hidden stems and their relations, the day stem's stage at the branch; the void
// branches, the five-element counts and the sectional terms around the birth.
//
// Pure values, no user interface: callers turn them into texts with the label functions below
// (Shift-JIS, like every text of the core). A birth that the calendar cannot compute is refused
// as a result, never read past.
#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "calendar/birth_reading.h"
#include "calendar/chart.h"
#include "calendar/chart_details.h"
#include "calendar/sex.h"
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

}  // namespace quorvel
