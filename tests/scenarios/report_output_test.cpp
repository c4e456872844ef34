// When no browser takes the report, the box is no error: it says where the file lies, in full,
// and how to read it.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "common/sjis_utf8.h"
#include "dialogs/report_output.h"
#include "tests/support/sjis.h"

namespace quorvel::test {
namespace {

TEST(ReportOutput, TheUnopenedReportIsToldByItsFullPath) {
    const std::filesystem::path full =
        std::filesystem::absolute(std::filesystem::path(u8"太郎鑑定書.html"));
    const std::u8string utf8 = full.u8string();
    bool ok = true;
    const std::string where = utf8ToSjis(std::string(utf8.begin(), utf8.end()), ok);
    ASSERT_TRUE(ok);
    const std::string told = reportWrittenText(sjisToUtf8(sjis("太郎鑑定書.html")));
    EXPECT_NE(told.find("\n" + where + "\n"), std::string::npos) << told;
    EXPECT_NE(told.find(sjis("ブラウザ")), std::string::npos);
    EXPECT_EQ(told.find(sjis("エラー")), std::string::npos);
}

}  // namespace
}  // namespace quorvel::test
