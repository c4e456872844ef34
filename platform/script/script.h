#pragma once
// The scripted backend: records everything a person would see and plays what a person would do,
// so tests can walk whole consultations without a screen.
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ui.h"

namespace quorvel::platform::script {

enum class EventKind {
    MessageBox,
    Beep,
    DialogOpened,        // name = template name
    DialogEnded,         // name, value = result
    DialogLeftOpen,      // a modal dialog its script did not end
    HelpRequested,       // text = the topic asked for, empty for the contents
    DocumentOpened,      // text = the path, UTF-8
    ChildButtonCreated,  // text, value = command id
    WindowDestroyed,
};

struct Event {
    EventKind kind;
    WindowHandle window = nullptr;  // owner of a box or help request; the dialog itself otherwise
    std::string name{};             // template name
    std::string text{};             // Shift-JIS
    std::string caption{};          // Shift-JIS, as shown (default caption filled in)
    MessageButtons buttons = MessageButtons::Ok;
    int value = 0;
};

// One live dialog, as a person at the screen would meet it.
class ScriptedDialog : public DialogHandle {
  public:
    ScriptedDialog(const DialogTemplate& dialog, WindowHandle owner, DialogHandler& handler);
    ~ScriptedDialog() override;
    ScriptedDialog(const ScriptedDialog&) = delete;
    ScriptedDialog& operator=(const ScriptedDialog&) = delete;

    // What a person does.
    // Nothing a person does reaches a disabled control.
    void type(int id, std::string_view sjisText);  // replaces the field's text
    // Types UTF-8 as an input method would, characters without a Shift-JIS form included.
    void typeUnicode(int id, std::string_view utf8Text);
    void click(int id);  // a radio button checks itself first, a check box turns over
    void pressEnter();   // the default button
    void pressEscape();  // cancel (id 2)
    void pressF1();
    void selectRow(int tableId, int row);  // a single click on a row
    void chooseRow(int tableId, int row);  // a double click: selects it and sends the table's id
    // Opens the drop-down and picks the item: selects it and sends the drop-down's id; false
    // (and nothing sent) for no such item.
    bool chooseListItem(int id, int item);
    bool chooseListItem(int id, std::string_view sjisItem);
    // A right click and a command of the menu it opens; false (and nothing sent) when the
    // dialog offers no such command.
    bool chooseFromContextMenu(int commandId);

    // What a person sees.
    std::string text(int id) const;
    bool isChecked(int id) const override;
    bool isEnabled(int id) const;
    const std::vector<std::string>& listItems(int id) const;
    int focus() const { return focus_; }  // the control last given the focus, 0 for none
    std::vector<std::string> tableHeadings(int tableId) const;
    const std::vector<std::vector<std::string>>& tableRows(int tableId) const;
    std::vector<int> contextMenuCommands();
    bool ended() const { return ended_; }
    int result() const { return result_; }
    const DialogTemplate& dialogTemplate() const { return template_; }
    WindowHandle owner() const { return owner_; }
    struct DrawnImage {
        std::string name;
        int x, y;
    };
    const std::vector<DrawnImage>& drawnImages() const { return images_; }

    // DialogHandle
    WindowHandle window() override;
    std::size_t getText(int id, char* buffer, std::size_t maxBytes) override;
    void setText(int id, std::string_view text) override;
    void setTextLimit(int id, std::size_t maxBytes) override;
    bool textIsShiftJis(int id) override;
    void setFocus(int id) override;
    unsigned getUnsigned(int id) override;
    void setUnsigned(int id, unsigned value) override;
    void checkRadioButton(int firstId, int lastId, int checkId) override;
    void setChecked(int id, bool checked) override;
    void enableControl(int id, bool enabled) override;
    void drawImage(std::string_view name, int x, int y) override;
    void end(int result) override;
    void setTableColumns(int id, std::span<const TableColumn> columns) override;
    void clearTableRows(int id) override;
    void addTableRow(int id, std::span<const std::string_view> cells) override;
    int selectedTableRow(int id) override;
    void selectTableRow(int id, int row) override;
    void setTableSource(int id, TableSource source) override;
    void setListItems(int id, std::span<const std::string_view> items) override;
    int selectedListItem(int id) override;
    void selectListItem(int id, int item) override;

  private:
    struct Control {
        int id;
        ControlKind kind;
        std::string text;
        bool checked = false;
        std::size_t limit = static_cast<std::size_t>(-1);
        bool shiftJis = true;
        bool enabled = true;
        std::vector<std::string> items{};  // a drop-down's
        int selectedItem = -1;
        std::vector<std::string> headings{};  // a table's
        std::vector<std::vector<std::string>> rows{};
        int selectedRow = -1;
    };
    Control* find(int id);
    const Control* find(int id) const;

    const DialogTemplate& template_;
    WindowHandle owner_;
    DialogHandler& handler_;
    std::vector<Control> controls_;
    std::vector<DrawnImage> images_;
    bool ended_ = false;
    int result_ = 0;
    int focus_ = 0;
};

// Forgets all events, scripts, answers, dialogs and the main window.
void reset();
const std::vector<Event>& events();
std::vector<Event> eventsOf(EventKind kind);

// Answers for the next message boxes, in order. With none queued an OK box is answered OK and a
// Yes/No box No.
void answerMessageBoxes(std::initializer_list<MessageAnswer> answers);

// What the person does in the next dialog of that template, right after it has opened.
void whenDialogOpens(std::string_view templateName, std::function<void(ScriptedDialog&)> actions);

// Modeless dialogs still open, oldest first.
std::vector<ScriptedDialog*> openDialogs();

// The main window: a menu command as if chosen, and what exists.
void sendCommand(int commandId);
void pressF1OnMainWindow();
WindowHandle mainWindow();
bool mainWindowDestroyed();

}  // namespace quorvel::platform::script
