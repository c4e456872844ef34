#pragma once
// The main window's menu ("MyApp").
#include <span>

#include "platform/ui.h"

namespace quorvel {

std::span<const platform::MenuItem> mainMenu();
// The chart panel's context menu: 命式表, 運勢暦 and 鑑定書.
std::span<const platform::MenuItem> panelContextMenu();

}  // namespace quorvel
