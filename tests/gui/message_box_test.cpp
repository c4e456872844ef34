// Message boxes show the program's texts and answer as a person answers them.
#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>

#include <functional>
#include <string>

#include "tests/gui/gui_test_support.h"
#include "tests/support/sjis.h"

namespace quorvel::test {
namespace {

using platform::MessageAnswer;
using platform::MessageButtons;

QAbstractButton* buttonTitled(QMessageBox* box, const QString& text) {
    for (QAbstractButton* button : box->buttons()) {
        if (button->text() == text) {
            return button;
        }
    }
    return nullptr;
}

struct AnswerCase {
    const char* name;
    MessageButtons buttons;
    std::function<void(QMessageBox*)> act;
    MessageAnswer expected;
};

class GuiMessageBox : public GuiTest {};

TEST_F(GuiMessageBox, AnswersAsClickedOrKeyed) {
    const AnswerCase cases[] = {
        {"Yes clicked", MessageButtons::YesNo,
         [](QMessageBox* box) { buttonTitled(box, qs("はい(&Y)"))->click(); }, MessageAnswer::Yes},
        {"No clicked", MessageButtons::YesNo,
         [](QMessageBox* box) { buttonTitled(box, qs("いいえ(&N)"))->click(); }, MessageAnswer::No},
        {"Escape on Yes/No", MessageButtons::YesNo,
         [](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Escape); }, MessageAnswer::No},
        {"Enter on Yes/No", MessageButtons::YesNo,
         [](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Return); }, MessageAnswer::Yes},
        {"the close box on Yes/No", MessageButtons::YesNo, [](QMessageBox* box) { box->close(); },
         MessageAnswer::No},
        {"OK clicked", MessageButtons::Ok,
         [](QMessageBox* box) { buttonTitled(box, "OK")->click(); }, MessageAnswer::Ok},
        {"Escape on OK", MessageButtons::Ok,
         [](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Escape); }, MessageAnswer::Ok},
    };
    for (const AnswerCase& c : cases) {
        SCOPED_TRACE(c.name);
        whenModal([&c](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            ASSERT_NE(box, nullptr);
            c.act(box);
        });
        EXPECT_EQ(platform::messageBox(nullptr, sjis("質問"), "", c.buttons), c.expected);
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    }
}

TEST_F(GuiMessageBox, ShowsTextCaptionAndJapaneseButtonsWithoutIcon) {
    const struct {
        std::string caption;
        MessageButtons buttons;
        QString shownCaption;
        QStringList buttonTexts;
    } cases[] = {
        {"", MessageButtons::Ok, qs("エラー"), {"OK"}},
        {sjis("記号の意味"), MessageButtons::Ok, qs("記号の意味"), {"OK"}},
        {sjis("TXTファイルに出力"),
         MessageButtons::YesNo,
         qs("TXTファイルに出力"),
         {qs("はい(&Y)"), qs("いいえ(&N)")}},
    };
    const platform::MainWindowSetup description{"Owner", "MyApp", {}, [](int) {}};
    const platform::WindowHandle owner = platform::createMainWindow(description);
    platform::showWindow(owner);
    // A trail byte 0x5C (表) and a line feed in the text.
    const std::string text = sjis("表の\n<b>データエラー</b>");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shownCaption.toStdString());
        whenModal([&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->parentWidget(), widgetOf(owner));
            EXPECT_EQ(box->windowModality(), Qt::WindowModal);
            EXPECT_EQ(box->windowTitle(), c.shownCaption);
            EXPECT_EQ(box->text(), qs("表の\n<b>データエラー</b>"));
            EXPECT_EQ(box->textFormat(), Qt::PlainText);
            EXPECT_EQ(box->icon(), QMessageBox::NoIcon);
            QStringList texts;
            for (QAbstractButton* button : box->buttons()) {
                texts << button->text();
            }
            texts.sort();
            QStringList expected = c.buttonTexts;
            expected.sort();
            EXPECT_EQ(texts, expected);
            box->escapeButton()->click();
        });
        platform::messageBox(owner, text, c.caption, c.buttons);
    }
}

}  // namespace
}  // namespace quorvel::test
