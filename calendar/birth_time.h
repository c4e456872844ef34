#pragma once
// A birth as the person gives it: a date and the clock reading, which may lack its minutes or
// be missing altogether.
#include <cstdint>

namespace quorvel {

inline constexpr std::int32_t kHourUnknown = -1;
inline constexpr std::int32_t kMinutesUnknown = -1;

struct BirthTime {
    std::int32_t year = 0;
    std::int32_t month = 0;
    std::int32_t day = 0;
    std::int32_t hour = 0;                  // 0-23, or kHourUnknown
    std::int32_t minute = kMinutesUnknown;  // 0-59, or kMinutesUnknown (read as H:00)
    constexpr bool hourKnown() const { return hour != kHourUnknown; }
    constexpr bool minutesKnown() const { return hourKnown() && minute != kMinutesUnknown; }
    friend bool operator==(const BirthTime&, const BirthTime&) = default;
};

}  // namespace quorvel
