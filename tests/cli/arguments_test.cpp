#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/cli/cli_run.h"

namespace {

using quorvel::test::runCli;

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

TEST(Arguments, HelpAndVersion) {
    const std::string everything[] = {"chart [--json] [--sjis] --sex male|female",
                                      "chart --json --batch",
                                      "chart --record N",
                                      "records [--sjis] [FILE]",
                                      "judge [--period luck|calendar]",
                                      "hexagram [--dun yang|yin]",
                                      "avoid [--sjis]",
                                      "男性か女性を指定して下さい"};
    const struct {
        const char* args;
        std::vector<std::string> mentions;
        std::vector<std::string> omits;
    } cases[] = {
        {"--help", {std::begin(everything), std::end(everything)}, {}},
        {"help", {std::begin(everything), std::end(everything)}, {}},
        {"chart --help", {"--record", "--file", "--batch", "--sex", "DATE"}, {"--period"}},
        {"judge --help", {"--period", "BASE", "RUNNING"}, {"--dun", "--record"}},
        {"hexagram --help", {"--dun", "BASE"}, {"--period"}},
        {"avoid --help", {"RUNNING", "--sjis"}, {"--period", "--dun"}},
        {"records --help", {"FILE", "--sjis", "--utf8"}, {"--record"}},
    };
    for (const auto& c : cases) {
        const auto run = runCli(c.args);
        EXPECT_EQ(run.status, 0) << c.args;
        EXPECT_EQ(run.err, "") << c.args;
        for (const auto& part : c.mentions) {
            EXPECT_TRUE(contains(run.out, part)) << c.args << " lacks " << part;
        }
        for (const auto& part : c.omits) {
            EXPECT_FALSE(contains(run.out, part)) << c.args << " shows " << part;
        }
    }
    const auto version = runCli("--version");
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "quorvel-cli " QUORVEL_VERSION "\n");

    const auto bare = runCli("");
    EXPECT_EQ(bare.status, 2);
    EXPECT_EQ(bare.out, "");
    for (const auto& part : everything) {
        EXPECT_TRUE(contains(bare.err, part)) << "usage lacks " << part;
    }
}

TEST(Arguments, UsageErrorsNameTheCommand) {
    const struct {
        const char* args;
        const char* start;
    } cases[] = {
        {"frobnicate", "quorvel-cli: そのようなコマンドはありません：frobnicate\n"},
        {"--bogus", "quorvel-cli: "},
        {"chart --batch", "quorvel-cli chart: "},
        {"chart --json --batch 1990-05-20", "quorvel-cli chart: "},
        {"chart --sex male 1990-05-20 10 11", "quorvel-cli chart: "},
        {"chart --record 0", "quorvel-cli chart: "},
        {"judge --sjis --utf8 甲子 乙丑", "quorvel-cli judge: "},
        {"chart --record 1234567890", "quorvel-cli chart: "},  // more than any file holds
        {"chart --record x", "quorvel-cli chart: "},
        {"chart --record ' 1'", "quorvel-cli chart: "},  // only the digits of a slot number
        {"chart --record '1 '", "quorvel-cli chart: "},
        {"chart --record 0x1", "quorvel-cli chart: "},
        {"chart --record 01", "quorvel-cli chart: "},
        {"chart --record +1", "quorvel-cli chart: "},
        {"chart --record 1 1990-05-20 10", "quorvel-cli chart: "},
        {"chart --record 1 --sex male", "quorvel-cli chart: "},
        {"chart --record 1 --batch --json", "quorvel-cli chart: "},
        {"chart --file DATA.CSV --sex male 1990-05-20 10", "quorvel-cli chart: "},
        {"judge --period sometimes 甲子 甲子", "quorvel-cli judge: "},
        {"hexagram --dun 甲子 甲子", "quorvel-cli hexagram: "},
        {"avoid --period luck 甲子 甲子", "quorvel-cli avoid: "},
        {"records --json", "quorvel-cli records: "},
    };
    for (const auto& c : cases) {
        const auto run = runCli(c.args);
        EXPECT_EQ(run.status, 2) << c.args;
        EXPECT_EQ(run.out, "") << c.args;
        EXPECT_EQ(run.err.rfind(c.start, 0), 0u) << c.args << "\n" << run.err;
    }
}

TEST(Arguments, ARefusalSaysInJapaneseWhatWasWrongAndKeepsTheParsersDetail) {
    const struct {
        const char* args;
        const char* lead;
        const char* detail;
    } cases[] = {
        {"judge 甲子", "必要な引数がありません", "RUNNING"},
        {"chart --sex male 1990-05-20", "必要な引数がありません", "hour"},
        {"person note 1", "必要な引数がありません", "--set"},
        {"judge --sjis --utf8 甲子 乙丑", "一緒には指定できないオプションがあります", "--utf8"},
        {"judge --bogus 甲子 乙丑", "余分な引数か、使えないオプションがあります", "--bogus"},
        {"chart --record x", "引数の値が正しくありません", "--record"},
        {"judge --period sometimes 甲子 甲子", "引数の値が正しくありません", "sometimes"},
        {"frobnicate", "そのようなコマンドはありません", "quorvel-cli --help"},
    };
    for (const auto& c : cases) {
        const auto run = runCli(c.args);
        EXPECT_EQ(run.status, 2) << c.args;
        const std::string firstLines = run.err.substr(0, run.err.find("usage:"));
        EXPECT_TRUE(contains(firstLines, c.lead)) << c.args << "\n" << run.err;
        EXPECT_TRUE(contains(firstLines, c.detail)) << c.args << "\n" << run.err;
    }
}

TEST(Arguments, AMessageQuotesAtMostTheStartOfALongArgument) {
    const std::string ascii(100000, 'x');
    std::string kana;
    while (kana.size() < 90000) {
        kana += "あ";
    }
    const std::string quotedAscii = std::string(64, 'x') + "...";
    const std::string quotedKana = kana.substr(0, 63) + "...";  // whole characters only
    const struct {
        std::string args;
        std::string quote;
    } cases[] = {
        {ascii, quotedAscii},
        {kana, quotedKana},
        {"chart --record " + ascii, quotedAscii},
        {"chart --record=" + kana, quotedKana},
        {"records a " + ascii, quotedAscii},
        {"judge --period " + kana + " 甲子 甲子", quotedKana},
        {"chart --" + ascii, "--" + std::string(62, 'x') + "..."},
    };
    for (const auto& c : cases) {
        const auto run = runCli(c.args);
        const std::string what = c.args.substr(0, 20);
        EXPECT_EQ(run.status, 2) << what;
        EXPECT_TRUE(contains(run.err, c.quote)) << what << "\n" << run.err.substr(0, 300);
        EXPECT_LT(run.err.size(), 1000u) << what;
    }
}

}  // namespace
