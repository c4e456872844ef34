#pragma once
// Dialog units to pixels, the Windows way: a horizontal unit is a quarter of the dialog font's
// average character width, a vertical unit an eighth of its height.
#include <QFont>
#include <QPoint>
#include <QRect>
#include <QSize>

#include <string_view>

namespace quorvel::platform::qt {

struct DialogUnits {
    int baseWidth;   // average character width, px
    int baseHeight;  // character height, px

    int x(int units) const;
    int y(int units) const;
    QPoint point(int x, int y) const { return {this->x(x), this->y(y)}; }
    QSize size(int width, int height) const { return {x(width), y(height)}; }
    QRect rect(int x, int y, int width, int height) const {
        return {point(x, y), size(width, height)};
    }
};

// Points to pixels at 96 dpi, so that screen resolution does not move a layout.
int pointsToPixels(int points);

// The dialog font: the two Windows gothic names resolve to the installed IPA fonts.
QFont dialogFont(std::string_view cp932FontName, int points);

// The two Windows gothic fonts use the base units Windows gives them (8 x 16 px at 12 points);
// their IPA stand-ins are measured only for any other font, since IPAGothic's taller line would
// make every dialog taller than on Windows.
DialogUnits dialogUnits(std::string_view cp932FontName, int points);

// Call once the application exists.
void registerFontSubstitutes();

}  // namespace quorvel::platform::qt
