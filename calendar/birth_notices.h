#pragma once
// The texts a chart shows about its birth time: the rules it was read with, the corrected times
// and the notices. Shift-JIS.
#include <string>
#include <string_view>

#include "calendar/birth_reading.h"

namespace quorvel {

std::string_view unknownHourText();  // 不明
std::string_view summerTimeGapMessage();

std::string_view ruleName(SummerTimeRule rule);
std::string_view ruleName(SolarTimeRule rule);
std::string_view ruleName(DayChangeRule rule);
std::string_view ruleName(TermRule rule);
std::string_view ruleName(HiddenTable rule);
std::string_view countTermDayName(bool countTermDay);

// 古典, 精密 or 個別設定 by the rules that read the birth (the hidden table and the term-day count
// belong to every preset), and the line that names those rules.
std::string_view presetName(const ChartRules& rules);
std::string rulesLine(const ChartRules& rules);

// 標準時 10時10分 / 地方平均時 9時51分; the clock first where summer time moved it.
std::string timesLine(const BirthReading& reading);

std::string noticeText(const BirthNotice& notice, const BirthReading& reading);

}  // namespace quorvel
