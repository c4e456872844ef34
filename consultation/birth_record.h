#pragma once
#include <cstdint>

#include "calendar/birth_time.h"
#include "calendar/birthplace.h"
#include "calendar/sex.h"

namespace quorvel {

// One person as entered: the name is Shift-JIS, at most 31 bytes.
struct BirthRecord {
    char name[32] = {};
    Sex sex = Sex::Unset;
    std::int32_t year = 0;
    std::int32_t month = 0;
    std::int32_t day = 0;
    std::int32_t hour = 0;                  // or kHourUnknown
    std::int32_t minute = kMinutesUnknown;  // kept in DATA.CSV's hour field as H:MM
    Birthplace place{};                     // kept in QUORVEL.DB, under the DATA.CSV line

    BirthTime birthTime() const { return {year, month, day, hour, minute}; }
};

}  // namespace quorvel
