#include "app/resources/images.h"

#include <algorithm>

namespace quorvel {
namespace {

#include "app/resources/images/myapp16.xpm"
#include "app/resources/images/myapp32.xpm"
#include "app/resources/images/onico15.xpm"
#include "app/resources/images/otico15.xpm"

constexpr platform::ImageResource kImages[] = {
    {"MyApp", kMyApp32Xpm},
    {"MyApp16", kMyApp16Xpm},
    {"OTICO15", kManXpm},
    {"ONICO15", kWomanXpm},
};

constexpr char asciiUpper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

}  // namespace

std::span<const platform::ImageResource> moduleImages() {
    return kImages;
}

const platform::ImageResource* findImage(std::string_view name) {
    for (const platform::ImageResource& image : kImages) {
        if (std::ranges::equal(image.name, name, {}, asciiUpper, asciiUpper)) {
            return &image;
        }
    }
    return nullptr;
}

}  // namespace quorvel
