#include "cli/output_encoding.h"

#include "platform/console.h"

namespace quorvel::cli {

namespace {

unsigned errorPage = 0;

}  // namespace

unsigned outputCodePage(EncodingFlags flags, bool json, unsigned consoleCodePage) {
    if (flags.sjis) {
        return platform::kShiftJisCodePage;
    }
    if (flags.utf8 || json || consoleCodePage == 0) {
        return platform::kUtf8CodePage;
    }
    return consoleCodePage;
}

void setErrorCodePage(unsigned codePage) {
    errorPage = codePage;
}

unsigned errorCodePage() {
    return errorPage;
}

}  // namespace quorvel::cli
