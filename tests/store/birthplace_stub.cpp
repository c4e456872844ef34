// Birthplaces for the tests, while calendar/ lacks them; built only then. The longitudes are
// made up: the tests compare what the store gives back with these same functions.
#include "calendar/birthplace.h"

namespace quorvel {

double prefectureLongitude(int code) {
    return 129.0 + code * 0.25;
}

Birthplace prefectureBirthplace(int code) {
    return {code, prefectureLongitude(code), false};
}

Birthplace typedBirthplace(double degreesEast) {
    return {0, degreesEast, true};
}

}  // namespace quorvel
