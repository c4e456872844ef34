#pragma once
// The help file's format, read without any user-interface library:
//
//   # a comment line (anywhere; it neither ends nor continues a paragraph)
//   == Group          starts a group of topics (the contents list shows it as a heading)
//   = Title           starts a topic; the titles make the contents list
//   text lines        consecutive lines form one paragraph
//   - item            a bullet item; a following line indented by a space continues it
//   (blank line)      ends a paragraph or item
//
// Text before the first title belongs to no topic and is not shown.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel::platform {

enum class HelpBlockKind : std::uint8_t { Paragraph, Bullet };

struct HelpBlock {
    HelpBlockKind kind;
    std::string text;  // UTF-8

    bool operator==(const HelpBlock&) const = default;
};

struct HelpTopic {
    std::string title;  // UTF-8
    std::vector<HelpBlock> blocks;
    std::string group{};  // UTF-8; empty before the first group line

    bool operator==(const HelpTopic&) const = default;
};

struct HelpDocument {
    std::vector<HelpTopic> topics;
};

// `utf8` is the file's text already in UTF-8 (the file itself is Shift-JIS); line ends are LF
// or CR LF.
HelpDocument parseHelpDocument(std::string_view utf8);

// True when the bytes are well-formed UTF-8, which Japanese Shift-JIS text practically never is:
// tells a help file left in UTF-8 from one in Shift-JIS.
bool isUtf8(std::string_view bytes);

// The index of the topic of that title (UTF-8), or -1 when the document holds none.
int findHelpTopic(const HelpDocument& document, std::string_view utf8Title);

// True when the topic's title or text contains `word` (UTF-8), regardless of case and width.
bool topicContains(const HelpTopic& topic, std::string_view word);

}  // namespace quorvel::platform
