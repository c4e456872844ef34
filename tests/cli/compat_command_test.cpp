#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/cli/cli_run.h"
#include "tests/support/sjis.h"

namespace {

using quorvel::test::runCli;
using quorvel::test::sjis;

class CompatCommand : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = quorvel::test::makeFolder();
        ASSERT_FALSE(folder_.empty());
        std::ofstream(folder_ + "/DATA.CSV", std::ios::binary)
            << sjis("山田太郎,1,0,1990,5,20,10,\nx\n山田花子,0,1,1992,3,1,8,\n");
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    std::string folder_;
};

// The two of the core's hand-checked pair, named by record or typed, read the same; what a
// refused person, count or day prints.
TEST_F(CompatCommand, PersonsByRecordOrTypedAndEveryRefusal) {
    const std::string pair =
        R"("branches":[{"a":"年支","b":"月支","relation":["半会"]},)"
        R"({"a":"年支","b":"日支","relation":["冲"]},{"a":"月支","b":"年支","relation":["支合","刑"]},)"
        R"({"a":"月支","b":"月支","relation":["刑","害"]},{"a":"日支","b":"時支","relation":["支合"]},)"
        R"({"a":"時支","b":"年支","relation":["支合","刑"]},{"a":"時支","b":"月支","relation":["刑","害"]}],)"
        R"("trios":[],"heavenWarEarthClash":false,"void":{"aDayInBVoid":true,"bDayInAVoid":false})";
    const std::string stems =
        R"("dayStems":{"aToB":{"relation":"学問","common":"印綬"},"bToA":{"relation":"鋭敏","common":"傷官"},"combine":false})";
    const struct {
        std::string args;
        int status;
        std::vector<std::string> out;  // parts of standard output
        std::string err;
    } cases[] = {
        {"compat 1 2 --json --date 2025-06-01", 0, {pair, stems, R"("name":"山田花子")"}, ""},
        {"compat male,1990-05-20,10,山田太郎 2 --json --date 2025-06-01", 0, {pair, stems}, ""},
        {"compat male,1990-05-20,10:30 female,1992-03-01,8,,福岡県 --json", 0, {pair}, ""},
        // B first: every finding from the other side.
        {"compat 2 1 --json --date 2025-06-01",
         0,
         {R"("aToB":{"relation":"鋭敏","common":"傷官"})",
          R"({"a":"月支","b":"年支","relation":["半会"]})",
          R"("void":{"aDayInBVoid":false,"bDayInAVoid":true})"},
         ""},
        {"compat 1 2 --date 2025-06-01",
         0,
         {"相性  山田太郎・山田花子\n", "【年運】\n", "2025 乙巳 ", "【まとめ】\n"},
         ""},
        {"compat 1 2 --years 1 --json --date 2030-01-01",
         0,
         {R"("years":[{"year":2030,"pillar":"庚戌","a":["●","▲"],"b":["▲","▲"],"threatened":"a"}])"},
         ""},
        {"compat 1 3", 2, {}, "データが誤っています\n"},
        {"compat 1 02", 2, {}, "データが誤っています\n"},
        {"compat 1 male,1990-05-20", 2, {}, "データエラー\n"},
        {"compat 1 male,1990-05-20,10,a,b,c", 2, {}, "データエラー\n"},
        {"compat 1 man,1990-05-20,10", 2, {}, "男性か女性を指定して下さい\n"},
        {"compat 1 male,1990-05-20,24", 2, {}, "時刻データを確認して下さい\n"},
        {"compat 1 male,1800-05-20,10", 2, {}, "年データを確認して下さい\n"},
        {"compat 1 male,1990-05-20,10,a,火星", 2, {}, "出生地の都道府県名が見つかりません\n"},
        {"compat 1 2 --years 0", 2, {}, "年数は1から120までの数で入れて下さい\n"},
        {"compat 1 2 --years 121", 2, {}, "年数は1から120までの数で入れて下さい\n"},
        {"compat 1 2 --date 2025-13-01", 2, {}, "データエラー\n"},
        {"compat 1 2 --place 火星", 2, {}, "出生地の都道府県名が見つかりません\n"},
    };
    for (const auto& c : cases) {
        const auto run = runCli(c.args, folder_);
        EXPECT_EQ(run.status, c.status) << c.args;
        EXPECT_EQ(run.err, c.err) << c.args;
        for (const std::string& part : c.out) {
            EXPECT_NE(run.out.find(part), std::string::npos) << c.args << "\n"
                                                             << part << "\n"
                                                             << run.out;
        }
    }
}

// Each person's years carry the marks the calendar gives that person, ☆ by their own sex.
TEST_F(CompatCommand, EachPersonsYearMarksAreTheirCalendars) {
    const auto compat = runCli("compat 1 2 --json --years 12 --date 2025-01-01", folder_);
    ASSERT_EQ(compat.status, 0);
    const struct {
        const char* calendar;
        const char* key;
    } people[] = {{"calendar --record 1 --years 2025-2036 --json", "\"a\":"},
                  {"calendar --record 2 --years 2025-2036 --json", "\"b\":"}};
    for (const auto& p : people) {
        const auto calendar = runCli(p.calendar, folder_);
        ASSERT_EQ(calendar.status, 0) << calendar.err;
        std::size_t at = 0;
        int year = 2025;
        for (std::size_t line = 0;
             (line = calendar.out.find("\"marks\":", line)) != std::string::npos; ++line, ++year) {
            const std::string marks =
                calendar.out.substr(line + 8, calendar.out.find(']', line) - line - 7);
            at = compat.out.find("{\"year\":" + std::to_string(year), at);
            ASSERT_NE(at, std::string::npos) << year;
            const std::size_t key = compat.out.find(p.key, at);
            EXPECT_EQ(compat.out.substr(key + 4, marks.size()), marks) << p.key << year;
        }
        EXPECT_EQ(year, 2037);
    }
}

// report --with names its second person as compat does; a refused one writes no report.
TEST_F(CompatCommand, AReportWithASecondPersonHoldsTheirCompatibility) {
    const struct {
        std::string args;
        int status;
        std::string err;
        std::string heading;  // in the written file; empty: no file
    } cases[] = {
        {"report --record 1 --with 2 --date 2025-06-01", 0, "", "相性 山田太郎・山田花子"},
        {"report --record 2 --with male,1990-05-20,10 --date 2025-06-01", 0, "",
         "相性 山田花子・Ｂ"},
        {"report --record 1 --with 3", 2, "データが誤っています\n", ""},
        {"report --record 1 --with male,1990-05-20,24", 2, "時刻データを確認して下さい\n", ""},
    };
    for (const auto& c : cases) {
        std::filesystem::remove(folder_ + "/山田太郎鑑定書.html");
        std::filesystem::remove(folder_ + "/山田花子鑑定書.html");
        const auto run = runCli(c.args, folder_);
        EXPECT_EQ(run.status, c.status) << c.args;
        EXPECT_EQ(run.err, c.err) << c.args;
        if (c.heading.empty()) {
            EXPECT_EQ(run.out, "") << c.args;
            continue;
        }
        std::ifstream file(folder_ + "/" + run.out.substr(0, run.out.size() - 1));
        const std::string html{std::istreambuf_iterator<char>(file), {}};
        EXPECT_NE(html.find("<h2>" + c.heading + "</h2>"), std::string::npos) << c.args;
    }
}

}  // namespace
