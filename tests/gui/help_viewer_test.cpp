// The help viewer finds the help file, lists its topics and reports a missing file itself.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QTemporaryDir>

#include <string>

#include "platform/qt/help_viewer.h"
#include "tests/gui/gui_test_support.h"
#include "tests/support/sjis.h"

namespace quorvel::test {
namespace {

using platform::qt::HelpViewer;

// Runs the test body with the working folder in a fresh temporary folder.
class GuiHelp : public GuiTest {
  protected:
    void SetUp() override {
        GuiTest::SetUp();
        ASSERT_TRUE(folder_.isValid());
        previous_ = QDir::currentPath();
        QDir::setCurrent(folder_.path());
    }
    void TearDown() override {
        QDir::setCurrent(previous_);
        GuiTest::TearDown();
    }

    void writeHelp(const QString& name, const std::string& bytes) {
        QFile file(QDir(folder_.path()).filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
    }

  private:
    QTemporaryDir folder_;
    QString previous_;
};

TEST_F(GuiHelp, ShowsTheTopicsOfAShiftJisFileAndRaisesOneViewer) {
    // Shift-JIS, with the trail byte 0x5C of 表 in a title; the name in another case.
    writeHelp("quorvel.hlp", sjis("# 原稿\n= 目次\n一行目\n二行目\n\n= 表の見方\n- 記号\n"));
    platform::openHelp(nullptr);
    HelpViewer* viewer = platform::qt::helpViewer();
    ASSERT_NE(viewer, nullptr);
    EXPECT_TRUE(viewer->isVisible());
    EXPECT_EQ(viewer->windowTitle(), qs("Quorvel ヘルプ"));
    ASSERT_EQ(viewer->contents()->count(), 2);
    EXPECT_EQ(viewer->contents()->item(0)->text(), qs("目次"));
    EXPECT_EQ(viewer->contents()->item(1)->text(), qs("表の見方"));
    EXPECT_EQ(viewer->contents()->currentRow(), 0);
    EXPECT_TRUE(viewer->page()->toPlainText().contains(qs("一行目二行目")));

    viewer->contents()->setCurrentRow(1);
    EXPECT_TRUE(viewer->page()->toPlainText().contains(qs("記号")));
    platform::openHelp(nullptr);
    EXPECT_EQ(platform::qt::helpViewer(), viewer);
    EXPECT_EQ(viewer->contents()->currentRow(), 0);  // back at the contents
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(GuiHelp, MissingFileIsReportedByTheViewerWithoutHoldingUpTheProgram) {
    platform::openHelp(nullptr);
    EXPECT_EQ(platform::qt::helpViewer(), nullptr);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    int boxes = 0;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* box = qobject_cast<QMessageBox*>(widget);
        if (box != nullptr && box->isVisible()) {
            ++boxes;
            EXPECT_EQ(box->windowTitle(), qs("ヘルプ"));
            EXPECT_EQ(box->text(), qs("ヘルプファイル Quorvel.HLP が見つかりません。"));
        }
    }
    EXPECT_EQ(boxes, 1);
}

}  // namespace
}  // namespace quorvel::test
