#include "platform/qt/text_codec.h"

#include "common/sjis_utf8.h"

namespace quorvel::platform::qt {

QString fromCp932(std::string_view cp932) {
    const std::string utf8 = sjisToUtf8(cp932);
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string toCp932(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    bool ok = true;
    return utf8ToSjis(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())),
                      ok);
}

bool isCp932(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    bool ok = true;
    utf8ToSjis(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())), ok);
    return ok;
}

}  // namespace quorvel::platform::qt
