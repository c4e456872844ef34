#pragma once
// The main window's menu ("MyApp").
#include <span>

#include "platform/ui.h"

namespace quorvel {

std::span<const platform::MenuItem> mainMenu();
// The chart panel's context menu: 命式表 and 運勢暦.
std::span<const platform::MenuItem> panelContextMenu();

}  // namespace quorvel
