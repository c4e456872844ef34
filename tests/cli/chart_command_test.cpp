#include "cli/chart_command.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tests/cli/cli_run.h"
#include "tests/support/run_command.h"

namespace quorvel::cli {
namespace {

constexpr const char* kExampleJson =
    "{\"year\":\"庚午\",\"month\":\"辛巳\",\"day\":\"乙酉\",\"hour\":\"辛巳\",\"forward\":true,"
    "\"startAge\":5,\"luck\":[\"壬午\",\"癸未\",\"甲申\",\"乙酉\",\"丙戌\",\"丁亥\",\"戊子\","
    "\"己丑\",\"庚寅\",\"辛卯\"],\"startAgeMonths\":68,\"rules\":{\"summerTime\":\"ignore\","
    "\"solarTime\":\"clock\",\"dayChange\":\"split\",\"terms\":\"table\",\"longitude\":null},"
    "\"birth\":{\"clock\":\"1990-05-20T10:00\",\"standard\":\"1990-05-20T10:00\"},\"notices\":[]}";

std::string run(const std::string& command, int& status) {
    return test::runCommand(command, status);
}

std::string batch(const std::string& input) {
    FILE* in = std::tmpfile();
    FILE* out = std::tmpfile();
    std::fwrite(input.data(), 1, input.size(), in);
    std::rewind(in);
    OutputStream stream(out);
    EXPECT_EQ(runChartBatch(fileno(in), stream, makeChartTexts(false)), 0);
    EXPECT_TRUE(stream.flush());
    std::rewind(out);
    std::string result;
    char buffer[65536];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, out)) > 0) {
        result.append(buffer, got);
    }
    std::fclose(in);
    std::fclose(out);
    return result;
}

TEST(ChartCommand, TextOfTheExampleChart) {
    int status = 0;
    const std::string out =
        run(std::string(QUORVEL_CLI_PATH) + " chart --sex male 1990-05-20 10", status);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(out,
              "年柱  月柱  日柱  時柱\n"
              "庚午  辛巳  乙酉  辛巳\n"
              "\n"
              "大運  順行  立運 5歳\n"
              "  5歳  壬午\n 15歳  癸未\n 25歳  甲申\n 35歳  乙酉\n 45歳  丙戌\n"
              " 55歳  丁亥\n 65歳  戊子\n 75歳  己丑\n 85歳  庚寅\n 95歳  辛卯\n");
}

TEST(ChartCommand, JsonAndRefusals) {
    const struct {
        std::string args;
        int status;
        std::string out;
    } cases[] = {
        {"chart --json --sex male 1990-05-20 10", 0, std::string(kExampleJson) + "\n"},
        {"chart 1990-05-20 10 --sex=male --json", 0, std::string(kExampleJson) + "\n"},
        {"chart --sex male 1900-05-20 10 2>&1", 2, "年データを確認して下さい\n"},
        {"chart --sex male 1990-02-30 10 2>&1", 2, "データエラー\n"},
        {"chart --sex male 1990-05-20 24 2>&1", 2, "時刻データを確認して下さい\n"},
        {"chart 1990-05-20 10 2>&1", 2, "男性か女性を指定して下さい\n"},
        {"chart --sex male 1990-05-20 2>/dev/null", 2, ""},
        {"chart --bogus 2>/dev/null", 2, ""},
        {"frobnicate 2>/dev/null", 2, ""},
    };
    for (const auto& c : cases) {
        int status = 0;
        const std::string out = run(std::string(QUORVEL_CLI_PATH) + " " + c.args, status);
        EXPECT_EQ(status, c.status) << c.args;
        EXPECT_EQ(out, c.out) << c.args;
    }
}

TEST(ChartCommand, ShiftJisOutputOnRequest) {
    int status = 0;
    const std::string out = run(
        std::string(QUORVEL_CLI_PATH) + " chart --json --sjis --sex male 1990-05-20 10", status);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(out.substr(0, 14), "{\"year\":\"\x8d\x4d\x8c\xdf\"");  // 庚午
}

TEST(ChartCommand, BatchAnswersEveryLineInOrder) {
    const std::string out = batch(
        "1990-05-20 10 male\n"
        "1990-02-30 10 male\n"
        "\n"
        "1900-01-01 0 female\r\n"
        "1990-05-20 24 female\n"
        "1990-05-20 10 male");  // no final line feed
    const std::string error = "{\"error\":\"";
    EXPECT_EQ(out, std::string(kExampleJson) + "\n" + error + "データエラー\"}\n" + error +
                       "データエラー\"}\n" + error + "年データを確認して下さい\"}\n" + error +
                       "時刻データを確認して下さい\"}\n" + kExampleJson + "\n");
}

TEST(ChartCommand, BatchRefusesOverlongLinesWholeAndGoesOn) {
    const std::string valid = "1990-05-20 10 male";
    const std::string error = "{\"error\":\"データエラー\"}\n";
    const std::string answer = std::string(kExampleJson) + "\n";
    const struct {
        std::string line;
        std::string answer;
    } cases[] = {
        {valid + std::string(kBatchLineLimit - valid.size(), ' '), answer},
        {valid + std::string(kBatchLineLimit - valid.size() + 1, ' '), error},
        {std::string(300000, 'x'), error},  // spans several reads
    };
    for (const auto& c : cases) {
        EXPECT_EQ(batch(valid + "\n" + c.line + "\n" + valid + "\n"), answer + c.answer + answer)
            << c.line.size();
        EXPECT_EQ(batch(valid + "\n" + c.line), answer + c.answer)
            << "at the end " << c.line.size();
    }
}

TEST(ChartCommand, BatchOfAHundredThousandLines) {
    std::string input;
    for (int i = 0; i < 100000; ++i) {
        const int day = 1 + i % 28;
        input += "1990-05-" + std::string(day < 10 ? "0" : "") + std::to_string(day) + " " +
                 std::to_string(i % 24) + (i % 2 == 0 ? " male\n" : " female\n");
    }
    const std::string out = batch(input);
    std::size_t lines = 0;
    std::size_t errors = 0;
    for (std::size_t pos = 0; (pos = out.find('\n', pos)) != std::string::npos; ++pos) {
        ++lines;
    }
    for (std::size_t pos = 0; (pos = out.find("error", pos)) != std::string::npos; ++pos) {
        ++errors;
    }
    EXPECT_EQ(lines, 100000u);
    EXPECT_EQ(errors, 0u);
}

}  // namespace
}  // namespace quorvel::cli

namespace quorvel::cli {
namespace {

// Each rule as the command line names it, with the fragments of the answer it must give.
TEST(ChartCommand, RulesOfReading) {
    struct Case {
        const char* args;
        std::vector<std::string> fragments;
    };
    const Case cases[] = {
        {"--sex male 1950-08-01 11:10 --place 福岡県 --solar-time mean --summer-time apply",
         {R"("hour":"丁巳")",
          R"("birth":{"clock":"1950-08-01T11:10","standard":"1950-08-01T10:10","solar":"1950-08-01T09:51"})",
          R"("summerTime":"apply","solarTime":"mean","dayChange":"split","terms":"table","longitude":130.4181})"}},
        {"--sex male 1950-08-01 11:10",
         {R"("hour":"戊午")",
          R"("notices":["夏時刻の期間の生まれです。標準時に直すと時柱が丁巳に変わります"])"}},
        {"--sex male 1950-08-01 11:10 --rules precise --place 福岡",
         {R"("summerTime":"apply","solarTime":"mean","dayChange":"split","terms":"exact")",
          R"("solar":"1950-08-01T09:51")"}},
        {"--sex male 1950-08-01 11:10 --rules precise --summer-time ignore --longitude 135",
         {R"("summerTime":"ignore","solarTime":"mean")", R"("longitude":135})",
          R"("standard":"1950-08-01T11:10")"}},
        {"--sex male 1990-05-20 10:20 --solar-time true --place 北海道",
         {R"("solar":"1990-05-20T10:48")", R"("solarTime":"true")"}},
        {"--sex male 1990-05-20 23:30 --day-change 23", {R"("day":"丙戌","hour":"戊子")"}},
        {"--sex male 1990-05-20 23:30 --day-change 0", {R"("day":"乙酉","hour":"丙子")"}},
        {"--sex male 1990-05-20 23:30", {R"("day":"乙酉","hour":"戊子")", "23時台の生まれです"}},
        {"--sex male 1990-05-20 10 --terms exact",
         {R"("startAge":5,)", R"("startAgeMonths":6)", R"("terms":"exact")"}},
        {"--sex female 1990-06-06 unknown",
         {R"("hour":null)", R"("birth":{"clock":"1990-06-06","standard":"1990-06-06"})",
          "月柱は節入り前なら辛巳、節入り後なら壬午です"}},
        {"--sex female 1990-06-06 unknown --full",
         {R"("full":{"year":)", R"(,"hour":null,"void")"}},
    };
    for (const Case& c : cases) {
        const auto run = test::runCli(std::string("chart --json ") + c.args);
        EXPECT_EQ(run.status, 0) << c.args;
        for (const std::string& fragment : c.fragments) {
            EXPECT_NE(run.out.find(fragment), std::string::npos) << c.args << "\n" << run.out;
        }
    }
}

TEST(ChartCommand, RulesRefusals) {
    struct Case {
        const char* args;
        const char* message;
    };
    const Case cases[] = {
        {"--sex male 1950-05-07 0:30 --summer-time apply",
         "夏時刻が始まった日のこの時刻は存在しません"},
        {"--sex male 1990-05-20 10:60", "時刻データを確認して下さい"},
        {"--sex male 1990-05-20 10:5", "データエラー"},
        {"--sex male 1990-05-20 10 --longitude 119.9",
         "経度は東経120度から155度までの数で入力して下さい(例：130.42)"},
        {"--sex male 1990-05-20 10 --longitude east",
         "経度は東経120度から155度までの数で入力して下さい(例：130.42)"},
        {"--sex male 1990-05-20 10 --place 火星", "出生地の都道府県名が見つかりません"},
    };
    for (const Case& c : cases) {
        const auto run = test::runCli(std::string("chart ") + c.args);
        EXPECT_EQ(run.status, 2) << c.args;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << c.args << ": " << run.err;
    }
    // A rule word the command does not know is a usage error.
    EXPECT_EQ(test::runCli("chart --sex male 1990-05-20 10 --day-change 24").status, 2);
    EXPECT_EQ(test::runCli("chart --sex male 1990-05-20 10 --place 福岡 --longitude 130").status,
              2);
}

}  // namespace
}  // namespace quorvel::cli
