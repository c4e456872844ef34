// Every text the program shows spells its common words one way: the judgement tables, the fixed
// texts, the messages and the help, read in the UTF-8 sources the build converts.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quorvel {
namespace {

namespace fs = std::filesystem;

struct Spelling {
    const char* used;
    std::vector<std::string> replaced;
    std::vector<std::string> unrelated;  // words that merely contain a replaced spelling
};

const Spelling kSpellings[] = {
    {"よい", {"良い", "良く", "良き", "良け", "良か", "良さ", "良し"}, {}},
    {"付き合い", {"つき合", "づき合", "付合", "付きあ", "つきあ"}, {}},
    {"一人", {"ひとり"}, {}},
    {"時", {"とき"}, {"ひときわ"}},
    {"下さい", {"ください"}, {}},
};

// The spelling a line should have used, or nothing.
std::string misspelt(std::string line) {
    for (const Spelling& s : kSpellings) {
        for (const std::string& word : s.unrelated) {
            for (std::size_t at; (at = line.find(word)) != std::string::npos;) {
                line.replace(at, word.size(), "_");
            }
        }
        for (const std::string& other : s.replaced) {
            if (line.find(other) != std::string::npos) {
                return s.used;
            }
        }
    }
    return "";
}

// The UTF-8 text sources: every layer's data/*.txt and the help.
std::vector<fs::path> textSources() {
    std::vector<fs::path> out;
    const fs::path root = QUORVEL_SOURCE_DIR;
    for (auto it = fs::recursive_directory_iterator(root); it != fs::end(it); ++it) {
        const std::string name = it->path().filename().string();
        if (it->is_directory() && (name.starts_with("build") || name.starts_with("."))) {
            it.disable_recursion_pending();
            continue;
        }
        const std::string folder = it->path().parent_path().filename().string();
        if (it->is_regular_file() && it->path().extension() == ".txt" &&
            (folder == "data" || folder == "help")) {
            out.push_back(it->path());
        }
    }
    return out;
}

TEST(Texts, OneSpellingEverywhere) {
    const struct {
        const char* line;
        const char* expected;
    } cases[] = {
        {"丁度良いでしょう。", "よい"},     {"良縁に恵まれ、最良の時です。", ""},
        {"人づき合いを面倒に", "付き合い"}, {"ひとりで考える", "一人"},
        {"張り合うときは", "時"},           {"ひときわ美しく輝く", ""},
        {"確認してください", "下さい"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(misspelt(c.line), c.expected) << c.line;
    }

    const std::vector<fs::path> sources = textSources();
    std::size_t lines = 0;
    bool help = false;
    for (const fs::path& path : sources) {
        help = help || path.filename() == "quorvel_help.txt";
        std::ifstream in(path);
        int number = 0;
        for (std::string line; std::getline(in, line);) {
            ++number;
            if (!line.starts_with("#")) {
                ++lines;
                EXPECT_EQ(misspelt(line), "") << path.string() << ":" << number;
            }
        }
    }
    EXPECT_GE(sources.size(), 10u);
    EXPECT_TRUE(help);
    EXPECT_GT(lines, 500u);
}

// Every help topic a window opens on F1 (a text named ...HelpTopic) is a title of the help.
TEST(Texts, EveryHelpTopicOfAWindowIsInTheHelp) {
    std::string help;
    std::vector<std::pair<std::string, std::string>> topics;  // where, which
    for (const fs::path& path : textSources()) {
        std::ifstream in(path);
        for (std::string line; std::getline(in, line);) {
            if (path.filename() == "quorvel_help.txt") {
                help += line + "\n";
            }
            const std::size_t key = line.find("HelpTopic = ");
            if (!line.starts_with("#") && key != std::string::npos) {
                topics.emplace_back(path.filename().string() + " " + line.substr(0, key),
                                    line.substr(key + std::string_view("HelpTopic = ").size()));
            }
        }
    }
    EXPECT_GE(topics.size(), 9u);
    for (const auto& [where, title] : topics) {
        EXPECT_NE(help.find("\n= " + title + "\n"), std::string::npos) << where << ": " << title;
    }
}

}  // namespace
}  // namespace quorvel

namespace quorvel {
namespace {

// Every text table becomes a constant of one namespace, so a name two files define must hold
// the same text in both: otherwise the program would show whichever the linker kept.
TEST(Texts, ANameMeansOneTextInEveryFile) {
    std::map<std::string, std::pair<std::string, std::string>> seen;  // name → (text, file)
    for (const fs::path& file : textSources()) {
        if (file.parent_path().filename() != "data") {
            continue;
        }
        std::ifstream in(file);
        std::map<std::string, std::string> texts;  // arrays joined, element by element
        for (std::string line; std::getline(in, line);) {
            const std::size_t eq = line.find(" = ");
            if (line.empty() || line[0] == '#' || eq == std::string::npos) {
                continue;
            }
            const std::string key = line.substr(0, eq);
            const std::string name = key.substr(0, key.find('['));
            texts[name] += line.substr(eq + 3) + '\n';
        }
        for (const auto& [name, text] : texts) {
            const auto [it, added] = seen.try_emplace(name, text, file.string());
            EXPECT_TRUE(added || it->second.first == text)
                << name << " differs in " << file << " and " << it->second.second;
        }
    }
}

}  // namespace
}  // namespace quorvel
