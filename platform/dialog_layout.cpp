#include "platform/dialog_layout.h"

#include <algorithm>

namespace quorvel::platform {

PlacedRect followDialogSize(const DialogTemplate& dialog, const ControlTemplate& control,
                            PlacedRect placed, int grownWidth, int grownHeight) {
    const auto table =
        std::find_if(dialog.controls.begin(), dialog.controls.end(),
                     [](const ControlTemplate& c) { return c.kind == ControlKind::Table; });
    if (!dialog.resizable || table == dialog.controls.end()) {
        return placed;
    }
    if (&control == &*table) {
        return {placed.x, placed.y, placed.width + grownWidth, placed.height + grownHeight};
    }
    if (control.y >= table->y + table->height) {
        placed.y += grownHeight;
    }
    if (control.x == table->x && control.width == table->width) {
        placed.width += grownWidth;
    }
    return placed;
}

}  // namespace quorvel::platform
