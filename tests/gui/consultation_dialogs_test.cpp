// The consultation dialogs as the program runs them: their controls, whom their boxes and the
// result dialog belong to once the entry dialog has ended, and the chart panel beside the main
// window.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QRadioButton>
#include <QScrollBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#include "common/fixed_text.h"
#include "consultation/consultation.h"
#include "dialogs/chart_panel.h"
#include "dialogs/consultation_dialogs.h"
#include "dialogs/reading_windows.h"
#include "dialogs/result_dialog.h"
#include "platform/qt/dialog_window.h"
#include "platform/qt/help_viewer.h"
#include "records/record_dialogs.h"
#include "tests/gui/gui_test_support.h"
#include "tests/support/sjis.h"

namespace quorvel::test {
namespace {

using platform::qt::DialogWindow;
using RunDialog = void (*)(ConsultationState&);

QWidget* control(QWidget* dialog, int id) {
    auto* window = dynamic_cast<DialogWindow*>(dialog);
    return window != nullptr ? window->control(id) : nullptr;
}

QString textOf(QWidget* dialog, int id) {
    QWidget* widget = control(dialog, id);
    if (auto* line = qobject_cast<QLineEdit*>(widget)) {
        return line->text();
    }
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        return button->text();
    }
    if (auto* plain = qobject_cast<QPlainTextEdit*>(widget)) {
        return plain->toPlainText();
    }
    return widget != nullptr ? widget->property("text").toString() : QString();
}

bool isChecked(QWidget* dialog, int id) {
    auto* radio = qobject_cast<QRadioButton*>(control(dialog, id));
    return radio != nullptr && radio->isChecked();
}

// Typed as an input method commits it, so that Japanese arrives as a person types it.
void typeInto(QWidget* dialog, int id, const char* utf8Text) {
    auto* edit = qobject_cast<QLineEdit*>(control(dialog, id));
    ASSERT_NE(edit, nullptr) << id;
    edit->clear();
    edit->setFocus();
    QInputMethodEvent commit;
    commit.setCommitString(qs(utf8Text));
    QApplication::sendEvent(edit, &commit);
}

void keyIn(QWidget* dialog, Qt::Key key) {
    QWidget* focused = dialog->focusWidget();
    QTest::keyClick(focused != nullptr ? focused : dialog, key);
}

void runResult(ConsultationState& state) {
    runResultDialog(state, state.mainWindow, fieldText(state.outputFileName), state.person);
}

class GuiConsultation : public GuiTest {
  protected:
    void SetUp() override {
        GuiTest::SetUp();
        state_ = std::make_unique<ConsultationState>();
        state_->mainWindow = platform::createMainWindow({"Quorvel", "MyApp", {}, [](int) {}});
        platform::showWindow(state_->mainWindow);
        main_ = widgetOf(state_->mainWindow);
        copyText(state_->basePillarText, sjis("甲子"));
        copyText(state_->runningPillarText, sjis("丙午"));
    }

    // The judgement of 甲子 in a 丙午 year, as the stem-branch dialog leaves it.
    void judge() {
        state_->calendarPeriodFlag = 1;
        state_->luckPeriodFlag = 0;
        ASSERT_EQ(parseJudgementKey(*state_, state_->mainWindow), 1);
        composeJudgement(*state_);
    }

    ConsultationState& state() { return *state_; }

    std::unique_ptr<ConsultationState> state_;
    QWidget* main_ = nullptr;
};

TEST_F(GuiConsultation, EntryDialogsShowTheirControlsAndTheLastPillars) {
    const struct {
        RunDialog run;
        const char* title;
    } cases[] = {
        {runStemBranchDialog, "干支の入力(年月日運用)"},
        {runHexagramDialog, "Quorvel挨星法の入力"},
        {runAvoidanceDialog, "避凶造命法の入力"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.title);
        state().outputReady = 1;
        whenModal([&](QWidget* modal) {
            EXPECT_EQ(modal->windowTitle(), qs(c.title));
            EXPECT_EQ(modal->parentWidget(), main_);
            EXPECT_EQ(modal->windowModality(), Qt::WindowModal);
            EXPECT_EQ(textOf(modal, 101), qs("甲子"));
            EXPECT_EQ(textOf(modal, 102), qs("丙午"));
            EXPECT_EQ(textOf(modal, platform::kIdOk), qs("実行"));
            if (c.run == runHexagramDialog) {
                EXPECT_TRUE(isChecked(modal, 107));
                QTest::mouseClick(control(modal, 105), Qt::LeftButton);
                EXPECT_TRUE(isChecked(modal, 105));
                EXPECT_FALSE(isChecked(modal, 106));
                EXPECT_FALSE(isChecked(modal, 107));
            }
            QTest::mouseClick(control(modal, platform::kIdCancel), Qt::LeftButton);
        });
        c.run(state());
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
        EXPECT_EQ(state().outputReady, 0);
    }
}

TEST_F(GuiConsultation, ResultDialogShowsTheWholeJudgementAndOnlyEnterClosesIt) {
    judge();
    whenModal([&](QWidget* modal) {
        EXPECT_EQ(modal->windowTitle(), qs("幸運の判断"));
        EXPECT_EQ(modal->parentWidget(), main_);
        auto* text = qobject_cast<QPlainTextEdit*>(control(modal, 101));
        ASSERT_NE(text, nullptr);
        EXPECT_TRUE(text->isReadOnly());
        EXPECT_EQ(text->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QString expected = fromSjis(state().judgementBuffer);
        expected.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        EXPECT_EQ(text->toPlainText(), expected);
        // Long lines wrap: the text scrolls down, never sideways.
        EXPECT_EQ(text->horizontalScrollBar()->maximum(), 0);
        EXPECT_GT(text->verticalScrollBar()->maximum(), 0);

        keyIn(modal, Qt::Key_Escape);
        EXPECT_TRUE(modal->isVisible()) << "Escape";
        modal->close();
        EXPECT_TRUE(modal->isVisible()) << "the close box";
        EXPECT_EQ(QApplication::activeModalWidget(), modal);
        keyIn(modal, Qt::Key_Return);
        EXPECT_FALSE(modal->isVisible()) << "Enter";
    });
    runResultDialog(state(), state().mainWindow, fieldText(state().outputFileName), state().person);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(state().outputReady, 1);
}

// After 実行 the entry dialog has ended; what follows belongs to the main window. A refused empty
// entry keeps the dialog open, and its box belongs to the dialog.
TEST_F(GuiConsultation, WhatFollowsAnEndedDialogBelongsToTheMainWindow) {
    const struct {
        const char* name;
        RunDialog run;
        const char* base;
        const char* running;
        const char* title;
        const char* textPart;
        bool ownedByMain;
    } cases[] = {
        {"judgement", runStemBranchDialog, "甲子", "丙午", "幸運の判断", "(天運)", true},
        {"bad running pillar", runStemBranchDialog, "甲子", "甲子 ", "エラー", "行運干支が間違っ",
         true},
        {"hexagram reading", runHexagramDialog, "甲子", "乙丑", "人運判断", "易卦：天沢履", true},
        {"avoidance", runAvoidanceDialog, "甲子", "丙午", "避凶造命法", "本年(大運)", true},
        {"empty entry", runStemBranchDialog, "甲子", "", "エラー", "データエラー", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        whenModal([&](QWidget* entry) {
            typeInto(entry, 101, c.base);
            typeInto(entry, 102, c.running);
            whenModal([&, entry](QWidget* next) {
                ASSERT_NE(next, entry);
                EXPECT_EQ(next->parentWidget(), c.ownedByMain ? main_ : entry);
                EXPECT_TRUE(next->isVisible());
                EXPECT_EQ(entry->isVisible(), !c.ownedByMain);
                EXPECT_EQ(next->windowTitle(), qs(c.title));
                auto* box = qobject_cast<QMessageBox*>(next);
                const QString text = box != nullptr ? box->text() : textOf(next, 101);
                EXPECT_TRUE(text.contains(qs(c.textPart))) << text.toStdString();
                if (!c.ownedByMain) {
                    whenModal([entry](QWidget* again) {
                        EXPECT_EQ(again, entry);
                        keyIn(again, Qt::Key_Escape);
                    });
                }
                keyIn(next, Qt::Key_Return);
            });
            QTest::mouseClick(control(entry, platform::kIdOk), Qt::LeftButton);
        });
        c.run(state());
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    }
}

TEST_F(GuiConsultation, F1OpensTheHelpAndLeavesTheDialogOpen) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    QFile help(QDir(folder.path()).filePath("Quorvel.HLP"));
    ASSERT_TRUE(help.open(QIODevice::WriteOnly));
    help.write(sjis("= 目次\n干支の入力\n== 画面\n= 幸運の判断\n判断文\n= 避凶造命法\n避凶\n"
                    "= 奥義：人運の判断\n易卦\n= 干支入力\n干支\n")
                   .c_str());
    help.close();
    const QString previous = QDir::currentPath();
    QDir::setCurrent(folder.path());
    judge();

    // Each at the topic about itself.
    const struct {
        RunDialog run;
        Qt::Key close;
        const char* topic;
    } cases[] = {{runStemBranchDialog, Qt::Key_Escape, "干支入力"},
                 {runHexagramDialog, Qt::Key_Escape, "奥義：人運の判断"},
                 {runAvoidanceDialog, Qt::Key_Escape, "避凶造命法"},
                 {runResult, Qt::Key_Return, "幸運の判断"}};
    for (const auto& c : cases) {
        platform::qt::closeHelp();
        whenModal([&](QWidget* modal) {
            SCOPED_TRACE(modal->windowTitle().toStdString());
            keyIn(modal, Qt::Key_F1);
            ASSERT_NE(platform::qt::helpViewer(), nullptr);
            EXPECT_TRUE(platform::qt::helpViewer()->isVisible());
            const QListWidgetItem* shown = platform::qt::helpViewer()->contents()->currentItem();
            ASSERT_NE(shown, nullptr);
            EXPECT_EQ(shown->text(), qs(c.topic));
            EXPECT_TRUE(platform::qt::helpViewer()->page()->toPlainText().startsWith(qs(c.topic)));
            EXPECT_EQ(QApplication::activeModalWidget(), modal);
            keyIn(modal, c.close);
        });
        c.run(state());
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    }
    QDir::setCurrent(previous);
}

TEST_F(GuiConsultation, ChartPanelStandsBesideTheMainWindowWithTheChart) {
    copyText(state().person.name, sjis("山田"));
    state().person.sex = Sex::Male;
    ASSERT_TRUE(computeChart(state(), 1965, 3, 15, 10));
    openChartPanel(state());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

    QPointer<QWidget> panel;
    for (auto* dialog : main_->findChildren<QDialog*>(Qt::FindDirectChildrenOnly)) {
        if (dialog->isVisible()) {
            panel = dialog;
        }
    }
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->windowTitle(), qs("命造/大運パネル"));
    EXPECT_TRUE(panel->isWindow());
    EXPECT_EQ(panel->windowModality(), Qt::NonModal);
    EXPECT_EQ(textOf(panel, 110), qs("山田"));
    EXPECT_EQ(textOf(panel, 111), qs("男"));
    EXPECT_EQ(textOf(panel, 65535), qs("四柱"));
    const char* const pillars[] = {"乙巳", "己卯", "戊辰", "丁巳", "戊寅", "丁丑", "丙子",
                                   "乙亥", "甲戌", "癸酉", "壬申", "辛未", "庚午", "己巳"};
    for (int i = 0; i < 14; ++i) {
        EXPECT_EQ(textOf(panel, 1021 + i), qs(pillars[i])) << 1021 + i;
    }

    // The day pillar against the second luck pillar; the result dialog is the main window's.
    QTest::mouseClick(control(panel, 1023), Qt::LeftButton);
    QTest::mouseClick(control(panel, 1026), Qt::LeftButton);
    EXPECT_EQ(textOf(panel, 65535), qs("自分,配偶者"));
    EXPECT_EQ(textOf(panel, 101), qs("戊辰"));
    EXPECT_EQ(textOf(panel, 102), qs("丁丑"));
    whenModal([&](QWidget* modal) {
        EXPECT_EQ(modal->windowTitle(), qs("幸運の判断"));
        EXPECT_EQ(modal->parentWidget(), main_);
        keyIn(modal, Qt::Key_Return);
    });
    QTest::mouseClick(control(panel, platform::kIdOk), Qt::LeftButton);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_TRUE(panel->isVisible());

    keyIn(panel, Qt::Key_Escape);
    processEvents();
    EXPECT_EQ(panel, nullptr);
}

// The windows of tables at their default size: no text of a cell cut, no sideways scrolling, the
// dates of the months and days whole, a 15-character name in the yearly review; made larger, the
// table grows and the buttons below it follow.
TEST_F(GuiConsultation, TablesShowEveryCellWholeAndGrowWithTheirWindow) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    QFile data(QDir(folder.path()).filePath("DATA.CSV"));
    ASSERT_TRUE(data.open(QIODevice::WriteOnly));
    data.write(sjis("一二三四五六七八九十壱弐参肆伍,1,0,1990,5,20,10,\n山田,1,0,1990,12,20,10,\n"
                    "花子,0,1,1972,5,7,23,\n")
                   .c_str());
    data.close();
    const QString previous = QDir::currentPath();
    QDir::setCurrent(folder.path());

    BirthRecord person;
    copyText(person.name, sjis("山田"));
    person.sex = Sex::Male;
    person.year = 1990;
    person.month = 5;
    person.day = 20;
    person.hour = 10;
    openFortuneCalendarWindow(state(), person);
    openPersonListWindow(state());
    const auto windowTitled = [&](const char* title) -> QWidget* {
        for (auto* dialog : main_->findChildren<QDialog*>(Qt::FindDirectChildrenOnly)) {
            if (dialog->isVisible() && dialog->windowTitle() == qs(title)) {
                return dialog;
            }
        }
        return nullptr;
    };
    QWidget* calendar = windowTitled("運勢暦");
    QWidget* list = windowTitled("人物一覧");
    ASSERT_NE(calendar, nullptr);
    ASSERT_NE(list, nullptr);

    const struct {
        const char* view;
        QWidget* window;
        int button;  // pressed first, 0 for none
    } cases[] = {
        {"years", calendar, 0}, {"months", calendar, 1201}, {"days", calendar, 1202},
        {"persons", list, 0},   {"review", list, 1202},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.view);
        if (c.window == list) {
            typeInto(list, 113, "2024");
        }
        if (c.button != 0) {
            QTest::mouseClick(control(c.window, c.button), Qt::LeftButton);
        }
        auto* table = qobject_cast<QTableView*>(control(c.window, 120));
        ASSERT_NE(table, nullptr);
        const QAbstractItemModel* model = table->model();
        ASSERT_GT(model->rowCount(), 0);
        processEvents();
        EXPECT_EQ(table->horizontalScrollBar()->maximum(), 0);
        for (int r = 0; r < model->rowCount(); ++r) {
            for (int col = 0; col < model->columnCount(); ++col) {
                const QModelIndex index = model->index(r, col);
                EXPECT_GE(table->columnWidth(col), table->sizeHintForIndex(index).width())
                    << index.data().toString().toStdString();
            }
        }
    }

    const QSize before = calendar->size();
    const QRect table = control(calendar, 120)->geometry();
    const QRect close = control(calendar, platform::kIdCancel)->geometry();
    calendar->resize(before + QSize(120, 80));
    EXPECT_EQ(control(calendar, 120)->geometry(), table.adjusted(0, 0, 120, 80));
    EXPECT_EQ(control(calendar, platform::kIdCancel)->geometry(), close.translated(0, 80));
    EXPECT_EQ(control(calendar, 111)->width(), table.width() + 120);
    calendar->resize(before - QSize(50, 50));
    EXPECT_EQ(calendar->size(), before);  // never smaller than its template
    QDir::setCurrent(previous);
}

}  // namespace
}  // namespace quorvel::test

namespace quorvel::test {
namespace {

// The person list asks for its cells as it shows them: after a search and a heading click the
// row a person double-clicks must still open that person, ages and dates ordered as numbers.
TEST_F(GuiConsultation, APersonChosenAfterASearchAndASortIsThePersonShown) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    QFile data(QDir(folder.path()).filePath("DATA.CSV"));
    ASSERT_TRUE(data.open(QIODevice::WriteOnly));
    data.write(sjis("山田,1,0,1990,5,20,10,\n花子,0,1,1972,5,7,23,\n次郎,1,0,2001,1,3,5,\n"
                    "和子,0,1,1972,12,1,8,\n太郎,1,0,1955,2,14,9,\n")
                   .c_str());
    data.close();
    const QString previous = QDir::currentPath();
    QDir::setCurrent(folder.path());

    constexpr int kNumber = 0, kBirth = 4, kAge = 6;
    const struct {
        const char* search;
        int column;
        int clicks;  // 1 ascending, 2 descending
        int row;
        const char* chosen;
    } cases[] = {
        {"", kAge, 1, 0, "次郎"},  // the youngest first
        {"", kAge, 2, 0, "太郎"},  // the oldest first
        {"", kAge, 2, 4, "次郎"},
        {"1972", kBirth, 1, 1, "和子"},  // 1972/5/7 before 1972/12/1, as dates
        {"1972", kBirth, 2, 0, "和子"},
        {"子", kNumber, 2, 0, "和子"},  // the fourth record before the second
        {"子", kNumber, 2, 1, "花子"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.search) + " " + std::to_string(c.column) + " " + c.chosen);
        openPersonListWindow(state());
        QWidget* list = nullptr;
        for (auto* dialog : main_->findChildren<QDialog*>(Qt::FindDirectChildrenOnly)) {
            if (dialog->isVisible() && dialog->windowTitle() == qs("人物一覧")) {
                list = dialog;
            }
        }
        ASSERT_NE(list, nullptr);
        typeInto(list, 111, c.search);
        QTest::mouseClick(control(list, 1201), Qt::LeftButton);
        auto* table = qobject_cast<QTableView*>(control(list, 120));
        ASSERT_NE(table, nullptr);
        QHeaderView* header = table->horizontalHeader();
        for (int i = 0; i < c.clicks; ++i) {
            QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                              QPoint(header->sectionViewportPosition(c.column) + 5, 5));
        }
        const QRect cell = table->visualRect(table->model()->index(c.row, 2));
        ASSERT_TRUE(cell.isValid());
        EXPECT_EQ(table->model()->index(c.row, 2).data().toString(), qs(c.chosen));
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, cell.center());
        EXPECT_EQ(std::string(fieldText(state().person.name)), sjis(c.chosen));
        copyText(state().person.name, "");
        list->close();
        processEvents();
    }
    QDir::setCurrent(previous);
}

}  // namespace
}  // namespace quorvel::test
