// The help viewer finds the help file, lists its topics and reports a missing file itself.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

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

TEST_F(GuiHelp, GroupsSearchAndClosingByEscapeOrItsButton) {
    writeHelp("Quorvel.HLP", sjis("= 目次\n入口\n== メニューのコマンド\n= 生年月日時の入力\n"
                                  "大運を求めます\n= 干支入力\n年の運\n== 画面と用語\n"
                                  "= 命造/大運パネル\n- 大運のボタン\n"));
    platform::openHelp(nullptr);
    HelpViewer* viewer = platform::qt::helpViewer();
    ASSERT_NE(viewer, nullptr);
    ASSERT_EQ(viewer->contents()->count(), 6);  // four topics under two headings
    EXPECT_EQ(viewer->contents()->item(1)->text(), qs("メニューのコマンド"));
    EXPECT_FALSE(viewer->contents()->item(1)->flags() & Qt::ItemIsSelectable);
    EXPECT_EQ(viewer->visibleTopics(), QStringList({qs("目次"), qs("生年月日時の入力"),
                                                    qs("干支入力"), qs("命造/大運パネル")}));

    viewer->search()->setText(qs("大運"));
    EXPECT_EQ(viewer->visibleTopics(),
              QStringList({qs("生年月日時の入力"), qs("命造/大運パネル")}));
    EXPECT_FALSE(viewer->contents()->item(1)->isHidden());  // its heading stays
    EXPECT_TRUE(viewer->page()->toPlainText().contains(qs("大運を求めます")));
    viewer->search()->setText(qs("見当たらない語"));
    EXPECT_TRUE(viewer->visibleTopics().isEmpty());
    EXPECT_EQ(viewer->page()->toPlainText(), qs("見つかりませんでした"));

    platform::openHelp(nullptr);  // a new request starts from the whole list
    EXPECT_EQ(viewer->visibleTopics().size(), 4);
    EXPECT_TRUE(viewer->search()->text().isEmpty());

    QTest::keyClick(viewer, Qt::Key_Escape);
    processEvents();
    EXPECT_EQ(platform::qt::helpViewer(), nullptr);

    platform::openHelp(nullptr);
    viewer = platform::qt::helpViewer();
    ASSERT_NE(viewer, nullptr);
    EXPECT_EQ(viewer->closeButton()->text(), qs("閉じる"));
    viewer->closeButton()->click();
    processEvents();
    EXPECT_EQ(platform::qt::helpViewer(), nullptr);
}

// People type words as the input method or the caps lock leaves them.
TEST_F(GuiHelp, SearchIgnoresCaseAndWidth) {
    writeHelp("Quorvel.HLP", sjis("= データファイル\nDATA.CSV を読みます\n= 操作\nF1 キーでヘルプ\n"
                                  "= ボタン\nｷｬﾝｾﾙで閉じます\n"));
    platform::openHelp(nullptr);
    HelpViewer* viewer = platform::qt::helpViewer();
    ASSERT_NE(viewer, nullptr);
    for (const auto& [word, topic] :
         {std::pair{"data", "データファイル"}, std::pair{"DATA", "データファイル"},
          std::pair{"ＤＡＴＡ", "データファイル"}, std::pair{"ｄａｔａ．ｃｓｖ", "データファイル"},
          std::pair{"f1", "操作"}, std::pair{"Ｆ１", "操作"}, std::pair{"キャンセル", "ボタン"}}) {
        viewer->search()->setText(qs(word));
        EXPECT_EQ(viewer->visibleTopics(), QStringList({qs(topic)})) << word;
    }
    viewer->search()->setText(qs("xyz"));
    EXPECT_TRUE(viewer->visibleTopics().isEmpty());
    EXPECT_EQ(viewer->page()->toPlainText(), qs("見つかりませんでした"));
    viewer->search()->clear();
    EXPECT_EQ(viewer->visibleTopics().size(), 3);
}

TEST_F(GuiHelp, OpensCentredOverTheMainWindow) {
    writeHelp("Quorvel.HLP", sjis("= 目次\n入口\n"));
    static const platform::MenuItem menu[] = {{"x", 1, {}}};
    const platform::WindowHandle main =
        platform::createMainWindow({"Quorvel", "MyApp", menu, [](int) {}});
    platform::showWindow(main);
    QWidget* mainWidget = widgetOf(main);
    ASSERT_NE(mainWidget, nullptr);
    const QRect room = mainWidget->screen()->availableGeometry();
    mainWidget->move(room.center() - mainWidget->rect().center());
    platform::openHelp(main);
    HelpViewer* viewer = platform::qt::helpViewer();
    ASSERT_NE(viewer, nullptr);
    const QPoint offset = viewer->frameGeometry().center() - mainWidget->frameGeometry().center();
    EXPECT_LE(offset.manhattanLength(), 8);  // a frame the platform may add
    platform::qt::closeHelp();

    // A main window in the screen's corner: the viewer stays whole on the screen.
    mainWidget->move(0, 0);
    platform::openHelp(main);
    viewer = platform::qt::helpViewer();
    ASSERT_NE(viewer, nullptr);
    EXPECT_TRUE(room.contains(viewer->frameGeometry())) << viewer->x() << "," << viewer->y();
    platform::qt::closeHelp();
    platform::destroyWindow(main);
    processEvents();
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
