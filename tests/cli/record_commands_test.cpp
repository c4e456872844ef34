#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "calendar/birthplace.h"
#include "store/quorvel_store.h"
#include "tests/cli/cli_run.h"
#include "tests/support/sjis.h"

namespace {

using quorvel::test::runCli;
using quorvel::test::sjis;

constexpr const char* kExampleJson =
    "{\"year\":\"庚午\",\"month\":\"辛巳\",\"day\":\"乙酉\",\"hour\":\"辛巳\",\"forward\":true,"
    "\"startAge\":5,\"luck\":[\"壬午\",\"癸未\",\"甲申\",\"乙酉\",\"丙戌\",\"丁亥\",\"戊子\","
    "\"己丑\",\"庚寅\",\"辛卯\"],\"startAgeMonths\":68,\"rules\":{\"summerTime\":\"ignore\","
    "\"solarTime\":\"clock\",\"dayChange\":\"split\",\"terms\":\"table\",\"longitude\":null},"
    "\"birth\":{\"clock\":\"1990-05-20T10:00\",\"standard\":\"1990-05-20T10:00\"},\"notices\":[]}"
    "\n";

// Six records after a cut line the reader drops; the numbers are read as the dialog reads them.
constexpr const char* kDataFile =
    "山田太郎,1,0,1990,5,20,10,\n"
    "花子,0,1,1965,+3, 15,10,\r\n"
    "途中,1,0,1965,3\n"
    "両,1,1,1990,5,20,10,\n"
    "昔,1,0,1900,1,1,0,\n"
    "閏,0,1,1990,2,30,10,\n"
    "夜,1,0,1990,5,20,24,\n";

constexpr const char* kListing =
    "1\t山田太郎        男  1990年5月20日10時生まれ\n"
    "2\t花子        女  1965年+3月 15日10時生まれ\n"
    "3\t両          1990年5月20日10時生まれ\n"
    "4\t昔        男  1900年1月1日0時生まれ\n"
    "5\t閏        女  1990年2月30日10時生まれ\n"
    "6\t夜        男  1990年5月20日24時生まれ\n";

class RecordCommands : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = quorvel::test::makeFolder();
        ASSERT_FALSE(folder_.empty());
        std::ofstream(folder_ + "/DATA.CSV", std::ios::binary) << sjis(kDataFile);
        std::filesystem::create_directory(folder_ + "/folder");
        std::ofstream(folder_ + "/empty.csv");
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    std::string folder_;
};

TEST_F(RecordCommands, RecordsListsTheFilledSlots) {
    const std::string missing = "データファイルがありません\n";
    const struct {
        std::string args;
        int status;
        std::string out;
        std::string err;
    } cases[] = {
        {"records", 0, kListing, ""},
        {"records DATA.CSV", 0, kListing, ""},
        {"records empty.csv", 0, "", ""},
        {"records --sjis", 0, sjis(kListing), ""},
        {"records none.csv", 2, "", missing},
        {"records --sjis none.csv", 2, "", sjis(missing)},
        {"records folder", 2, "", "データファイルを読めませんでした\n"},
        {"records folder/DATA.CSV", 2, "", missing},
    };
    for (const auto& c : cases) {
        const auto run = runCli(c.args, folder_);
        EXPECT_EQ(run.status, c.status) << c.args;
        EXPECT_EQ(run.out, c.out) << c.args;
        EXPECT_EQ(run.err, c.err) << c.args;
    }
    EXPECT_FALSE(std::filesystem::exists(folder_ + "/none.csv"));
    EXPECT_FALSE(std::filesystem::exists(folder_ + "/folder/DATA.CSV"));
    EXPECT_EQ(runCli("records a b", folder_).status, 2);
}

TEST_F(RecordCommands, ChartOfARecordIsTheChartOfItsBirth) {
    const auto typed = runCli("chart --sex female 1965-03-15 10");
    ASSERT_EQ(typed.status, 0);
    const struct {
        std::string args;
        int status;
        std::string out;
        std::string err;
    } cases[] = {
        {"chart --record 1 --json", 0, kExampleJson, ""},
        {"chart --json --record=1 --file DATA.CSV", 0, kExampleJson, ""},
        {"chart --record 2", 0, typed.out, ""},
        {"chart --record 3", 2, "", "データが誤っています\n"},  // sex neither 男 nor 女
        {"chart --record 4", 2, "", "年データを確認して下さい\n"},
        {"chart --record 5", 2, "", "データエラー\n"},
        {"chart --record 6", 2, "", "時刻データを確認して下さい\n"},
        {"chart --record 7", 2, "", "データが誤っています\n"},  // an empty slot
        {"chart --record 10 --sjis", 2, "", sjis("データが誤っています\n")},
        {"chart --record 1 --file empty.csv", 2, "", "データが誤っています\n"},
        {"chart --record 1 --file none.csv", 2, "", "データファイルがありません\n"},
        {"chart --record 1 --file folder", 2, "", "データファイルを読めませんでした\n"},
    };
    for (const auto& c : cases) {
        const auto run = runCli(c.args, folder_);
        EXPECT_EQ(run.status, c.status) << c.args;
        EXPECT_EQ(run.out, c.out) << c.args;
        EXPECT_EQ(run.err, c.err) << c.args;
    }
    EXPECT_FALSE(std::filesystem::exists(folder_ + "/none.csv"));
}

TEST_F(RecordCommands, APipeOrALockHeldElsewhereIsToldWithinSeconds) {
    ASSERT_EQ(::mkfifo((folder_ + "/pipe.csv").c_str(), 0666), 0);
    const int held = ::open((folder_ + "/DATA.CSV").c_str(), O_RDONLY);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);
    for (const char* args :
         {"records pipe.csv", "chart --record 1 --file pipe.csv", "records", "chart --record 1"}) {
        ::alarm(5);  // ends the test program instead of waiting for ever
        const auto run = runCli(args, folder_);
        ::alarm(0);
        EXPECT_EQ(run.status, 2) << args;
        EXPECT_EQ(run.err, "データファイルを読めませんでした\n") << args;
    }
    ::close(held);
}

}  // namespace

namespace {

// A stored person's minutes come from DATA.CSV, the birthplace from QUORVEL.DB beside it (the
// line's bytes are the key, CR LF or not), and an option given on the line wins.
TEST_F(RecordCommands, ARecordBringsItsMinutesAndBirthplace) {
    std::ofstream(folder_ + "/kept.csv", std::ios::binary)
        << sjis("福岡の人,1,0,1950,8,1,11:10,\r\n不明の人,0,1,1990,6,6,不明,\n");
    {
        quorvel::QuorvelStore store = quorvel::QuorvelStore::open(folder_);
        ASSERT_TRUE(store.saveBirthDetails(sjis("福岡の人,1,0,1950,8,1,11:10,"),
                                           {quorvel::prefectureBirthplace(40)}));
    }
    struct Case {
        const char* args;
        const char* fragment;
    };
    const Case cases[] = {
        {"chart --json --record 1 --file kept.csv --rules precise",
         R"("birth":{"clock":"1950-08-01T11:10","standard":"1950-08-01T10:10","solar":"1950-08-01T09:51"})"},
        {"chart --json --record 1 --file kept.csv --rules precise --longitude 135",
         R"("solar":"1950-08-01T10:10")"},
        {"chart --json --record 1 --file kept.csv", R"("longitude":130.4181})"},
        {"chart --json --record 2 --file kept.csv", R"("hour":null)"},
        {"records --all --json kept.csv", R"("hour":11,"minute":10})"},
        {"records --all --json kept.csv", R"("hour":null,"minute":null})"},
    };
    for (const Case& c : cases) {
        const auto run = runCli(c.args, folder_);
        EXPECT_EQ(run.status, 0) << c.args << ": " << run.err;
        EXPECT_NE(run.out.find(c.fragment), std::string::npos) << c.args << "\n" << run.out;
    }
    // A damaged database is told, set aside, and the chart still comes.
    std::ofstream(folder_ + "/QUORVEL.DB", std::ios::binary | std::ios::trunc)
        << std::string(4096, 'x');
    const auto run = runCli("chart --json --record 1 --file kept.csv", folder_);
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find(R"("longitude":null)"), std::string::npos);
    EXPECT_FALSE(run.err.empty());
}

}  // namespace
