#pragma once
// Where a person was born, as far as the chart cares: a longitude east of Greenwich, from one of
// the 47 prefectural offices or typed in. Births abroad are not read: the clock is always Japan's.
#include <cstdint>
#include <string_view>

namespace quorvel {

inline constexpr int kPrefectureCount = 47;
inline constexpr int kOkinawa = 47;  // under US administration 1945-1972: no Japanese summer time
inline constexpr double kStandardMeridian = 135.0;
inline constexpr double kFirstTypedLongitude = 120.0;
inline constexpr double kLastTypedLongitude = 155.0;

struct Birthplace {
    std::int32_t prefecture = 0;  // 1-47 (JIS order, 北海道 = 1), 0 when none or typed
    double longitude = 0.0;       // degrees east; meaningful when known()
    bool typed = false;           // a longitude typed in, not a prefecture's
    constexpr bool known() const { return prefecture != 0 || typed; }
    friend bool operator==(const Birthplace&, const Birthplace&) = default;
};

// Shift-JIS name (福岡県) and the longitude of the prefectural office; code 1-47.
std::string_view prefectureName(int code);
double prefectureLongitude(int code);
// The code of a prefecture named in Shift-JIS with or without its 都道府県 (福岡県, 福岡, 東京,
// 北海道); 0 when none.
int findPrefecture(std::string_view sjisName);

constexpr bool isTypedLongitude(double degrees) {
    return degrees >= kFirstTypedLongitude && degrees <= kLastTypedLongitude;
}
// Shift-JIS: what to tell a user whose typed longitude is not isTypedLongitude.
std::string_view longitudeRangeMessage();

Birthplace prefectureBirthplace(int code);       // code must be 1-47
Birthplace typedBirthplace(double degreesEast);  // must be isTypedLongitude

}  // namespace quorvel
