#pragma once
// The one program-wide record through which every dialog and command hands on its results.
#include <cstdint>

#include "calendar/birth_reading.h"
#include "calendar/chart.h"
#include "calendar/chart_rules.h"
#include "consultation/birth_record.h"
#include "consultation/record_list.h"
#include "judgement/avoidance_table.h"
#include "judgement/hexagram_tables.h"
#include "judgement/judgement.h"
#include "platform/handles.h"

namespace quorvel {

inline constexpr std::size_t kOutputFileNameSize = 64;

// Every text is Shift-JIS with a terminating zero in a fixed-size field; nothing is allocated.
struct ConsultationState {
    platform::InstanceHandle instance = nullptr;
    platform::WindowHandle mainWindow = nullptr;

    // The current person and the birth data dialog's sex choice (kept between its openings).
    BirthRecord person;
    char personSexText[4] = {};  // "男", "女" or empty
    std::int32_t maleMark = 0;
    std::int32_t femaleMark = 0;

    // Records held from DATA.CSV; selectedSlot is 1-10, or 0 for none.
    bool recordListLoaded = false;
    RecordList recordList;
    std::int32_t selectedSlot = 0;

    // The rules every chart of the program is read with (命式の流儀, kept in QUORVEL.DB), and the
    // current chart with the times and notices of its reading.
    ChartRules rules;
    Chart chart;
    BirthReading reading;
    bool storeProblemTold = false;  // a QUORVEL.DB that cannot be used is told once a run

    // The pair of pillars to judge, and which kind of period the running pillar is (1 = set).
    char basePillarText[8] = {};
    char runningPillarText[8] = {};
    std::int32_t luckPeriodFlag = -1;
    std::int32_t calendarPeriodFlag = -1;
    JudgementKey judgementKey;
    char relationLabel[11] = {};  // family relation of the chart pillar last chosen

    char judgementBuffer[kJudgementBufferSize] = {};  // 幸運の判断
    char hexagramBuffer[kHexagramBufferSize] = {};    // 人運の判断
    char avoidanceBuffer[kAvoidanceBufferSize] = {};  // 避凶造命法

    // Which text the output button writes, and under which name.
    std::int32_t outputReady = 0;
    std::int32_t avoidanceReady = 0;
    std::int32_t fortuneReady = 0;
    std::int32_t hexagramReady = 0;
    std::int32_t disclosureReady = 0;
    char outputFileName[kOutputFileNameSize] = {};
    bool outputButtonShown = false;  // once shown, the button stays for the run

    // 相性 of `first` with a person chosen from the data file, for the windows below the records
    // that offer it (a chart panel's menu); the shell sets it.
    void (*compareWithChosenPerson)(ConsultationState& state, platform::WindowHandle owner,
                                    const BirthRecord& first) = nullptr;
};

}  // namespace quorvel
