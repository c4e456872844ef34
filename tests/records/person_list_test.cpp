#include "records/person_list.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "common/fixed_text.h"
#include "tests/support/sjis.h"

namespace quorvel {
namespace {

using test::sjis;

// Names that one search word must find however they are written.
const char* const kNames[] = {"山田太郎", "ﾔﾏﾀﾞ", "Yamada", "ＹＡＭＡＤＡ花子", "鈴木"};
constexpr int kNameCount = 5;

std::string personLine(int i) {
    return sjis(kNames[i % kNameCount]) + (i % 2 == 0 ? ",1,0," : ",0,1,") +
           std::to_string(1950 + i % 50) + ",3,15,10,";
}

struct Built {
    std::string text;
    std::vector<int> personLines;
    std::vector<int> skippedLines;
    int firstZeroLine = 0;  // the dialog's reading ends there
};

// `persons` records, CRLF every third line, and after every `skipEvery` records a blank line
// (never reported) and a line that must be skipped: cut short, or holding a zero byte.
Built build(int persons, int skipEvery, bool finalLineFeed = true) {
    Built b;
    int line = 0;
    for (int i = 0; i < persons; ++i) {
        if (skipEvery > 0 && i > 0 && i % skipEvery == 0) {
            b.text += "\n";
            const bool zero = (i / skipEvery) % 2 == 0;
            b.text += zero ? std::string("zero\0,1,0,1990,5,6,7,\n", 22)
                           : std::string("cut,1,0,1990,5\n");
            line += 2;
            b.skippedLines.push_back(line);
            if (zero && b.firstZeroLine == 0) {
                b.firstZeroLine = line;
            }
        }
        b.text += personLine(i);
        b.text += i % 3 == 0 ? "\r\n" : "\n";
        b.personLines.push_back(++line);
    }
    if (!finalLineFeed && !b.text.empty()) {
        b.text.pop_back();
    }
    return b;
}

class PersonFile : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = std::filesystem::temp_directory_path() /
                  ("quorvel-persons-" + std::to_string(::getpid()) + "-" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
        path_ = (folder_ / "DATA.CSV").string();
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }
    void write(const std::string& text) const { std::ofstream(path_, std::ios::binary) << text; }

    std::filesystem::path folder_;
    std::string path_;
};

TEST_F(PersonFile, EveryPersonIsReadWithItsLineAndEverySkippedLineIsTold) {
    const struct {
        int persons;
        int skipEvery;
        bool finalLineFeed;
    } cases[] = {
        {0, 0, true},   {1, 0, false},  {1, 0, true},        {11, 4, true},
        {11, 3, false}, {11, 0, false}, {100000, 997, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.persons << " persons, skip every " << c.skipEvery);
        const Built b = build(c.persons, c.skipEvery, c.finalLineFeed);
        write(b.text);
        PersonList list;
        ASSERT_EQ(readPersonList(path_.c_str(), list, WhenMissing::Leave), PersonFileStatus::Read);
        ASSERT_EQ(list.persons.size(), static_cast<std::size_t>(c.persons));
        EXPECT_EQ(list.skippedLines, b.skippedLines);
        std::vector<int> lines;
        for (const PersonEntry& p : list.persons) {
            lines.push_back(p.line);
        }
        EXPECT_EQ(lines, b.personLines);
        if (c.persons > 0) {
            const PersonEntry& last = list.persons.back();
            EXPECT_EQ(fieldText(last.slot.nameText), sjis(kNames[(c.persons - 1) % kNameCount]));
            EXPECT_EQ(fieldText(last.slot.hourText), "10");
        }

        // The dialog's ten are the list's first ten, so record N means one person everywhere
        // (up to a zero byte, where the dialog stops reading).
        RecordList ten;
        parseRecordList(b.text, ten);
        for (int n = 0; n < kRecordSlotCount; ++n) {
            if (b.firstZeroLine > 0 && n < c.persons &&
                list.persons[static_cast<std::size_t>(n)].line > b.firstZeroLine) {
                break;
            }
            const std::string_view expected = fieldText(ten.slots[n].label);
            EXPECT_EQ(n < c.persons
                          ? fieldText(list.persons[static_cast<std::size_t>(n)].slot.label)
                          : "",
                      expected)
                << n;
        }

        // Search: every spelling of one name, a birth year in either width, and no one.
        int yamada = 0, kana = 0, born1965 = 0;
        for (int i = 0; i < c.persons; ++i) {
            yamada += i % kNameCount == 2 || i % kNameCount == 3 ? 1 : 0;
            kana += i % kNameCount == 1 ? 1 : 0;
            born1965 += 1950 + i % 50 == 1965 ? 1 : 0;
        }
        const struct {
            const char* word;
            int found;
        } searches[] = {
            {"", c.persons}, {"yamada", yamada}, {"ＹａＭａｄａ", yamada}, {"ヤマダ", kana},
            {"ﾀﾞ", kana},    {"1965", born1965}, {"１９６５", born1965},   {"佐藤", 0},
        };
        for (const auto& s : searches) {
            const std::vector<std::size_t> found = searchPersons(list, sjis(s.word));
            EXPECT_EQ(found.size(), static_cast<std::size_t>(s.found)) << s.word;
            for (const std::size_t i : found) {
                ASSERT_LT(i, list.persons.size());
            }
        }
    }
}

TEST_F(PersonFile, AFileThatCannotBeListedIsToldAndNothingIsMade) {
    PersonList list;
    EXPECT_EQ(readPersonList(path_.c_str(), list, WhenMissing::Leave), PersonFileStatus::Missing);
    EXPECT_FALSE(std::filesystem::exists(path_));

    std::ofstream(path_, std::ios::binary) << personLine(0) << "\n";
    std::filesystem::resize_file(path_, kPersonFileLimit + 1);
    EXPECT_EQ(readPersonList(path_.c_str(), list, WhenMissing::Leave), PersonFileStatus::TooLarge);
    EXPECT_TRUE(list.persons.empty());
    EXPECT_EQ(std::filesystem::file_size(path_), kPersonFileLimit + 1);

    std::filesystem::remove(path_);
    std::filesystem::create_directory(path_);
    EXPECT_EQ(readPersonList(path_.c_str(), list, WhenMissing::Leave),
              PersonFileStatus::Unreadable);
    for (const PersonFileStatus status :
         {PersonFileStatus::Missing, PersonFileStatus::TooLarge, PersonFileStatus::Unreadable}) {
        EXPECT_FALSE(personFileMessage(status).empty());
    }
}

}  // namespace
}  // namespace quorvel
