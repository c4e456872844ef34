#include "cli/argument_errors.h"

#include "cli/cli_texts.h"
#include "common/sjis_utf8.h"

namespace quorvel::cli {

namespace {

std::string_view leadOf(const CLI::Error& error) {
    if (dynamic_cast<const CLI::RequiredError*>(&error) != nullptr) {
        return text::argumentMissingMessage;
    }
    if (dynamic_cast<const CLI::ExcludesError*>(&error) != nullptr) {
        return text::argumentExcludedMessage;
    }
    if (dynamic_cast<const CLI::RequiresError*>(&error) != nullptr) {
        return text::argumentRequiresMessage;
    }
    if (dynamic_cast<const CLI::ExtrasError*>(&error) != nullptr) {
        return text::argumentExtraMessage;
    }
    if (dynamic_cast<const CLI::ArgumentMismatch*>(&error) != nullptr) {
        return text::argumentCountMessage;
    }
    if (dynamic_cast<const CLI::ConversionError*>(&error) != nullptr ||
        dynamic_cast<const CLI::ValidationError*>(&error) != nullptr) {
        return text::argumentValueMessage;
    }
    return text::argumentOtherMessage;
}

}  // namespace

std::string argumentErrorText(const CLI::Error& error, std::string_view detail) {
    return sjisToUtf8(leadOf(error)) + " (" + std::string(detail) + ")";
}

std::string unknownCommandText(std::string_view command) {
    return sjisToUtf8(text::unknownCommandMessage) + std::string(command) + "\n" +
           sjisToUtf8(text::commandListHint);
}

}  // namespace quorvel::cli
