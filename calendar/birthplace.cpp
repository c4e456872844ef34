#include "calendar/birthplace.h"

#include "calendar/prefecture_longitudes.h"
#include "calendar/sexagenary_texts.h"

namespace quorvel {

namespace {

constexpr bool isPrefecture(int code) {
    return code >= 1 && code <= kPrefectureCount;
}

static_assert(sizeof computed::kPrefectureLongitudes / sizeof(double) == kPrefectureCount);

}  // namespace

std::string_view prefectureName(int code) {
    return isPrefecture(code) ? text::prefectureNames[code - 1] : std::string_view();
}

double prefectureLongitude(int code) {
    return isPrefecture(code) ? computed::kPrefectureLongitudes[code - 1] : kStandardMeridian;
}

int findPrefecture(std::string_view sjisName) {
    if (sjisName.empty()) {
        return 0;
    }
    for (int code = 1; code <= kPrefectureCount; ++code) {
        const std::string_view name = prefectureName(code);
        // Every name but 北海道 ends in one two-byte 都, 府 or 県, which may be left out.
        if (sjisName == name ||
            (code != 1 && name.size() > 2 && sjisName == name.substr(0, name.size() - 2))) {
            return code;
        }
    }
    return 0;
}

std::string_view longitudeRangeMessage() {
    return text::longitudeRangeMessage;
}

Birthplace prefectureBirthplace(int code) {
    return {code, prefectureLongitude(code), false};
}

Birthplace typedBirthplace(double degreesEast) {
    return {0, degreesEast, true};
}

}  // namespace quorvel
