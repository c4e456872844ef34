#include "platform/qt/images.h"

#include <map>
#include <string_view>

#include "platform/qt/text_codec.h"

namespace quorvel::platform::qt {

namespace {

struct Resources {
    ModuleResources module{};
    // By the resource's own name. Kept for the whole run and never freed: pixmaps must not
    // outlive the application object through static destruction at exit.
    std::map<std::string_view, QPixmap> decoded;
};

Resources& resources() {
    static auto* r = new Resources;
    return *r;
}

}  // namespace

void setModuleResources(const ModuleResources& module) {
    resources().module = module;
    resources().decoded.clear();
}

QPixmap moduleImage(std::string_view name) {
    Resources& r = resources();
    for (const ImageResource& image : r.module.images) {
        if (!sameResourceName(image.name, name) || image.xpm == nullptr) {
            continue;
        }
        auto found = r.decoded.find(image.name);
        if (found == r.decoded.end()) {
            found = r.decoded.emplace(image.name, QPixmap(image.xpm)).first;
        }
        return found->second;
    }
    return {};
}

QString helpFileName() {
    return fromCp932(resources().module.helpFileName);
}

}  // namespace quorvel::platform::qt
