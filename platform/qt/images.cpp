#include "platform/qt/images.h"

#include <cctype>
#include <map>
#include <string>

#include "platform/qt/text_codec.h"

namespace quorvel::platform::qt {

namespace {

struct Resources {
    ModuleResources module{};
    // Kept for the whole run and never freed: pixmaps must not outlive the application object
    // through static destruction at exit.
    std::map<std::string, QPixmap> decoded;
};

Resources& resources() {
    static auto* r = new Resources;
    return *r;
}

std::string upper(std::string_view name) {
    std::string key(name);
    for (char& c : key) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return key;
}

}  // namespace

void setModuleResources(const ModuleResources& module) {
    resources().module = module;
    resources().decoded.clear();
}

QPixmap moduleImage(std::string_view name) {
    Resources& r = resources();
    const std::string key = upper(name);
    if (const auto found = r.decoded.find(key); found != r.decoded.end()) {
        return found->second;
    }
    for (const ImageResource& image : r.module.images) {
        if (upper(image.name) == key && image.xpm != nullptr) {
            QPixmap pixmap(image.xpm);
            r.decoded.emplace(key, pixmap);
            return pixmap;
        }
    }
    return {};
}

QString helpFileName() {
    return fromCp932(resources().module.helpFileName);
}

}  // namespace quorvel::platform::qt
