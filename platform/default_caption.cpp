#include "platform/platform_texts.h"
#include "platform/ui.h"

namespace quorvel::platform {

std::string_view defaultMessageCaption() {
    return text::defaultMessageCaption;
}

}  // namespace quorvel::platform
