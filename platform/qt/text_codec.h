#pragma once
// Shift-JIS (CP932) at the edge of Qt. Every text crossing platform/ui.h is CP932; widgets speak
// Unicode. glibc's "CP932" keeps 0x5C a backslash and knows the Windows extensions, which the
// strict "SHIFT_JIS" table does not.
#include <QString>

#include <cstddef>
#include <string>
#include <string_view>

namespace quorvel::platform::qt {

// Bytes that are not CP932 become U+FFFD.
QString fromCp932(std::string_view cp932);
// Characters CP932 cannot hold become '?', as Windows writes them.
std::string toCp932(const QString& text);
// False when a character of the text has no CP932 form.
bool isCp932(const QString& text);

}  // namespace quorvel::platform::qt
