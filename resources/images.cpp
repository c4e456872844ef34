#include "resources/images.h"

namespace quorvel {
namespace {

#include "resources/images/myapp16.xpm"
#include "resources/images/myapp32.xpm"
#include "resources/images/onico15.xpm"
#include "resources/images/otico15.xpm"

constexpr platform::ImageResource kImages[] = {
    {"MyApp", kMyApp32Xpm},
    {"MyApp16", kMyApp16Xpm},
    {"OTICO15", kManXpm},
    {"ONICO15", kWomanXpm},
};

}  // namespace

std::span<const platform::ImageResource> moduleImages() {
    return kImages;
}

const platform::ImageResource* findImage(std::string_view name) {
    for (const platform::ImageResource& image : kImages) {
        if (platform::sameResourceName(image.name, name)) {
            return &image;
        }
    }
    return nullptr;
}

}  // namespace quorvel
