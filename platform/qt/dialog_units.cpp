#include "platform/qt/dialog_units.h"

#include <QFontMetrics>
#include <QString>
#include <QStringList>

#include <algorithm>

#include "platform/qt/text_codec.h"
#include "platform/qt_texts.h"

namespace quorvel::platform::qt {

namespace {

// Windows' MulDiv: the product rounded half away from zero.
int mulDiv(int value, int numerator, int denominator) {
    const long long product = static_cast<long long>(value) * numerator;
    const long long half = denominator / 2;
    return static_cast<int>(product >= 0 ? (product + half) / denominator
                                         : (product - half) / denominator);
}

bool isWindowsGothic(std::string_view name) {
    return name == text::qtFontGothic || name == text::qtFontPGothic;
}

}  // namespace

int DialogUnits::x(int units) const {
    return mulDiv(units, baseWidth, 4);
}

int DialogUnits::y(int units) const {
    return mulDiv(units, baseHeight, 8);
}

int pointsToPixels(int points) {
    return mulDiv(points, 96, 72);
}

void registerFontSubstitutes() {
    QFont::insertSubstitutions(fromCp932(text::qtFontGothic),
                               QStringList{QStringLiteral("IPAGothic")});
    QFont::insertSubstitutions(fromCp932(text::qtFontPGothic),
                               QStringList{QStringLiteral("IPAPGothic")});
}

QFont dialogFont(std::string_view cp932FontName, int points) {
    QFont font(fromCp932(cp932FontName));
    font.setPixelSize(std::max(1, pointsToPixels(points)));
    return font;
}

DialogUnits dialogUnits(std::string_view cp932FontName, int points) {
    const int pixels = std::max(1, pointsToPixels(points));
    if (isWindowsGothic(cp932FontName)) {
        // Their half-width glyphs are exactly half the em, and the em is the cell height.
        return {std::max(1, pixels / 2), pixels};
    }
    const QFontMetrics metrics(dialogFont(cp932FontName, points));
    const int alphabet = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    // Windows averages the 52 letters and rounds: (width / 26 + 1) / 2.
    return {std::max(1, (alphabet / 26 + 1) / 2), std::max(1, metrics.height())};
}

}  // namespace quorvel::platform::qt
