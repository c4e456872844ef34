#pragma once
// The module's pictures: the program icon in two sizes and the two sex pictures of the panel.
#include <span>
#include <string_view>

#include "platform/ui.h"

namespace quorvel {

// "MyApp" (32 x 32), "MyApp16" (its 16 x 16 form), "OTICO15" (man), "ONICO15" (woman).
std::span<const platform::ImageResource> moduleImages();

// Resource names compare without regard to ASCII case, as on Windows ("MYAPP" is "MyApp");
// nullptr if unknown.
const platform::ImageResource* findImage(std::string_view name);

}  // namespace quorvel
