// What a person does to a dialog reaches its handler as the program expects.
#include <QApplication>
#include <QCheckBox>
#include <QCollator>
#include <QComboBox>
#include <QDialog>
#include <QHeaderView>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTest>

#include <functional>
#include <memory>
#include <string>

#include "platform/qt/dialog_controls.h"
#include "resources/dialog_templates.h"
#include "tests/gui/gui_test_support.h"
#include "tests/gui/probe_templates.h"
#include "tests/support/sjis.h"

namespace quorvel::test {
namespace {

using platform::DialogTemplate;
using platform::WindowHandle;

QWidget* controlOf(QWidget* dialog, int id) {
    for (QWidget* child : dialog->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child->property(platform::qt::kControlIdProperty) == id) {
            return child;
        }
    }
    return nullptr;
}

void typeInto(QWidget* edit, const QString& text) {
    edit->setFocus();
    QInputMethodEvent commit;
    commit.setCommitString(text);
    QApplication::sendEvent(edit, &commit);
}

// Enter as typed in a control that has the focus.
void enterIn(QWidget* dialog, int id) {
    QWidget* control = controlOf(dialog, id);
    control->setFocus();
    QTest::keyClick(control, Qt::Key_Return);
}

struct Open {
    WindowHandle handle;
    QWidget* window;
    RecordingHandler* handler;
};

Open openModeless(const DialogTemplate& dialog, bool* destroyed = nullptr) {
    auto handler = std::make_unique<RecordingHandler>(destroyed);
    RecordingHandler* raw = handler.get();
    const WindowHandle handle = platform::openModelessDialog(dialog, nullptr, std::move(handler));
    return {handle, widgetOf(handle), raw};
}

struct InputCase {
    const char* name;
    const DialogTemplate& (*dialog)();
    std::function<void(QWidget* window)> act;
    std::vector<int> commands;
    int helps;
};

class GuiDialogInput : public GuiTest {};

TEST_F(GuiDialogInput, KeysAndClicksReachTheHandler) {
    const InputCase cases[] = {
        {"a click on a button sends its id",
         probeTemplate,
         [](QWidget* w) { QTest::mouseClick(controlOf(w, 1021), Qt::LeftButton); },
         {1021},
         0},
        {"Escape sends cancel",
         probeTemplate,
         [](QWidget* w) { QTest::keyClick(controlOf(w, 108), Qt::Key_Escape); },
         {2},
         0},
        {"Escape in the read-only text sends cancel",
         probeTemplate,
         [](QWidget* w) { QTest::keyClick(controlOf(w, 101), Qt::Key_Escape); },
         {2},
         0},
        {"the close box sends cancel", probeTemplate, [](QWidget* w) { w->close(); }, {2}, 0},
        {"F1 asks for help",
         probeTemplate,
         [](QWidget* w) { QTest::keyClick(controlOf(w, 108), Qt::Key_F1); },
         {},
         1},
        {"Enter in an edit presses the default button",
         probeTemplate,
         [](QWidget* w) { enterIn(w, 108); },
         {1},
         0},
        {"Enter in the read-only text presses the default button",
         probeTemplate,
         [](QWidget* w) { enterIn(w, 101); },
         {1},
         0},
        {"Enter on a focused push button presses that one",
         probeTemplate,
         [](QWidget* w) { enterIn(w, 1021); },
         {1021},
         0},
        {"Enter in a panel field presses 実行, not the focused pillar button",
         panelDialogTemplate,
         [](QWidget* w) { enterIn(w, 101); },
         {1},
         0},
        {"Enter without a default button sends OK",
         noDefaultTemplate,
         [](QWidget* w) { enterIn(w, 101); },
         {1},
         0},
        {"a radio button reacts at the far end of its rectangle",
         probeTemplate,
         [](QWidget* w) {
             QWidget* radio = controlOf(w, 107);
             QTest::mouseClick(radio, Qt::LeftButton, {},
                               QPoint(radio->width() - 2, radio->height() / 2));
         },
         {107},
         0},
    };
    for (const InputCase& c : cases) {
        SCOPED_TRACE(c.name);
        const Open open = openModeless(c.dialog());
        ASSERT_NE(open.window, nullptr);
        c.act(open.window);
        EXPECT_EQ(open.handler->commands, c.commands);
        EXPECT_EQ(open.handler->helps, c.helps);
        // Nothing but the handler's end() closes a dialog.
        EXPECT_TRUE(open.window->isVisible());
        platform::destroyWindow(open.handle);
        processEvents();
    }
}

TEST_F(GuiDialogInput, RadioClickChecksOnlyThatButton) {
    const Open open = openModeless(probeTemplate());
    QTest::mouseClick(controlOf(open.window, 105), Qt::LeftButton);
    QWidget* far = controlOf(open.window, 106);
    QTest::mouseClick(far, Qt::LeftButton, {}, QPoint(far->width() - 2, far->height() - 2));
    EXPECT_FALSE(qobject_cast<QRadioButton*>(controlOf(open.window, 105))->isChecked());
    EXPECT_TRUE(qobject_cast<QRadioButton*>(far)->isChecked());
    EXPECT_EQ(open.handler->commands, (std::vector<int>{105, 106}));
}

TEST_F(GuiDialogInput, ModalDialogReturnsItsEndResultAndIgnoresAnUnansweredCancel) {
    RecordingHandler handler;
    handler.onCommand = [](platform::DialogHandle& dialog, int id) {
        if (id == platform::kIdOk) {
            dialog.end(7);
        }
    };
    const platform::MainWindowSetup description{"Owner", "MyApp", {}, [](int) {}};
    const WindowHandle owner = platform::createMainWindow(description);
    platform::showWindow(owner);
    bool stayedOpen = false;
    whenModal([&](QWidget* modal) {
        EXPECT_EQ(modal->parentWidget(), widgetOf(owner));
        QTest::keyClick(modal, Qt::Key_Escape);  // the handler does not end on cancel
        stayedOpen = QApplication::activeModalWidget() == modal && modal->isVisible();
        QTest::mouseClick(controlOf(modal, platform::kIdOk), Qt::LeftButton);
    });
    EXPECT_EQ(platform::runModalDialog(probeTemplate(), owner, handler), 7);
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(handler.commands, (std::vector<int>{2, 1}));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(GuiDialogInput, ModalDialogEndedDuringItsOpeningNeverShows) {
    RecordingHandler handler;
    handler.onInit = [](platform::DialogHandle& dialog) { dialog.end(3); };
    EXPECT_EQ(platform::runModalDialog(probeTemplate(), nullptr, handler), 3);
    EXPECT_TRUE(handler.commands.empty());
}

TEST_F(GuiDialogInput, ModelessDialogsLiveSideBySideAndTakeTheirHandlerWithThem) {
    bool firstGone = false;
    bool secondGone = false;
    const Open first = openModeless(probeTemplate(), &firstGone);
    const Open second = openModeless(probeTemplate(), &secondGone);
    ASSERT_NE(first.window, second.window);
    first.handler->onCommand = [](platform::DialogHandle& dialog, int id) {
        if (id == platform::kIdCancel) {
            dialog.end(0);
        }
    };
    QTest::keyClick(first.window, Qt::Key_Escape);
    processEvents();
    EXPECT_TRUE(firstGone);
    EXPECT_EQ(widgetOf(first.handle), nullptr);
    EXPECT_FALSE(secondGone);
    EXPECT_TRUE(second.window->isVisible());
    platform::destroyWindow(second.handle);
    processEvents();
    EXPECT_TRUE(secondGone);
}

// The check box and the drop-downs of the birth data dialog and of 命式の流儀, as the mouse and
// the keyboard use them: each choice a command, the handle reading what is shown.
TEST_F(GuiDialogInput, CheckBoxesAndDropDownsSendTheirIdsAndReadBack) {
    const Open birth = openModeless(birthDialogTemplate());
    auto& dialog = *dynamic_cast<platform::DialogHandle*>(birth.window);
    const std::string places[] = {sjis("指定なし"), sjis("北海道"), sjis("経度を入力")};
    const std::string_view stored[] = {places[0], places[1], places[2]};
    dialog.setListItems(1056, stored);
    auto* list = qobject_cast<QComboBox*>(controlOf(birth.window, 1056));
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->count(), 3);
    EXPECT_EQ(dialog.selectedListItem(1056), -1);
    dialog.selectListItem(1056, 1);  // the program's own choice sends nothing
    EXPECT_EQ(list->currentText(), qs("北海道"));
    EXPECT_TRUE(birth.handler->commands.empty());

    // The keyboard's choice does: Down in the closed list takes the next item.
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(dialog.selectedListItem(1056), 2);
    char text[32] = {};
    dialog.getText(1056, text, sizeof text - 1);
    EXPECT_EQ(std::string(text), sjis("経度を入力"));

    // A click anywhere on the check box turns it over and sends its id; a disabled edit takes
    // no typing.
    QWidget* box = controlOf(birth.window, 1055);
    ASSERT_NE(qobject_cast<QCheckBox*>(box), nullptr);
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(box->width() - 2, box->height() / 2));
    EXPECT_TRUE(dialog.isChecked(1055));
    dialog.enableControl(1054, false);
    EXPECT_FALSE(controlOf(birth.window, 1054)->isEnabled());
    dialog.setChecked(1055, false);
    EXPECT_FALSE(dialog.isChecked(1055));
    EXPECT_EQ(birth.handler->commands, (std::vector<int>{1056, 1055}));
    platform::destroyWindow(birth.handle);

    // Radio buttons read back as check boxes do, each set as told.
    const Open rules = openModeless(rulesDialogTemplate());
    auto& rulesDialog = *dynamic_cast<platform::DialogHandle*>(rules.window);
    rulesDialog.checkRadioButton(1101, 1103, 1102);
    EXPECT_EQ(rulesDialog.isChecked(1101), false);
    EXPECT_EQ(rulesDialog.isChecked(1102), true);
    platform::destroyWindow(rules.handle);
    processEvents();
}

struct TextCase {
    const char* typed;
    std::size_t maxBytes;
    const char* expected;
};

TEST_F(GuiDialogInput, GetTextCutsOnACharacterBoundary) {
    const TextCase cases[] = {
        {"山田太郎", 8, "山田太郎"}, {"山田太郎", 7, "山田太"}, {"山田太郎", 5, "山田"},
        {"a山田", 2, "a"},           {"a山田", 3, "a山"},       {"ｷｬﾝｾﾙ", 3, "ｷｬﾝ"},
        {"表示", 3, "表"},           {"甲子", 6, "甲子"},       {"", 6, ""},
    };
    const Open open = openModeless(probeTemplate());
    auto& dialog = *dynamic_cast<platform::DialogHandle*>(open.window);
    auto* edit = qobject_cast<QLineEdit*>(controlOf(open.window, 109));
    for (const TextCase& c : cases) {
        SCOPED_TRACE(std::string(c.typed) + " / " + std::to_string(c.maxBytes));
        edit->clear();
        typeInto(edit, qs(c.typed));
        ASSERT_EQ(edit->text(), qs(c.typed));
        std::string buffer(c.maxBytes + 1, '\x7f');
        const std::size_t copied = dialog.getText(109, buffer.data(), c.maxBytes);
        EXPECT_EQ(std::string(buffer.c_str()), sjis(c.expected));
        EXPECT_EQ(copied, sjis(c.expected).size());
    }
}

TEST_F(GuiDialogInput, TextsRoundTripThroughShiftJis) {
    // 0x5C as a trail byte (表), the marks, half-width kana, the ideographic space, a backslash.
    const char* samples[] = {"表示", "〇○◎△▲●★☆", "ｷｬﾝｾﾙ", "　四柱", "C:\\DATA", "～－"};
    const Open open = openModeless(probeTemplate());
    auto& dialog = *dynamic_cast<platform::DialogHandle*>(open.window);
    for (const char* sample : samples) {
        SCOPED_TRACE(sample);
        for (const int id : {110, 108, 101, 1021}) {
            dialog.setText(id, sjis(sample));
            char buffer[64] = {};
            dialog.getText(id, buffer, sizeof buffer - 1);
            EXPECT_EQ(std::string(buffer), sjis(sample)) << id;
        }
        EXPECT_EQ(qobject_cast<QLineEdit*>(controlOf(open.window, 108))->text(), qs(sample));
    }
}

TEST_F(GuiDialogInput, ATextTooLongForItsEditShowsItsStart) {
    const Open open = openModeless(dataDialogTemplate());
    auto& dialog = *dynamic_cast<platform::DialogHandle*>(open.window);
    auto* edit = qobject_cast<QLineEdit*>(controlOf(open.window, 103));
    dialog.setText(103, sjis("1965年3月15日10時生まれ、1965年3月15日10時生まれ"));
    edit->grab();  // the scroll follows the caret when the box paints
    EXPECT_EQ(edit->cursorPosition(), 0);
    EXPECT_LT(edit->inputMethodQuery(Qt::ImCursorRectangle).toRect().left(), edit->width() / 4);
}

TEST_F(GuiDialogInput, GetUnsignedReadsOnlyPlainDecimals) {
    const struct {
        const char* text;
        unsigned value;
    } cases[] = {
        {"", 0},           {"12", 12},
        {" 12 ", 12},      {"-1", 0},
        {"1a", 0},         {"+5", 0},
        {"1 2", 0},        {"4294967295", 4294967295u},
        {"4294967296", 0}, {"99999999999999999999", 0},
        {"１２", 0},
    };
    const Open open = openModeless(probeTemplate());
    auto& dialog = *dynamic_cast<platform::DialogHandle*>(open.window);
    for (const auto& c : cases) {
        dialog.setText(109, sjis(c.text));
        EXPECT_EQ(dialog.getUnsigned(109), c.value) << '"' << c.text << '"';
    }
    dialog.setUnsigned(109, 1965);
    EXPECT_EQ(qobject_cast<QLineEdit*>(controlOf(open.window, 109))->text(), "1965");
}

TEST_F(GuiDialogInput, CheckRadioButtonSetsEveryButtonOfTheRange) {
    const struct {
        int check;
        bool expected[3];
    } steps[] = {
        {107, {false, false, true}},
        {105, {true, false, false}},
        {0, {false, false, false}},  // none of the range: all cleared, as Windows does
        {106, {false, true, false}},
    };
    const Open open = openModeless(probeTemplate());
    auto& dialog = *dynamic_cast<platform::DialogHandle*>(open.window);
    for (const auto& step : steps) {
        dialog.checkRadioButton(105, 107, step.check);
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(qobject_cast<QRadioButton*>(controlOf(open.window, 105 + i))->isChecked(),
                      step.expected[i])
                << "check " << step.check << ", button " << 105 + i;
        }
    }
}

TEST_F(GuiDialogInput, DrawImageStaysThroughRepaintsAndAMissingOneDrawsNothing) {
    const Open open = openModeless(noDefaultTemplate());
    auto& dialog = *dynamic_cast<platform::DialogHandle*>(open.window);
    const QRgb background = open.window->grab().toImage().pixel(5, 5);
    dialog.drawImage("testred", 100, 10);
    dialog.drawImage("NOSUCHIMAGE", 0, 0);
    open.window->repaint();
    const QImage shot = open.window->grab().toImage();
    EXPECT_EQ(shot.pixel(100, 10), kTestRed);
    EXPECT_EQ(shot.pixel(109, 19), kTestRed);
    EXPECT_NE(shot.pixel(110, 20), kTestRed);
    EXPECT_EQ(shot.pixel(5, 5), background);
}

}  // namespace
}  // namespace quorvel::test

namespace quorvel::test {
namespace {

// A table as the fortune calendar uses it: columns and rows from the handler, a selected row
// read back, and a double click or Enter on a row sending the table's id.
TEST_F(GuiDialogInput, ATableShowsItsRowsAndSendsItsIdWhenARowIsChosen) {
    constexpr int kTable = 120;
    const Open open = openModeless(fortuneCalendarTemplate());
    ASSERT_NE(open.window, nullptr);
    auto* table = qobject_cast<QTableView*>(controlOf(open.window, kTable));
    ASSERT_NE(table, nullptr);
    platform::DialogHandle& handle = *dynamic_cast<platform::DialogHandle*>(open.window);

    const std::string year = sjis("年"), pillar = sjis("年柱"), kouma = sjis("甲午");
    const platform::TableColumn columns[] = {{year, 20}, {pillar, 30}};
    handle.setTableColumns(kTable, columns);
    const std::string_view first[] = {"2014", kouma};
    const std::string_view second[] = {"2015", kouma, "dropped"};
    const std::string_view third[] = {"2016"};
    handle.addTableRow(kTable, first);
    handle.addTableRow(kTable, second);
    handle.addTableRow(kTable, third);
    const QAbstractItemModel* model = table->model();
    ASSERT_EQ(model->rowCount(), 3);
    ASSERT_EQ(model->columnCount(), 2);
    EXPECT_EQ(model->headerData(1, Qt::Horizontal).toString(), qs("年柱"));
    EXPECT_EQ(table->columnWidth(0), 40);  // 2 px a unit; the last column takes the rest
    EXPECT_EQ(model->index(1, 1).data().toString(), qs("甲午"));
    EXPECT_EQ(model->index(2, 1).data().toString(), QString());
    EXPECT_EQ(handle.selectedTableRow(kTable), -1);

    handle.selectTableRow(kTable, 1);
    EXPECT_EQ(handle.selectedTableRow(kTable), 1);
    handle.selectTableRow(kTable, 7);  // beyond the rows: nothing selected
    EXPECT_EQ(handle.selectedTableRow(kTable), -1);

    const QRect cell = table->visualRect(model->index(2, 0));
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_EQ(handle.selectedTableRow(kTable), 2);
    EXPECT_TRUE(open.handler->commands.empty());
    QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_EQ(open.handler->commands, std::vector<int>{kTable});
    table->setFocus();
    QTest::keyClick(table, Qt::Key_Return);
    EXPECT_EQ(open.handler->commands, (std::vector<int>{kTable, kTable}));

    // Tab into a table without a chosen row chooses one, so that Enter opens a row.
    handle.selectTableRow(kTable, -1);
    open.window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(open.window));
    QWidget* judge = controlOf(open.window, platform::kIdOk);
    judge->setFocus();
    QTest::keyClick(judge, Qt::Key_Backtab);
    ASSERT_EQ(open.window->focusWidget(), table);
    EXPECT_GE(handle.selectedTableRow(kTable), 0);
    QTest::keyClick(table, Qt::Key_Return);
    EXPECT_EQ(open.handler->commands, (std::vector<int>{kTable, kTable, kTable}));

    // No cell and no heading is cut: each column widens to what it holds.
    const std::string longest = sjis("2026年12月31日"), marks = sjis("☆●★★");
    const std::string_view wide[] = {longest, marks};
    handle.addTableRow(kTable, wide);
    handle.addTableRow(kTable, first);
    for (int r = 0; r < model->rowCount(); ++r) {
        for (int c = 0; c < model->columnCount(); ++c) {
            const QModelIndex index = model->index(r, c);
            EXPECT_GE(table->visualRect(index).width(), table->sizeHintForIndex(index).width())
                << index.data().toString().toStdString();
        }
    }
    const std::string heading = sjis("天運/地運/人運");
    const platform::TableColumn narrow[] = {{heading, 4}, {pillar, 4}};
    handle.setTableColumns(kTable, narrow);
    QHeaderView* header = table->horizontalHeader();
    EXPECT_GE(header->sectionSize(0), header->sectionSizeHint(0));

    handle.clearTableRows(kTable);
    EXPECT_EQ(model->rowCount(), 0);
    EXPECT_EQ(model->columnCount(), 2);
    platform::destroyWindow(open.handle);
    processEvents();
}

}  // namespace
}  // namespace quorvel::test

namespace quorvel::test {
namespace {

// The person list's table sorts by the heading clicked, numbers as numbers, and the handler still
// reads each row as it added it.
TEST_F(GuiDialogInput, ASortableTableSortsByTheClickedHeadingAndKeepsItsRowNumbers) {
    constexpr int kTable = 120;
    const Open open = openModeless(personListTemplate());
    ASSERT_NE(open.window, nullptr);
    auto* table = qobject_cast<QTableView*>(controlOf(open.window, kTable));
    ASSERT_NE(table, nullptr);
    platform::DialogHandle& handle = *dynamic_cast<platform::DialogHandle*>(open.window);
    const std::string number = sjis("番号"), name = sjis("氏名"), birth = sjis("生年月日");
    const platform::TableColumn columns[] = {{number, 20}, {name, 40}, {birth, 40}};
    handle.setTableColumns(kTable, columns);
    const std::string_view rows[][3] = {{"10", "b", "1990/5/20"},
                                        {"9", "c", "1957/12/4"},
                                        {"100", "a", "1990/10/3"},
                                        {"8", "d", "1957/2/14"}};
    for (const auto& row : rows) {
        handle.addTableRow(kTable, row);
    }
    const auto order = [&](int column) {
        std::vector<std::string> cells;
        for (int r = 0; r < table->model()->rowCount(); ++r) {
            cells.push_back(table->model()->index(r, column).data().toString().toStdString());
        }
        return cells;
    };
    EXPECT_EQ(order(0), (std::vector<std::string>{"10", "9", "100", "8"}));  // as added

    QHeaderView* header = table->horizontalHeader();
    const auto clickHeading = [&](int column) {
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(column) + 5, 5));
    };
    clickHeading(0);
    EXPECT_EQ(order(1), (std::vector<std::string>{"d", "c", "b", "a"}));  // 8 9 10 100
    clickHeading(0);
    EXPECT_EQ(order(1), (std::vector<std::string>{"a", "b", "c", "d"}));  // and back

    // The handler's row numbers stay those of the adding.
    const QRect first = table->visualRect(table->model()->index(0, 0));
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, first.center());
    EXPECT_EQ(handle.selectedTableRow(kTable), 2);  // "a" was added third
    handle.selectTableRow(kTable, 1);
    EXPECT_EQ(table->currentIndex().row(), 2);  // "c" stands third now
    EXPECT_EQ(handle.selectedTableRow(kTable), 1);

    clickHeading(2);  // birth dates, as dates rather than texts
    EXPECT_EQ(order(1), (std::vector<std::string>{"d", "c", "b", "a"}));
    EXPECT_EQ(handle.selectedTableRow(kTable), 1);  // the chosen row moved with its person

    // The same rows kept by the handler and asked for cell by cell sort the same way, and a
    // row chosen after a sort is the handler's.
    platform::TableSource source;
    source.rowCount = 4;
    source.cell = [&rows](int row, int column) { return std::string(rows[row][column]); };
    handle.setTableSource(kTable, std::move(source));
    EXPECT_EQ(order(0), (std::vector<std::string>{"10", "9", "100", "8"}));  // unsorted again
    EXPECT_EQ(handle.selectedTableRow(kTable), -1);
    clickHeading(2);
    EXPECT_EQ(order(1), (std::vector<std::string>{"d", "c", "b", "a"}));
    clickHeading(2);
    EXPECT_EQ(order(1), (std::vector<std::string>{"a", "b", "c", "d"}));
    const QRect second = table->visualRect(table->model()->index(1, 0));
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, second.center());
    EXPECT_EQ(handle.selectedTableRow(kTable), 0);  // "b", the handler's first row
    QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, second.center());
    EXPECT_EQ(open.handler->commands, std::vector<int>{kTable});
    platform::destroyWindow(open.handle);
    processEvents();
}

// A whole practice's names are keyed in two halves at once and merged: the order must be the
// system's order of texts all the same, across the halves, with equal names side by side.
TEST_F(GuiDialogInput, ALongColumnOfNamesSortsInTheSystemsOrder) {
    constexpr int kTable = 120;
    constexpr int kRows = 30001;  // an odd count: the halves differ by one
    const Open open = openModeless(personListTemplate());
    ASSERT_NE(open.window, nullptr);
    auto* table = qobject_cast<QTableView*>(controlOf(open.window, kTable));
    ASSERT_NE(table, nullptr);
    platform::DialogHandle& handle = *dynamic_cast<platform::DialogHandle*>(open.window);
    const std::string heading = sjis("氏名");
    const platform::TableColumn columns[] = {{heading, 40}};
    handle.setTableColumns(kTable, columns);
    const std::string stems[] = {sjis("山田"), sjis("やまだ"), sjis("ヤマダ"), "Yamada",
                                 sjis("佐藤"), sjis("さとう"), "sato",         sjis("＊鈴木")};
    std::vector<std::string> names(kRows);
    for (int i = 0; i < kRows; ++i) {
        // Stems and numbers mixed so that each half holds names of every kind, some twice.
        names[static_cast<std::size_t>(i)] =
            stems[static_cast<std::size_t>(i * 7 % 8)] + std::to_string(i * 7919 % 20011);
    }
    platform::TableSource source;
    source.rowCount = kRows;
    source.cell = [&names](int row, int) { return names[static_cast<std::size_t>(row)]; };
    handle.setTableSource(kTable, std::move(source));
    QHeaderView* header = table->horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(0) + 5, 5));

    const QCollator collator;
    QString previous;
    for (int r = 0; r < table->model()->rowCount(); ++r) {
        const QString shown = table->model()->index(r, 0).data().toString();
        if (r > 0) {
            ASSERT_LE(collator.compare(previous, shown), 0) << "row " << r;
        }
        previous = shown;
    }
    EXPECT_EQ(table->model()->rowCount(), kRows);
    platform::destroyWindow(open.handle);
    processEvents();
}

}  // namespace
}  // namespace quorvel::test
