#include "common/sjis_utf8.h"
#include "platform/win32/win32.h"

namespace quorvel::platform::win32 {

namespace {

std::wstring toWide(UINT codePage, std::string_view text) {
    if (text.empty()) {
        return {};
    }
    const int length = static_cast<int>(text.size());
    const int wide = MultiByteToWideChar(codePage, 0, text.data(), length, nullptr, 0);
    std::wstring out(static_cast<std::size_t>(wide), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), length, out.data(), wide);
    return out;
}

std::string fromWide(UINT codePage, std::wstring_view text) {
    if (text.empty()) {
        return {};
    }
    const int length = static_cast<int>(text.size());
    const int bytes =
        WideCharToMultiByte(codePage, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(codePage, 0, text.data(), length, out.data(), bytes, nullptr, nullptr);
    return out;
}

}  // namespace

// Shift-JIS goes through the program's own converter, so that a typed text becomes the very
// bytes the Linux program makes of it.
std::wstring widen(std::string_view cp932) {
    return toWide(CP_UTF8, sjisToUtf8(cp932));
}

std::string narrow(std::wstring_view wide) {
    bool ok = true;
    return utf8ToSjis(fromWide(CP_UTF8, wide), ok);
}

std::wstring widenUtf8(std::string_view utf8) {
    return toWide(CP_UTF8, utf8);
}

std::string narrowUtf8(std::wstring_view wide) {
    return fromWide(CP_UTF8, wide);
}

}  // namespace quorvel::platform::win32
