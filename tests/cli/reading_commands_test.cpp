// chart --full and calendar, run as a script would run them.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>

#include "tests/cli/cli_run.h"
#include "tests/support/sjis.h"

namespace {

using quorvel::test::runCli;
using quorvel::test::sjis;

constexpr const char* kExampleChartJson =
    "{\"year\":\"庚午\",\"month\":\"辛巳\",\"day\":\"乙酉\",\"hour\":\"辛巳\",\"forward\":true,"
    "\"startAge\":5,\"luck\":[\"壬午\",\"癸未\",\"甲申\",\"乙酉\",\"丙戌\",\"丁亥\",\"戊子\","
    "\"己丑\",\"庚寅\",\"辛卯\"],\"startAgeMonths\":68,\"rules\":{\"summerTime\":\"ignore\","
    "\"solarTime\":\"clock\",\"dayChange\":\"split\",\"terms\":\"table\",\"longitude\":null},"
    "\"birth\":{\"clock\":\"1990-05-20T10:00\",\"standard\":\"1990-05-20T10:00\"},\"notices\":[]";

// 14 days 6 hours after 立夏 (the table's 4 o'clock): the 中気 commands 午, the 本気 巳 and 酉.
constexpr const char* kExampleFullJson =
    ",\"full\":{"
    "\"year\":{\"stem\":\"庚\",\"branch\":\"午\",\"relation\":\"忍耐\",\"common\":\"正官\","
    "\"stage\":\"長生\",\"hidden\":[{\"stem\":\"丁\",\"relation\":\"表現\",\"common\":\"食神\"},"
    "{\"stem\":\"己\",\"relation\":\"投資\",\"common\":\"偏財\"}],"
    "\"hiddenByDays\":[{\"stem\":\"丙\",\"kind\":\"余気\",\"days\":10},"
    "{\"stem\":\"己\",\"kind\":\"中気\",\"days\":9},{\"stem\":\"丁\",\"kind\":\"本気\",\"days\":11}"
    "],"
    "\"commanding\":{\"stem\":\"己\",\"kind\":\"中気\",\"relation\":\"投資\",\"common\":\"偏財\"},"
    "\"stars\":[]},"
    "\"month\":{\"stem\":\"辛\",\"branch\":\"巳\",\"relation\":\"革新\",\"common\":\"偏官\","
    "\"stage\":\"沐浴\",\"hidden\":[{\"stem\":\"丙\",\"relation\":\"鋭敏\",\"common\":\"傷官\"},"
    "{\"stem\":\"庚\",\"relation\":\"忍耐\",\"common\":\"正官\"},"
    "{\"stem\":\"戊\",\"relation\":\"蓄財\",\"common\":\"正財\"}],"
    "\"hiddenByDays\":[{\"stem\":\"戊\",\"kind\":\"余気\",\"days\":5},"
    "{\"stem\":\"庚\",\"kind\":\"中気\",\"days\":9},{\"stem\":\"丙\",\"kind\":\"本気\",\"days\":16}"
    "],"
    "\"commanding\":{\"stem\":\"丙\",\"kind\":\"本気\",\"relation\":\"鋭敏\",\"common\":\"傷官\"},"
    "\"stars\":[]},"
    "\"day\":{\"stem\":\"乙\",\"branch\":\"酉\",\"relation\":null,\"common\":null,"
    "\"stage\":\"絶\",\"hidden\":[{\"stem\":\"辛\",\"relation\":\"革新\",\"common\":\"偏官\"}],"
    "\"hiddenByDays\":[{\"stem\":\"庚\",\"kind\":\"余気\",\"days\":10},"
    "{\"stem\":\"辛\",\"kind\":\"本気\",\"days\":20}],"
    "\"commanding\":{\"stem\":\"辛\",\"kind\":\"本気\",\"relation\":\"革新\",\"common\":\"偏官\"},"
    "\"stars\":[]},"
    "\"hour\":{\"stem\":\"辛\",\"branch\":\"巳\",\"relation\":\"革新\",\"common\":\"偏官\","
    "\"stage\":\"沐浴\",\"hidden\":[{\"stem\":\"丙\",\"relation\":\"鋭敏\",\"common\":\"傷官\"},"
    "{\"stem\":\"庚\",\"relation\":\"忍耐\",\"common\":\"正官\"},"
    "{\"stem\":\"戊\",\"relation\":\"蓄財\",\"common\":\"正財\"}],"
    "\"hiddenByDays\":[{\"stem\":\"戊\",\"kind\":\"余気\",\"days\":5},"
    "{\"stem\":\"庚\",\"kind\":\"中気\",\"days\":9},{\"stem\":\"丙\",\"kind\":\"本気\",\"days\":16}"
    "],"
    "\"commanding\":{\"stem\":\"丙\",\"kind\":\"本気\",\"relation\":\"鋭敏\",\"common\":\"傷官\"},"
    "\"stars\":[]},"
    "\"void\":[\"午\",\"未\"],"
    "\"elements\":{\"木\":1,\"火\":3,\"土\":0,\"金\":4,\"水\":0},"
    "\"elementsWithHidden\":{\"木\":1,\"火\":3,\"土\":3,\"金\":6,\"水\":0},"
    "\"terms\":[{\"name\":\"立夏\",\"jst\":\"1990-05-06 03:35\"},"
    "{\"name\":\"芒種\",\"jst\":\"1990-06-06 07:46\"}],"
    "\"termNotice\":null,\"daysSinceTerm\":14.25,\"hiddenTable\":\"classical\","
    "\"countTermDay\":false}}\n";

int lines(const std::string& text) {
    return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

TEST(ReadingCommands, FullChartJsonKeepsTheChartAndAddsOneMember) {
    const std::string expected = std::string(kExampleChartJson) + kExampleFullJson;
    for (const char* args : {"chart --full --json --sex male 1990-05-20 10",
                             "chart --json --full --sex male 1990-05-20 10"}) {
        const auto run = runCli(args);
        EXPECT_EQ(run.status, 0) << args;
        EXPECT_EQ(run.out, expected) << args;
    }
    // The batch answers each line the same way, refusals included.
    const auto batch = runCli(
        "chart --full --json --batch <<'EOF'\n1990-05-20 10 male\n"
        "1990-02-30 10 male\n2024-02-04 17 female\nEOF");
    EXPECT_EQ(batch.status, 0);
    EXPECT_EQ(batch.out.substr(0, expected.size()), expected);
    EXPECT_NE(batch.out.find("{\"error\":\"データエラー\"}\n"), std::string::npos);
    // 立春 2024 fell at 17:27: a birth in that hour may belong to either year.
    EXPECT_NE(batch.out.find("\"termNotice\":\"立春の前後に生まれています。"), std::string::npos);
    // The table keeps the chart's lines and adds its own under them.
    const auto text = runCli("chart --full --sex male 1990-05-20 10");
    EXPECT_NE(text.out.find("\n空亡 午未\n五行 木1 火3 土0 金4 水0\n"), std::string::npos);
    EXPECT_EQ(runCli("chart --sjis --full --sex male 1990-05-20 10").out, sjis(text.out));
}

// 1984-02-14 04:00 (甲子 丙寅 戊寅 甲寅), 9 days 4 hours after 立春: 子 still in its 壬 by the
// classical table, in 癸 once the term's day counts as day 1 or under 算命学, which gives 子
// one stem. The year's keys come first.
TEST(ReadingCommands, TheHiddenTableAndTheTermDayChooseTheCommandingStem) {
    const struct {
        std::string options;
        std::string yearByDays;
        std::string yearCommanding;
        std::string rules;
    } cases[] = {
        {"", R"([{"stem":"壬","kind":"余気","days":10},{"stem":"癸","kind":"本気","days":20}])",
         R"({"stem":"壬","kind":"余気","relation":"投資","common":"偏財"})",
         R"("daysSinceTerm":9.166667,"hiddenTable":"classical","countTermDay":false})"},
        {" --count-term-day",
         R"([{"stem":"壬","kind":"余気","days":10},{"stem":"癸","kind":"本気","days":20}])",
         R"({"stem":"癸","kind":"本気","relation":"蓄財","common":"正財"})",
         R"("daysSinceTerm":9.166667,"hiddenTable":"classical","countTermDay":true})"},
        {" --hidden-table sanmei", R"([{"stem":"癸","kind":"本気","days":30}])",
         R"({"stem":"癸","kind":"本気","relation":"蓄財","common":"正財"})",
         R"("daysSinceTerm":9.166667,"hiddenTable":"sanmei","countTermDay":false})"},
        {" --hidden-table simplified --rules precise",
         R"([{"stem":"壬","kind":"余気","days":10},{"stem":"癸","kind":"本気","days":20}])",
         R"({"stem":"壬","kind":"余気","relation":"投資","common":"偏財"})",
         // 立春 1984 at 00:19 exactly, 19 minutes after the table's midnight.
         R"("daysSinceTerm":9.153472,"hiddenTable":"simplified","countTermDay":false})"},
    };
    for (const auto& c : cases) {
        const auto run = runCli("chart --full --json --sex male 1984-02-14 4" + c.options);
        EXPECT_EQ(run.status, 0) << c.options;
        const std::string& out = run.out;
        EXPECT_NE(out.find("\"hiddenByDays\":" + c.yearByDays), std::string::npos) << c.options;
        EXPECT_EQ(out.find("\"commanding\":"), out.find("\"commanding\":" + c.yearCommanding))
            << c.options;
        EXPECT_TRUE(out.ends_with(c.rules + "}\n")) << c.options << ": " << out;
    }
    EXPECT_EQ(runCli("chart --full --sex male 1984-02-14 4 --hidden-table chinese").status, 2);

    // The table: the rows under the chart, the luck start to the month; without an hour, three
    // columns.
    const auto text = runCli("chart --full --sex male 1984-02-15 4");
    for (const char* line : {
             "大運  順行  立運 6歳4ヶ月\n",
             "\n            時柱            日柱            月柱            年柱\n",
             "\n蔵干        丙(中気)        乙(本気)        丙(中気)        癸(本気)\n",
             "\n蔵干通変星  学問(印綬)      革新(偏官)      学問(印綬)      投資(偏財)\n",
             "\n特殊星                                                      天乙貴人\n",
             "\n蔵干の内訳  戊7 丙7 甲16    甲10 乙20       戊7 丙7 甲16    壬10 癸20\n",
             "\n節入りから10日4時間\n蔵干の表　標準の月律分野表\n",
         }) {
        EXPECT_NE(text.out.find(line), std::string::npos) << line << text.out;
    }
    const auto noHour = runCli("chart --full --sex male 1984-02-15 unknown");
    EXPECT_NE(noHour.out.find("\n            日柱            月柱            年柱\n"
                              "天干        己              丙              甲\n"),
              std::string::npos)
        << noHour.out;
}

TEST(ReadingCommands, CalendarRowsAndRefusals) {
    const std::string birth = "--sex male 1990-05-20 10 ";
    const std::string range =
        "暦の範囲を確認して下さい。年は生年から120年後まで、月と日は1901年から"
        "2100年までです\n";
    const struct {
        std::string args;
        int status;
        int lines;  // of standard output
        std::string firstLine;
        std::string err;
    } cases[] = {
        {"--json", 0, 101,
         // 乙 meets 庚 as 忍耐, whose marriage line speaks to women: no ☆ for a man.
         "{\"year\":1990,\"age\":0,\"pillar\":\"庚午\",\"luck\":null,\"marks\":[\"●\",\"〇\"],"
         "\"heaven\":[\"●\"],\"earth\":[\"〇\"],\"human\":[],\"luckMarks\":[]}",
         ""},
        {"--json --years 1995-1995", 0, 1,
         "{\"year\":1995,\"age\":5,\"pillar\":\"乙亥\",\"luck\":\"壬午\",\"marks\":[\"▲\",\"●\","
         "\"★\"],"
         "\"heaven\":[\"▲\"],\"earth\":[\"●\",\"★\"],\"human\":[],\"luckMarks\":[\"△\",\"〇\"]}",
         ""},
        {"--json --year 1990", 0, 12,
         "{\"year\":1990,\"month\":1,\"term\":\"小寒\",\"termDay\":6,\"termHour\":0,\"age\":0,"
         "\"pillar\":\"丁丑\",\"luck\":null,\"marks\":[\"▲\",\"△\",\"★\",\"○\"],"
         "\"heaven\":[\"▲\"],\"earth\":[\"△\",\"★\"],\"human\":[\"○\"],\"luckMarks\":[]}",
         ""},
        {"--json --month 2000-02", 0, 29, "{\"year\":2000,\"month\":2,\"day\":1,\"age\":10,", ""},
        {"--years 1990-1991", 0, 3, "年    歳   年柱  天運/地運/人運    大運  天運/地運/人運", ""},
        {"--years 1989-1995", 2, 0, "", range},
        {"--years 1990-2111", 2, 0, "", range},
        {"--year 2101", 2, 0, "", range},
        {"--month 2000-13", 2, 0, "", range},
        {"--years 1990", 2, 0, "", "データエラー\n"},
        {"--month 2000-x", 2, 0, "", "データエラー\n"},
        {"--year -1990", 2, 0, "", "データエラー\n"},
    };
    for (const auto& c : cases) {
        const auto run = runCli("calendar " + birth + c.args);
        EXPECT_EQ(run.status, c.status) << c.args;
        EXPECT_EQ(lines(run.out), c.lines) << c.args;
        EXPECT_EQ(run.out.substr(0, c.firstLine.size()), c.firstLine) << c.args;
        EXPECT_EQ(run.err, c.err) << c.args;
    }
    EXPECT_TRUE(runCli("calendar --sex female 1990-05-20 10 --json --years 1990-1990")
                    .out.starts_with("{\"year\":1990,\"age\":0,\"pillar\":\"庚午\",\"luck\":null,"
                                     "\"marks\":[\"☆\",\"●\",\"〇\"],"));
    const auto refused = runCli("calendar --sex male 1990-02-30 10");
    EXPECT_EQ(refused.status, 2);
    EXPECT_EQ(refused.err, "データエラー\n");
    EXPECT_EQ(runCli("calendar 1990-05-20 10").err, "男性か女性を指定して下さい\n");
    EXPECT_EQ(runCli("calendar --sex male 1990-05-20").status, 2);
}

TEST(ReadingCommands, CalendarOfAStoredRecord) {
    const std::string folder = quorvel::test::makeFolder();
    ASSERT_FALSE(folder.empty());
    std::ofstream(folder + "/DATA.CSV", std::ios::binary)
        << sjis("山田太郎,1,0,1990,5,20,10,\n昔,1,0,1900,1,1,0,\n");
    const auto stored = runCli("calendar --record 1 --json --years 1995-1995", folder);
    EXPECT_EQ(stored.status, 0);
    EXPECT_EQ(stored.out, runCli("calendar --sex male 1990-05-20 10 --json --years 1995-1995").out);
    const auto old = runCli("calendar --record 2", folder);
    EXPECT_EQ(old.status, 2);
    EXPECT_EQ(old.err, "年データを確認して下さい\n");
    EXPECT_EQ(runCli("calendar --record 3", folder).err, "データが誤っています\n");
    EXPECT_EQ(runCli("chart --full --record 1 --json", folder).out,
              runCli("chart --full --json --sex male 1990-05-20 10").out);
    std::filesystem::remove_all(folder);
}

}  // namespace
