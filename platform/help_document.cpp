#include "platform/help_document.h"

#include "common/search_fold.h"

namespace quorvel::platform {

namespace {

bool isAsciiSpace(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trimAscii(std::string_view s) {
    while (!s.empty() && isAsciiSpace(s.front())) {
        s.remove_prefix(1);
    }
    while (!s.empty() && isAsciiSpace(s.back())) {
        s.remove_suffix(1);
    }
    return s;
}

bool isAsciiWordChar(char c) {
    const auto u = static_cast<unsigned char>(c);
    return u > 0x20 && u < 0x7F;
}

// Japanese lines join directly; two lines that meet in Latin words keep a space between them.
void appendLine(std::string& text, std::string_view line) {
    if (!text.empty() && !line.empty() && isAsciiWordChar(text.back()) &&
        isAsciiWordChar(line.front())) {
        text += ' ';
    }
    text += line;
}

class Parser {
  public:
    void line(std::string_view raw) {
        if (!raw.empty() && raw.back() == '\r') {
            raw.remove_suffix(1);
        }
        if (!raw.empty() && raw.front() == '#') {
            return;
        }
        if (raw.starts_with("==")) {
            group_ = trimAscii(raw.substr(2));
            open_ = false;
            return;
        }
        if (!raw.empty() && raw.front() == '=') {
            document_.topics.push_back({std::string(trimAscii(raw.substr(1))), {}, group_});
            open_ = false;
            return;
        }
        const std::string_view text = trimAscii(raw);
        if (text.empty()) {
            open_ = false;
            return;
        }
        if (document_.topics.empty()) {
            return;
        }
        std::vector<HelpBlock>& blocks = document_.topics.back().blocks;
        if (raw.starts_with("- ")) {
            blocks.push_back({HelpBlockKind::Bullet, std::string(trimAscii(raw.substr(2)))});
            open_ = true;
            return;
        }
        const bool continuesBullet = isAsciiSpace(raw.front());
        if (open_ && (blocks.back().kind == HelpBlockKind::Paragraph || continuesBullet)) {
            appendLine(blocks.back().text, text);
            return;
        }
        blocks.push_back({HelpBlockKind::Paragraph, std::string(text)});
        open_ = true;
    }

    HelpDocument take() { return std::move(document_); }

  private:
    HelpDocument document_;
    std::string group_;
    bool open_ = false;  // the last block may still grow
};

}  // namespace

HelpDocument parseHelpDocument(std::string_view utf8) {
    Parser parser;
    while (!utf8.empty()) {
        const std::size_t end = utf8.find('\n');
        parser.line(utf8.substr(0, end));
        if (end == std::string_view::npos) {
            break;
        }
        utf8.remove_prefix(end + 1);
    }
    return parser.take();
}

bool isUtf8(std::string_view bytes) {
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        std::size_t length = 0;
        unsigned minimum = 0;
        unsigned code = 0;
        if (lead < 0x80) {
            ++i;
            continue;
        }
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
            code = lead & 0x1Fu;
            minimum = 0x80;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            code = lead & 0x0Fu;
            minimum = 0x800;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            code = lead & 0x07u;
            minimum = 0x10000;
        } else {
            return false;
        }
        if (i + length > bytes.size()) {
            return false;
        }
        for (std::size_t k = 1; k < length; ++k) {
            const auto trail = static_cast<unsigned char>(bytes[i + k]);
            if ((trail & 0xC0u) != 0x80u) {
                return false;
            }
            code = (code << 6) | (trail & 0x3Fu);
        }
        if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
            return false;
        }
        i += length;
    }
    return true;
}

int findHelpTopic(const HelpDocument& document, std::string_view utf8Title) {
    for (std::size_t i = 0; i < document.topics.size(); ++i) {
        if (document.topics[i].title == utf8Title) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

bool topicContains(const HelpTopic& topic, std::string_view word) {
    if (containsFolded(topic.title, word)) {
        return true;
    }
    for (const HelpBlock& block : topic.blocks) {
        if (containsFolded(block.text, word)) {
            return true;
        }
    }
    return false;
}

}  // namespace quorvel::platform
