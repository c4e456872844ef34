#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "tests/cli/cli_run.h"
#include "tests/support/sjis.h"

namespace {

using quorvel::test::runCli;
using quorvel::test::sjis;

class CasebookCommands : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = quorvel::test::makeFolder();
        ASSERT_FALSE(folder_.empty());
        std::ofstream(folder_ + "/DATA.CSV", std::ios::binary)
            << sjis("山田太郎,1,0,1965,3,15,10,\r\n花子,0,1,1972,5,7,23,\r\n");
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    std::string folder_;
};

std::string repeated(std::string_view text, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) {
        out += text;
    }
    return out;
}

// One practitioner's session, command after command: each answer depends on the ones before.
TEST_F(CasebookCommands, ASessionOfNotesCorrectionsHistoryAndRetiring) {
    const std::string yamada = "山田太郎        男  1965年3月";
    const std::string hanako = "2\t2\t花子        女  1972年5月7日23時生まれ\n";
    const struct {
        std::string args;
        int status;
        std::string out;  // a part of standard output ("" for none at all)
        std::string err;  // a part of standard error ("" for none at all)
    } steps[] = {
        {"person note 1 --set 初回の相談", 0, "", ""},
        {"person note 1 --append 'job change'", 0, "", ""},
        {"person show 1 --json", 0,
         R"("minute":null,"place":null,"longitude":null,"note":"初回の相談\u000ajob change",)"
         R"("hidden":false,"supersedes":null,"history":[]})",
         ""},
        {"person correct 1 --sex male 1965-03-16 10:20 --place 福岡", 0,
         "3\t3\t" + yamada + "16日10時20分生まれ\n", ""},
        // Corrected again through the old number: the chain goes on from the newest line.
        {"person correct 1 --sex male 1965-03-17 10:20", 0,
         "4\t4\t" + yamada + "17日10時20分生まれ\n", ""},
        {"records --all", 0, hanako + "4\t4\t" + yamada + "17日10時20分生まれ\n", ""},
        {"person show 4 --json", 0,
         R"("place":"福岡県","longitude":130.4181,"note":"初回の相談\u000ajob change",)"
         R"("hidden":false,"supersedes":3,"history":[]})",
         ""},
        {"person show 1 --json", 0, R"("supersedes":null,"supersededBy":4,"history":[]})", ""},
        {"person show 3", 0, "訂正済み: 4\n", ""},
        {"chart --record 3 --json", 0, R"("supersededBy":4})", ""},
        {"calendar --record 1 --year 2025", 0, "2025-01", "訂正済み: 4"},
        {"report --record 4 -o report.html --date 2025-01-01", 0, "report.html\n", ""},
        {"compat 4 2 --date 2025-01-01", 0, "相性  山田太郎・花子\n", ""},
        {"history 2 --json", 0,
         R"("kind":"compat","period":null,"file":null,"text":"相性  山田太郎・花子\u000a)", ""},
        {"history 1 --json", 0, R"("kind":"report","period":null,"file":"report.html","text":"")",
         ""},
        {"person hide 3", 0, "", ""},
        {"records --all", 0, hanako, ""},
        {"records --all --hidden", 0, "4\t4\t" + yamada + "17日10時20分生まれ\t非表示\n", ""},
        {"records --all --hidden --json", 0, R"("minute":20,"hidden":true})", ""},
        {"person unhide 4", 0, "", ""},
        {"person erase 1", 0, "", ""},
        {"person show 4 --json", 0, R"("note":"","hidden":false,"supersedes":3,"history":[]})", ""},
        // Refusals change nothing and say why.
        {"person note 9 --set x", 2, "", "データが誤っています"},
        {"person note 2 --set " + repeated("あ", 4001), 2, "", "メモは4000字までです"},
        {"person note 2 --set \"$(printf '\\377')\"", 2, "", "メモに使えない文字"},
        {"person note 2", 2, "", "--set TEXT or --append TEXT"},
        {"person correct 2 --sex female 1972-05-07 23", 2, "", "訂正する内容がありません"},
        {"person correct 2 --sex male 1965-03-15 10 --name 山田太郎", 2, "", "別の人物"},
        {"person correct 2 --sex female 1972-02-30 23", 2, "", "データエラー"},
        {"person correct 2 --sex female 1972-05-08 23 --name 'a,b'", 2, "", "カンマ"},
        {"records --all", 0, hanako + "4\t4\t" + yamada + "17日10時20分生まれ\n", ""},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.args);
        const auto run = runCli(step.args, folder_);
        EXPECT_EQ(run.status, step.status) << run.err;
        if (step.out.empty()) {
            EXPECT_EQ(run.out, "");
        } else {
            EXPECT_NE(run.out.find(step.out), std::string::npos) << run.out;
        }
        if (step.err.empty()) {
            EXPECT_EQ(run.err, "");
        } else {
            EXPECT_NE(run.err.find(step.err), std::string::npos) << run.err;
        }
    }
    // The data file only grew: the two corrected lines at its end, every earlier line as it was.
    std::ifstream in(folder_ + "/DATA.CSV", std::ios::binary);
    const std::string data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(data, sjis("山田太郎,1,0,1965,3,15,10,\r\n花子,0,1,1972,5,7,23,\r\n"
                         "山田太郎,1,0,1965,3,16,10:20,\n山田太郎,1,0,1965,3,17,10:20,\n"));
}

// A damaged database is told and set aside and the note goes to a new one; a newer one is read
// and never written.
TEST_F(CasebookCommands, ADamagedOrNewerDatabase) {
    std::ofstream(folder_ + "/QUORVEL.DB", std::ios::binary) << std::string(4096, 'x');
    auto run = runCli("person note 2 --set kept", folder_);
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.err.find("データベースを読めませんでした"), std::string::npos) << run.err;
    run = runCli("person show 2 --json", folder_);
    EXPECT_NE(run.out.find(R"("note":"kept")"), std::string::npos) << run.out;
    EXPECT_EQ(run.err, "");

    // user_version: four bytes, most significant first, at offset 60 of the header.
    std::fstream db(folder_ + "/QUORVEL.DB", std::ios::binary | std::ios::in | std::ios::out);
    db.seekp(63);
    db.put(static_cast<char>(99));
    db.close();
    run = runCli("person note 2 --set lost", folder_);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("新しい版"), std::string::npos) << run.err;
    run = runCli("person show 2 --json", folder_);
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find(R"("note":"kept")"), std::string::npos) << run.out;
}

}  // namespace
