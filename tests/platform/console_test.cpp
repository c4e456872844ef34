// Text for a file or a pipe in the code page its reader expects: the console's on Windows,
// where `more` and `findstr` read a pipe in it.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

#include "cli/output_encoding.h"
#include "cli/output_stream.h"
#include "platform/console.h"
#include "tests/support/sjis.h"

namespace quorvel {
namespace {

using test::sjis;

constexpr unsigned kSjis = platform::kShiftJisCodePage;
constexpr unsigned kUtf8 = platform::kUtf8CodePage;

TEST(OutputCodePage, FlagsJsonAndTheConsoleChooseIt) {
    const struct {
        bool sjisFlag, utf8Flag, json;
        unsigned console, expected;
    } cases[] = {
        {false, false, false, 0, kUtf8},      // a POSIX terminal, or no console at all
        {false, false, false, 932, kSjis},    // Japanese Windows: the texts as they are
        {false, false, false, 65001, kUtf8},  // chcp 65001
        {false, false, false, 1252, 1252},
        {false, false, true, 932, kUtf8},  // JSON is UTF-8 whatever the console
        {true, false, true, 1252, kSjis},  // unless asked otherwise
        {false, true, false, 932, kUtf8},
        {true, false, false, 0, kSjis},
        {true, false, false, 1252, kSjis},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(cli::outputCodePage({.sjis = c.sjisFlag, .utf8 = c.utf8Flag}, c.json, c.console),
                  c.expected)
            << c.sjisFlag << c.utf8Flag << c.json << " " << c.console;
    }
}

struct Recoding {
    std::string_view utf8;  // the text, and what it becomes in UTF-8
    unsigned from, to;
    std::string_view expected;  // empty: the text in `to` as sjis() gives it, or the UTF-8
};

std::string inCodePage(std::string_view utf8, unsigned codePage) {
    return codePage == kSjis ? sjis(utf8) : std::string(utf8);
}

std::string expectedOf(const Recoding& c) {
    return c.expected.empty() ? inCodePage(c.utf8, c.to) : std::string(c.expected);
}

const Recoding kRecodings[] = {
    {"甲子 乙丑の運 ①～", kSjis, kUtf8, {}},
    {"甲子 乙丑の運 ①～", kUtf8, kSjis, {}},
    {"表示", kSjis, kSjis, {}},  // a trail byte 0x5C stays
    {"", kUtf8, kSjis, {}},
#ifdef _WIN32
    {"甲子", kSjis, 936, "\xBC\xD7\xD7\xD3"},
    {"甲子", kUtf8, 949, "\xCB\xA3\xED\xAD"},
    {"運 1990", kSjis, 1252, "? 1990"},  // Windows' own "?" for what 1252 lacks
    {"運 1990 é", kUtf8, 1252, "? 1990 \xE9"},
    {"甲子", kSjis, 54321, "甲子"},  // no such code page: UTF-8, nothing lost
#endif
};

TEST(Recode, TextReachesTheReadersCodePage) {
    for (const Recoding& c : kRecodings) {
        EXPECT_EQ(platform::recode(inCodePage(c.utf8, c.from), c.from, c.to), expectedOf(c))
            << c.utf8 << " " << c.from << " -> " << c.to;
    }
}

std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// What the tool's output stream leaves in a file: the texts, made in Shift-JIS or UTF-8, in the
// code page it was given.
TEST(OutputStream, AFileGetsTheChosenCodePage) {
    const struct {
        bool madeInSjis;
        unsigned codePage;
        unsigned expectedIn;
    } cases[] = {
        {true, 0, kSjis},      {false, 0, kUtf8},    {true, kSjis, kSjis},
        {false, kUtf8, kUtf8}, {true, kUtf8, kUtf8}, {false, kSjis, kSjis},
    };
    const std::string path = ::testing::TempDir() + "quorvel-console-test.txt";
    for (const auto& c : cases) {
        std::FILE* file = std::fopen(path.c_str(), "wb");
        ASSERT_NE(file, nullptr);
        cli::OutputStream out(file);
        out.setSjis(c.madeInSjis);
        out.setCodePage(c.codePage);
        out.write(inCodePage("年運 庚午\n", c.madeInSjis ? kSjis : kUtf8));
        out.write(inCodePage("忍耐(正官)\n", c.madeInSjis ? kSjis : kUtf8));
        ASSERT_TRUE(out.close());
        EXPECT_EQ(readAll(path), inCodePage("年運 庚午\n忍耐(正官)\n", c.expectedIn))
            << c.madeInSjis << " " << c.codePage;
    }
    std::remove(path.c_str());
}

}  // namespace
}  // namespace quorvel
