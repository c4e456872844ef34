#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/cli/cli_run.h"
#include "tests/support/sjis.h"

namespace {

using quorvel::test::runCli;
using quorvel::test::sjis;

// Twelve persons around a cut line, a blank line and a line of nothing; the fourth name holds the
// two bytes JSON must escape and 表, whose Shift-JIS trail byte is a backslash.
constexpr const char* kDataFile =
    "山田太郎,1,0,1990,5,20,10,\n"
    "途中,1,0,1965,3\n"
    "\n"
    "両,1,1,1990,5,20,10,\n"
    "花子,0,1,2000,1,19,12,\r\n"
    "\"表\\,1,0,2000,1,3,12,\n"
    "昔,1,0,1800,1,1,0,\n"
    "x\n"
    "三,0,1,2000,1,2,12,\n"
    "四,0,1,2030,1,1,12,\n"
    "五,1,0,2000,1,4,12,\n"
    "六,1,0,2000,1,11,12,\n"
    "七,0,1,1972,5,7,23,\n"
    "八,1,0,1965,3,15,10,\n"
    "十一番目,0,1,1990,5,20,10,";

class PersonCommands : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = quorvel::test::makeFolder();
        ASSERT_FALSE(folder_.empty());
        std::ofstream(folder_ + "/DATA.CSV", std::ios::binary) << sjis(kDataFile);
        std::filesystem::create_directory(folder_ + "/folder");
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    std::string folder_;
};

TEST_F(PersonCommands, EveryRecordWithItsLineAndTheSkippedLinesOnStandardError) {
    const std::string skipped = "人物として読めない行が2行あり、読み飛ばしました: 2, 8\n";
    const std::string text =
        "1\t1\t山田太郎        男  1990年5月20日10時生まれ\n"
        "2\t4\t両          1990年5月20日10時生まれ\n"
        "3\t5\t花子        女  2000年1月19日12時生まれ\n"
        "4\t6\t\"表\\        男  2000年1月3日12時生まれ\n"
        "5\t7\t昔        男  1800年1月1日0時生まれ\n"
        "6\t9\t三        女  2000年1月2日12時生まれ\n"
        "7\t10\t四        女  2030年1月1日12時生まれ\n"
        "8\t11\t五        男  2000年1月4日12時生まれ\n"
        "9\t12\t六        男  2000年1月11日12時生まれ\n"
        "10\t13\t七        女  1972年5月7日23時生まれ\n"
        "11\t14\t八        男  1965年3月15日10時生まれ\n"
        "12\t15\t十一番目        女  1990年5月20日10時生まれ\n";
    const struct {
        std::string args;
        int status;
        std::string out;  // the first line, or all of it
        std::string err;
    } cases[] = {
        {"records --all", 0, text, skipped},
        {"records --all --sjis DATA.CSV", 0, sjis(text), sjis(skipped)},
        {"records --all --json", 0,
         "{\"record\":1,\"line\":1,\"name\":\"山田太郎\",\"sex\":\"男\",\"year\":1990,\"month\":5,"
         "\"day\":20,\"hour\":10,\"minute\":null}\n",
         skipped},
        {"records --all --json 2>/dev/null | sed -n 2p", 0,
         "{\"record\":2,\"line\":4,\"name\":\"両\",\"sex\":null,\"year\":1990,\"month\":5,"
         "\"day\":20,\"hour\":10,\"minute\":null}\n",
         ""},
        {"records --all --json 2>/dev/null | sed -n 4p", 0,
         "{\"record\":4,\"line\":6,\"name\":\"\\\"表\\\\\",\"sex\":\"男\",\"year\":2000,"
         "\"month\":1,\"day\":3,\"hour\":12,\"minute\":null}\n",
         ""},
        {"records --all --json --sjis 2>/dev/null | sed -n 4p", 0,
         sjis("{\"record\":4,\"line\":6,\"name\":\"\\\"表\\\\\",\"sex\":\"男\",\"year\":2000,"
              "\"month\":1,\"day\":3,\"hour\":12,\"minute\":null}\n"),
         ""},
        {"records --all none.csv", 2, "", "データファイルがありません\n"},
        {"records --all folder", 2, "", "データファイルを読めませんでした\n"},
        // The ten-slot numbering of the dialog stays; --record takes any number --all shows.
        {"records | tail -n 1", 0, "10\t七        女  1972年5月7日23時生まれ\n", ""},
        {"chart --record 12 --json", 0, runCli("chart --json --sex female 1990-05-20 10").out, ""},
        {"calendar --record 11 --years 2026-2026 --json", 0,
         runCli("calendar --sex male 1965-03-15 10 --years 2026-2026 --json").out, ""},
        {"chart --record 13", 2, "", "データが誤っています\n"},
    };
    for (const auto& c : cases) {
        const auto run = runCli(c.args, folder_);
        EXPECT_EQ(run.status, c.status) << c.args;
        EXPECT_EQ(c.out.find('\n') + 1 == c.out.size() ? run.out.substr(0, run.out.find('\n') + 1)
                                                       : run.out,
                  c.out)
            << c.args;
        EXPECT_EQ(run.err, c.err) << c.args;
    }
    EXPECT_FALSE(std::filesystem::exists(folder_ + "/none.csv"));
}

TEST_F(PersonCommands, TheReviewPutsTheWarnedFirst) {
    // 2026 is 丙午: 花子 (丙子) meets the clash ★★, "表\ (庚申) a ● in 天運, 五 (辛酉) one ★ only
    // and 六 (戊辰) ★★ and ● in the luck period only; 両 has no sex, 昔 no calendar, 四 no birth.
    const auto json = runCli("review --year 2026 --json", folder_);
    EXPECT_EQ(json.status, 0);
    std::string order;
    for (std::size_t at = 0; (at = json.out.find("\"record\":", at)) != std::string::npos;) {
        at += 9;
        order += json.out.substr(at, json.out.find(',', at) - at) + " ";
    }
    EXPECT_EQ(order, "3 4 1 6 8 9 10 11 12 2 5 7 ");

    // The years of the 年運一覧 window, and its words for any other.
    const struct {
        const char* year;
        int status;
    } years[] = {{"1901", 0}, {"2100", 0}, {"1900", 2}, {"2101", 2}, {"0", 2}, {"abc", 2}};
    for (const auto& y : years) {
        const auto run = runCli(std::string("review --year ") + y.year, folder_);
        EXPECT_EQ(run.status, y.status) << y.year;
        if (y.status == 2) {
            EXPECT_EQ(run.err, "年を1901から2100の数字で入れて下さい\n") << y.year;
        }
    }
}

TEST(PersonCommandArguments, HelpNamesTheNewCommandsAndUsageErrorsNameTheirCommand) {
    const struct {
        const char* args;
        int status;
        std::vector<std::string> mentions;  // in standard output, or in standard error if 2
    } cases[] = {
        {"--help", 0, {"records --all [--json]", "review --year Y", "report (--record N"}},
        {"records --help", 0, {"--all", "--json"}},
        {"review --help", 0, {"--year", "--file", "--json", "--sjis"}},
        {"report --help", 0, {"--record", "--name", "-o", "--date"}},
        {"review", 2, {"quorvel-cli review: "}},
        {"review --year 2026 --record 1", 2, {"quorvel-cli review: "}},
        {"report", 2, {"quorvel-cli report: "}},
        {"report --record 1 --name x", 2, {"quorvel-cli report: "}},
        {"report --name x 1990-05-20 10", 2, {"quorvel-cli report: "}},
        {"report --record 01", 2, {"quorvel-cli report: "}},
        {"calendar --record 1234567890", 2, {"quorvel-cli calendar: "}},
    };
    for (const auto& c : cases) {
        const auto run = runCli(c.args);
        EXPECT_EQ(run.status, c.status) << c.args;
        for (const std::string& part : c.mentions) {
            EXPECT_NE((c.status == 0 ? run.out : run.err).find(part), std::string::npos)
                << c.args << " lacks " << part;
        }
    }
}

}  // namespace
