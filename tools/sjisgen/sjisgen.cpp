// sjisgen: turns UTF-8 string-table files into a C++ header of Shift-JIS (CP932) constants.
//
//   sjisgen OUTPUT.h INPUT.txt...
//   sjisgen --document INPUT.txt OUTPUT      a whole document (the help), converted as it is
//
// Input lines:
//   # comment                      (blank lines are ignored too)
//   name = text                    a named text; escapes \n \s (space) and \\ (backslash)
//   name[KEY] = text               appends to the array `name`; KEY is only for readers
//   name = <<                      a block: each following line plus a line feed, up to ">>"
//
// Every text becomes a std::string_view over a NUL-terminated literal in namespace quorvel::text.
#include <iconv.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "common/gaiji.h"

namespace {

struct Entry {
    std::string name;
    std::vector<std::string> values;  // one for a plain text, several for an array
    bool isArray = false;
};

[[noreturn]] void fail(const std::string& where, const std::string& what) {
    std::cerr << where << ": error: " << what << '\n';
    std::exit(1);
}

std::string toCp932(const std::string& text, const std::string& where) {
    // The program's own characters go into CP932's user-defined area.
    const std::string utf8 = quorvel::gaiji::toPrivateUse(text);
    iconv_t cd = iconv_open("CP932", "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        fail(where, "iconv has no CP932 converter");
    }
    std::string out(utf8.size() * 2 + 16, '\0');
    char* in = const_cast<char*>(utf8.data());
    size_t inLeft = utf8.size();
    char* outPtr = out.data();
    size_t outLeft = out.size();
    if (iconv(cd, &in, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1)) {
        iconv_close(cd);
        fail(where, "text holds a character that Shift-JIS (CP932) cannot encode near: " +
                        std::string(in, std::min<size_t>(inLeft, 12)));
    }
    iconv_close(cd);
    out.resize(out.size() - outLeft);
    return out;
}

std::string unescape(const std::string& raw, const std::string& where) {
    std::string out;
    for (size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] != '\\') {
            out += raw[i];
            continue;
        }
        if (++i == raw.size()) {
            fail(where, "a backslash ends the line");
        }
        switch (raw[i]) {
            case 'n':
                out += '\n';
                break;
            case 's':
                out += ' ';
                break;
            case '\\':
                out += '\\';
                break;
            default:
                fail(where, std::string("unknown escape \\") + raw[i]);
        }
    }
    return out;
}

bool isIdentifier(const std::string& s) {
    if (s.empty() || (std::isdigit(static_cast<unsigned char>(s[0])) != 0)) {
        return false;
    }
    for (char c : s) {
        if (std::isalnum(static_cast<unsigned char>(c)) == 0 && c != '_') {
            return false;
        }
    }
    return true;
}

void parseFile(const std::string& path, std::vector<Entry>& entries,
               std::map<std::string, size_t>& index) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        fail(path, "cannot open");
    }
    std::string line;
    int lineNo = 0;
    while (std::getline(in, line)) {
        ++lineNo;
        const std::string where = path + ":" + std::to_string(lineNo);
        if (!line.empty() && line.back() == '\r') {
            fail(where, "carriage return in a text file: save it with line feeds only");
        }
        if (line.empty() || line[0] == '#') {
            continue;
        }
        const size_t eq = line.find(" = ");
        const size_t eqEnd = line.size() >= 2 && line.compare(line.size() - 2, 2, " =") == 0
                                 ? line.size() - 2
                                 : std::string::npos;
        const size_t sep = eq != std::string::npos ? eq : eqEnd;
        if (sep == std::string::npos) {
            fail(where, "expected `name = text`");
        }
        std::string name = line.substr(0, sep);
        std::string value = eq != std::string::npos ? line.substr(eq + 3) : std::string();
        bool isArray = false;
        if (const size_t bracket = name.find('['); bracket != std::string::npos) {
            if (name.back() != ']') {
                fail(where, "array element name must end with ]");
            }
            name.resize(bracket);
            isArray = true;
        }
        if (!isIdentifier(name)) {
            fail(where, "`" + name + "` is not a C++ identifier");
        }
        std::string text;
        if (value == "<<") {
            std::string blockLine;
            bool closed = false;
            while (std::getline(in, blockLine)) {
                ++lineNo;
                if (blockLine == ">>") {
                    closed = true;
                    break;
                }
                text += blockLine;
                text += '\n';
            }
            if (!closed) {
                fail(where, "block is not closed by >>");
            }
        } else {
            text = unescape(value, where);
        }
        std::string bytes = toCp932(text, where);
        auto found = index.find(name);
        if (found == index.end()) {
            index.emplace(name, entries.size());
            entries.push_back({name, {std::move(bytes)}, isArray});
        } else if (isArray && entries[found->second].isArray) {
            entries[found->second].values.push_back(std::move(bytes));
        } else {
            fail(where, "`" + name + "` is defined twice");
        }
    }
}

std::string literal(const std::string& bytes) {
    std::string out = "{\"";
    for (const char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c == '\n') {
            out += "\\n";
        } else if (c >= 0x20 && c < 0x7F) {
            out += static_cast<char>(c);
        } else {
            char octal[5];
            std::snprintf(octal, sizeof octal, "\\%03o", c);
            out += octal;
        }
    }
    out += "\", " + std::to_string(bytes.size()) + "}";
    return out;
}

}  // namespace

// A whole UTF-8 document as Shift-JIS, the program's own characters included.
int convertDocument(const std::string& input, const std::string& output) {
    std::ifstream in(input, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    if (!in) {
        fail(input, "cannot read");
    }
    std::ofstream out(output, std::ios::binary);
    out << toCp932(text.str(), input);
    if (!out) {
        fail(output, "cannot write");
    }
    return 0;
}

int main(int argc, char** argv) {
    if (argc == 4 && std::string(argv[1]) == "--document") {
        return convertDocument(argv[2], argv[3]);
    }
    if (argc < 3) {
        std::cerr << "usage: sjisgen OUTPUT.h INPUT.txt...\n"
                     "       sjisgen --document INPUT.txt OUTPUT\n";
        return 2;
    }
    std::vector<Entry> entries;
    std::map<std::string, size_t> index;
    for (int i = 2; i < argc; ++i) {
        parseFile(argv[i], entries, index);
    }
    std::ostringstream header;
    header << "// Generated from UTF-8 string tables; do not edit.\n#pragma once\n"
              "#include <cstddef>\n#include <string_view>\n\nnamespace quorvel::text {\n\n";
    for (const Entry& e : entries) {
        if (e.isArray) {
            header << "inline constexpr std::string_view " << e.name << "[" << e.values.size()
                   << "] = {\n";
            for (const std::string& v : e.values) {
                header << "    std::string_view" << literal(v) << ",\n";
            }
            header << "};\n";
        } else {
            header << "inline constexpr std::string_view " << e.name << literal(e.values[0])
                   << ";\n";
        }
    }
    header << "\n}  // namespace quorvel::text\n";

    const std::string output = argv[1];
    std::ifstream old(output, std::ios::binary);
    std::stringstream oldText;
    oldText << old.rdbuf();
    if (old && oldText.str() == header.str()) {
        return 0;  // unchanged: keep the timestamp so dependants are not rebuilt
    }
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(output).parent_path(), error);
    std::ofstream out(output, std::ios::binary | std::ios::trunc);
    out << header.str();
    if (!out) {
        fail(output, "cannot write");
    }
    return 0;
}
