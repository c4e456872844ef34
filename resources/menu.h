#pragma once
// The main window's menu ("MyApp").
#include <span>

#include "platform/ui.h"

namespace quorvel {

std::span<const platform::MenuItem> mainMenu();

}  // namespace quorvel
