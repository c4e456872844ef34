#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "tests/cli/cli_run.h"
#include "tests/support/sjis.h"

namespace {

using quorvel::test::runCli;
using quorvel::test::sjis;

std::string content(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class ReportCommand : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = quorvel::test::makeFolder();
        ASSERT_FALSE(folder_.empty());
        std::ofstream(folder_ + "/DATA.CSV", std::ios::binary)
            << sjis("山田太郎,1,0,1990,5,20,10,\nx\n花子,0,1,2000,1,19,12,\n");
        std::filesystem::create_directory(folder_ + "/folder");
    }
    void TearDown() override {
        ::chmod(folder_.c_str(), 0755);
        std::filesystem::remove_all(folder_);
    }

    std::string folder_;
};

TEST_F(ReportCommand, TheReportIsWrittenWholeWhereItsNameSaysOrRefusedWithTheReason) {
    const std::string long31(31, 'a');
    const struct {
        std::string args;
        int status;
        std::string out;
        std::string err;
        std::string file;  // written, holding the name
        std::string name;
    } cases[] = {
        {"report --record 2 --date 2026-12-07", 0, "花子鑑定書.html\n", "", "花子鑑定書.html",
         "花子"},
        {"report --sex male 1990-05-20 10 --name 'A/B' -o out.html", 0, "out.html\n", "",
         "out.html", "A/B"},
        {"report --sex male 1990-05-20 10 --name 'A/B'", 0, "A_B鑑定書.html\n", "",
         "A_B鑑定書.html", "A/B"},
        {"report --sex male 1990-05-20 10 --name " + long31, 2, "",
         "氏名は30バイト(全角15文字)までです\n", "", ""},
        {"report --sex male 1990-05-20 10 --name 'é'", 2, "", "氏名に使えない文字があります\n", "",
         ""},
        {"report --sex male 1990-02-30 10 --name a", 2, "", "データエラー\n", "", ""},
        // A name of nothing or of blanks (half- or full-width) would leave the file nameless.
        {"report --sex male 1990-05-20 10 --name ''", 2, "", "氏名を入力して下さい\n", "", ""},
        {"report --sex male 1990-05-20 10 --name ' 　 '", 2, "", "氏名を入力して下さい\n", "", ""},
        {"report --record 3", 2, "", "データが誤っています\n", "", ""},
        {"report --record 1 --date 2026-13-01", 2, "", "データエラー\n", "", ""},
        {"report --record 1 -o folder", 1, "", "ファイルに出力できませんでした\n", "", ""},
        {"report --record 1 --file none.csv", 2, "", "データファイルがありません\n", "", ""},
        {"report --sex male 1990-05-20 10", 2, "", "", "", ""},
    };
    for (const auto& c : cases) {
        const auto run = runCli(c.args, folder_);
        EXPECT_EQ(run.status, c.status) << c.args;
        EXPECT_EQ(run.out, c.out) << c.args;
        if (c.status != 2 || !c.err.empty()) {
            EXPECT_EQ(run.err, c.err) << c.args;
        }
        if (!c.file.empty()) {
            const std::string html = content(folder_ + "/" + c.file);
            EXPECT_TRUE(html.starts_with("<!DOCTYPE html>")) << c.args;
            EXPECT_TRUE(html.ends_with("</html>\n")) << c.args;
            EXPECT_NE(html.find("<dd id=\"name\">" + c.name + "</dd>"), std::string::npos)
                << c.args;
        }
    }
    EXPECT_TRUE(std::filesystem::is_directory(folder_ + "/folder"));
}

}  // namespace
