#include "cli/chart_command.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "tests/support/run_command.h"

namespace quorvel::cli {
namespace {

constexpr const char* kExampleJson =
    "{\"year\":\"庚午\",\"month\":\"辛巳\",\"day\":\"乙酉\",\"hour\":\"辛巳\",\"forward\":true,"
    "\"startAge\":5,\"luck\":[\"壬午\",\"癸未\",\"甲申\",\"乙酉\",\"丙戌\",\"丁亥\",\"戊子\","
    "\"己丑\",\"庚寅\",\"辛卯\"]}";

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
