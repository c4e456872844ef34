#pragma once
// Where the controls of a resizable dialog go when it is made larger than its template: the
// dialog's (first) table grows with it, whatever stands below the table follows the bottom edge,
// and a control as wide as the table, a caption above it, grows as wide.
#include "platform/ui.h"

namespace quorvel::platform {

struct PlacedRect {
    int x, y, width, height;

    bool operator==(const PlacedRect&) const = default;
};

// `placed` is where the control stands at the template's size (in pixels or any unit); `grown`
// how much wider and taller the dialog is now, in the same unit.
PlacedRect followDialogSize(const DialogTemplate& dialog, const ControlTemplate& control,
                            PlacedRect placed, int grownWidth, int grownHeight);

}  // namespace quorvel::platform
