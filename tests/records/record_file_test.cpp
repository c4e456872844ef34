#include "records/record_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <sstream>
#include <string>

#include "common/fixed_text.h"
#include "tests/support/sjis.h"

namespace quorvel {
namespace {

using test::sjis;

BirthRecord person(const char* utf8Name, Sex sex, int y, int m, int d, int h) {
    BirthRecord r;
    copyText(r.name, sjis(utf8Name));
    r.sex = sex;
    r.year = y;
    r.month = m;
    r.day = d;
    r.hour = h;
    return r;
}

std::string label(const char* name, const char* sex, const char* birth) {
    return sjis(name) + "        " + sjis(sex) + "  " + sjis(birth);
}

TEST(RecordFile, LinesAreWrittenAsTheFileHoldsThem) {
    char line[kRecordLineSize];
    formatRecordLine(person("花子", Sex::Female, 1972, 5, 7, 23), line);
    EXPECT_EQ(std::string(line), sjis("花子,0,1,1972,5,7,23,\n"));
    formatRecordLine(person("", Sex::Male, 2000, 12, 31, 0), line);
    EXPECT_EQ(std::string(line), ",1,0,2000,12,31,0,\n");
}

TEST(RecordFile, ReadingTakesTheFirstTenWholeRecords) {
    const struct {
        std::string text;
        int records;
        std::string firstLabel;
    } cases[] = {
        {sjis("太郎,1,0,1965,3,15,10,\n"), 1, label("太郎", "男", "1965年3月15日10時生まれ")},
        {sjis("太郎,1,0,1965,3,15,10,\r\n花子,0,1,1972,5,7,23,\r\n"), 2,
         label("太郎", "男", "1965年3月15日10時生まれ")},
        {sjis("両,1,1,19650,3,15,10,\n"), 1, label("両", "", "1965年3月15日10時生まれ")},
        {sjis("途中,1,0,1965,3\n花子,0,1,1972,5,7,23,"), 1,
         label("花子", "女", "1972年5月7日23時生まれ")},  // a cut line is dropped
        {"", 0, ""},
        {"a,1", 0, ""},
        {"a,1,0,", 0, ""},
        {std::string("x,1,0,1,2,3,4,\n\0y,1,0,1,2,3,4,\n", 30), 1,
         "x        " + sjis("男") + "  1" + sjis("年") + "2" + sjis("月3日4時生まれ")},
    };
    for (const auto& c : cases) {
        RecordList list;
        parseRecordList(c.text, list);
        int filled = 0;
        for (const RecordSlot& slot : list.slots) {
            filled += slot.label[0] != '\0' ? 1 : 0;
        }
        EXPECT_EQ(filled, c.records) << c.text;
        EXPECT_EQ(std::string(list.slots[0].label), c.firstLabel) << c.text;
    }
}

TEST(RecordFile, TwelveRecordsShowTenAndLongFieldsAreCutOnCharacters) {
    std::string text;
    for (int i = 1; i <= 12; ++i) {
        text += "p" + std::to_string(i) + ",1,0,1965,3,15,10,\n";
    }
    RecordList list;
    parseRecordList(text, list);
    EXPECT_STREQ(list.slots[9].nameText, "p10");

    std::string longName;
    for (int i = 0; i < 20; ++i) {
        longName += sjis("漢");
    }
    parseRecordList(longName + ",1,0,1965,12345678901,15,10,\n", list);
    EXPECT_EQ(std::string(list.slots[0].nameText), longName.substr(0, 30));
    EXPECT_STREQ(list.slots[0].monthText, "1234567");
    // Bytes that are no Shift-JIS and binary noise give fewer records, never a crash.
    std::string noise;
    for (int i = 0; i < 9000; ++i) {
        noise += static_cast<char>((i * 131 + 7) % 256);
    }
    parseRecordList(noise, list);
}

TEST(RecordFile, NumbersAreReadAsThePlainDecimalConversionReadsThem) {
    const struct {
        const char* text;
        int value;
    } cases[] = {{"1965", 1965}, {"  7", 7}, {"-3", -3}, {"+4", 4},
                 {"12ab", 12},   {"", 0},    {"x", 0},   {"99999999999", 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(recordNumber(c.text), c.value) << c.text;
    }
}

class RecordFileOnDisk : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = std::filesystem::temp_directory_path() /
                  ("quorvel-records-" + std::to_string(::getpid()) + "-" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
        path_ = (folder_ / "DATA.CSV").string();
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    std::string content() const {
        std::ifstream in(path_, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    void write(const std::string& text) const { std::ofstream(path_, std::ios::binary) << text; }

    std::filesystem::path folder_;
    std::string path_;
};

TEST_F(RecordFileOnDisk, AMissingFileIsCreatedEmptyAndAnEmptyOneListsNothing) {
    RecordList list;
    EXPECT_EQ(readRecordList(path_.c_str(), list, WhenMissing::Leave), RecordFileStatus::Missing);
    EXPECT_FALSE(std::filesystem::exists(path_));
    EXPECT_EQ(readRecordList(path_.c_str(), list), RecordFileStatus::Missing);
    EXPECT_TRUE(std::filesystem::exists(path_));
    EXPECT_EQ(std::filesystem::file_size(path_), 0u);
    EXPECT_EQ(readRecordList(path_.c_str(), list), RecordFileStatus::Read);
    EXPECT_EQ(list.slots[0].label[0], '\0');

    std::filesystem::remove(path_);
    std::filesystem::create_directory(path_);  // there, but no file to read
    EXPECT_EQ(readRecordList(path_.c_str(), list), RecordFileStatus::Unreadable);
}

TEST_F(RecordFileOnDisk, AppendsWholeLinesAtTheEndAndSkipsARecordAlreadyHeld) {
    const BirthRecord taro = person("太郎", Sex::Male, 1965, 3, 15, 10);
    const BirthRecord hanako = person("花子", Sex::Female, 1972, 5, 7, 23);
    EXPECT_EQ(appendRecordLine(path_.c_str(), taro), AppendResult::Appended);  // a missing file
    EXPECT_EQ(appendRecordLine(path_.c_str(), hanako), AppendResult::Appended);
    EXPECT_EQ(appendRecordLine(path_.c_str(), taro), AppendResult::Duplicate);
    BirthRecord otherHour = taro;
    otherHour.hour = 11;
    EXPECT_EQ(appendRecordLine(path_.c_str(), otherHour), AppendResult::Appended);
    EXPECT_EQ(content(),
              sjis("太郎,1,0,1965,3,15,10,\n花子,0,1,1972,5,7,23,\n太郎,1,0,1965,3,15,11,\n"));

    // A file without a final line end, or with carriage returns, keeps every byte it had.
    write(sjis("次郎,1,0,1970,1,1,0,\r\n"));
    EXPECT_EQ(appendRecordLine(path_.c_str(), taro), AppendResult::Appended);
    EXPECT_EQ(content(), sjis("次郎,1,0,1970,1,1,0,\r\n太郎,1,0,1965,3,15,10,\n"));

    std::filesystem::remove(path_);
    std::filesystem::create_directory(path_);
    EXPECT_EQ(appendRecordLine(path_.c_str(), taro), AppendResult::Failed);
}

TEST_F(RecordFileOnDisk, AnAppendNeverJoinsALineAndKeepsWhatWasThere) {
    const std::string hanako = sjis("花子,0,1,1972,5,7,23,");
    const std::string jiro = sjis("次郎,1,0,1990,5,20,10,\n");
    const struct {
        const char* what;
        std::optional<std::string> before;
        std::string after;
    } cases[] = {
        {"ends with a line feed", hanako + "\n", hanako + "\n" + jiro},
        {"ends with CR LF", hanako + "\r\n", hanako + "\r\n" + jiro},
        {"no final line feed", hanako, hanako + "\n" + jiro},
        {"a lone CR at the end", hanako + "\r", hanako + "\r\n" + jiro},
        {"empty", "", jiro},
        {"no file", std::nullopt, jiro},
    };
    for (const auto& c : cases) {
        std::filesystem::remove(path_);
        if (c.before) {
            write(*c.before);
        }
        EXPECT_EQ(appendRecordLine(path_.c_str(), person("次郎", Sex::Male, 1990, 5, 20, 10)),
                  AppendResult::Appended)
            << c.what;
        EXPECT_EQ(content(), c.after) << c.what;
        RecordList list;
        ASSERT_EQ(readRecordList(path_.c_str(), list), RecordFileStatus::Read);
        const int last = c.after == jiro ? 0 : 1;
        EXPECT_EQ(fieldText(list.slots[last].nameText), sjis("次郎")) << c.what;
    }
}

// Runs `job` in a child that a pending alarm ends, so a call that would wait for ever fails the
// test instead of stopping it.
bool answersWithin(unsigned seconds, const std::function<bool()>& job) {
    const pid_t child = ::fork();
    if (child == 0) {
        ::alarm(seconds);
        ::_exit(job() ? 0 : 1);
    }
    int status = 0;
    return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) &&
           WEXITSTATUS(status) == 0;
}

TEST_F(RecordFileOnDisk, APipeAFolderOrALockHeldElsewhereIsUnreadableWithinSeconds) {
    int held = -1;
    const struct {
        const char* what;
        std::function<void()> make;
    } cases[] = {
        {"pipe", [&] { ASSERT_EQ(::mkfifo(path_.c_str(), 0666), 0); }},
        {"folder", [&] { std::filesystem::create_directory(path_); }},
        {"lock held",
         [&] {
             write(sjis("花子,0,1,1972,5,7,23,\n"));
             held = ::open(path_.c_str(), O_RDONLY);
             ASSERT_EQ(::flock(held, LOCK_EX), 0);
         }},
    };
    for (const auto& c : cases) {
        std::filesystem::remove_all(path_);
        c.make();
        const std::string before = c.what == std::string("lock held") ? content() : "";
        EXPECT_TRUE(answersWithin(5, [&] {
            RecordList list;
            return readRecordList(path_.c_str(), list) == RecordFileStatus::Unreadable;
        })) << c.what;
        EXPECT_TRUE(answersWithin(5, [&] {
            return appendRecordLine(path_.c_str(), person("次郎", Sex::Male, 1990, 5, 20, 10)) ==
                   AppendResult::Failed;
        })) << c.what;
        if (held >= 0) {
            EXPECT_EQ(content(), before);
            ::close(held);
            held = -1;
        }
    }
}

TEST_F(RecordFileOnDisk, TwoProcessesAppendingAtOnceLoseNoLine) {
    constexpr int kLinesEach = 1000;
    pid_t children[2];
    for (int p = 0; p < 2; ++p) {
        children[p] = ::fork();
        ASSERT_GE(children[p], 0);
        if (children[p] == 0) {
            for (int i = 0; i < kLinesEach; ++i) {
                BirthRecord r = person("", p == 0 ? Sex::Male : Sex::Female, 1901 + i % 100,
                                       1 + i % 12, 1 + i % 28, i % 24);
                copyText(r.name, "p" + std::to_string(p) + "-" + std::to_string(i));
                if (appendRecordLine(path_.c_str(), r) != AppendResult::Appended) {
                    ::_exit(1);
                }
            }
            ::_exit(0);
        }
    }
    for (const pid_t child : children) {
        int status = 0;
        ::waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    std::istringstream lines(content());
    int whole = 0;
    for (std::string line; std::getline(lines, line);) {
        RecordList list;
        parseRecordList(line, list);
        whole += list.slots[0].label[0] != '\0' ? 1 : 0;
    }
    EXPECT_EQ(whole, 2 * kLinesEach);
}

}  // namespace
}  // namespace quorvel
