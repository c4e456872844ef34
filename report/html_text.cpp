#include "report/html_text.h"

#include "common/sjis_utf8.h"

namespace quorvel::html {

std::string escaped(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (const char c : utf8) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\'':
                out += "&#39;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::string t(std::string_view sjis) {
    return escaped(sjisToUtf8(sjis));
}

}  // namespace quorvel::html
