#pragma once
// The platform services the program calls, in the shape of the Windows interfaces they stand in
// for. Every text crossing this layer is Shift-JIS (CP932); backends convert at their edge.
// Exactly one backend is linked into a program: platform/qt (the desktop) or platform/script
// (tests).
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/handles.h"

namespace quorvel::platform {

// ---- Resources: constant tables every backend renders the same way -------------------------

// A table shows rows of text cells under column headings, one row selected at a time (a list
// view in report mode on Windows); its columns and rows are set at run time. A drop-down offers
// a list of texts to choose one from (a drop-down list combo box on Windows); the template's
// height is that of the closed box.
enum class ControlKind : std::uint8_t {
    Label,
    Edit,
    Button,
    DefaultButton,
    RadioButton,
    Icon,
    Table,
    CheckBox,
    DropDown
};

// Style bits of a control, as the templates give them.
enum ControlStyle : std::uint32_t {
    kStyleNone = 0,
    kCentred = 1u << 0,         // label text centred
    kRightAligned = 1u << 1,    // label text right-aligned
    kMultiLine = 1u << 2,       // edit: several lines, word-wrapped
    kReadOnly = 1u << 3,        // edit: shown, not typed into
    kBorder = 1u << 4,          // edit: framed
    kVerticalScroll = 1u << 5,  // edit: vertical scroll bar
    kAutoHScroll = 1u << 6,     // edit: one line that scrolls horizontally
    kSortable = 1u << 7,        // table: a click on a column's heading sorts the rows by it
};

// Id of a control the program never addresses (a static caption or icon).
inline constexpr int kStaticId = -1;
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;  // also what Escape and the close box send

// Geometry is in dialog units; a width and height of 0 on an icon mean its natural size.
struct ControlTemplate {
    int id;
    ControlKind kind;
    std::string_view text;  // for an icon: the icon's resource name
    int x, y, width, height;
    std::uint32_t style = kStyleNone;
};

struct DialogTemplate {
    std::string_view name;  // "BIRTHDLG", ...
    std::string_view title;
    std::string_view fontName;
    int fontSize;  // points
    int x, y;      // dialog units from the owner; used only when `positioned`
    int width, height;
    bool positioned;
    std::span<const ControlTemplate> controls;
    // A frame the user can drag larger (never smaller than the template): its table grows with
    // it (platform/dialog_layout.h).
    bool resizable = false;
};

// A column of a table: its heading and its least width in dialog units. A column is never
// narrower than its heading or its widest cell: no text of a table is cut.
struct TableColumn {
    std::string_view heading;
    int width;
};

// Rows a table shows without being handed them as text: the handler keeps them and gives a cell's
// Shift-JIS text when the backend asks, which it does only for the rows in view and, once, for a
// column a heading click sorts by. Fit for a hundred thousand rows.
struct TableSource {
    int rowCount = 0;
    // Rows count from 0 in the handler's order, whatever order the table shows them in.
    std::function<std::string(int row, int column)> cell;
    // By column, a few texts at least as wide as any of its cells (the longest ones): the
    // columns widen to them, as no cell may be cut, without every row being measured.
    std::vector<std::vector<std::string>> widest;
};

struct MenuItem {
    std::string_view text;  // with its & accelerator
    int commandId;          // 0 for a top-level entry that opens `items`
    std::span<const MenuItem> items;
};

// A small picture carried as XPM text, found by its resource name.
struct ImageResource {
    std::string_view name;
    const char* const* xpm;
};

// Resource names compare without regard to ASCII case, as Windows resource names do
// ("MYAPP" and "MyApp" are one).
constexpr bool sameResourceName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        const char x = a[i] >= 'a' && a[i] <= 'z' ? static_cast<char>(a[i] - 'a' + 'A') : a[i];
        const char y = b[i] >= 'a' && b[i] <= 'z' ? static_cast<char>(b[i] - 'a' + 'A') : b[i];
        if (x != y) {
            return false;
        }
    }
    return true;
}

// What the program hands the backend at start-up (the module's resources).
struct ModuleResources {
    std::span<const ImageResource> images;
    std::string_view helpFileName;  // "Quorvel.HLP"
};

// ---- Dialogs --------------------------------------------------------------------------------

// A live dialog, as its handler sees it. Valid only during the handler call it is passed to.
class DialogHandle {
  public:
    virtual ~DialogHandle() = default;
    virtual WindowHandle window() = 0;
    // The field's text cut to at most maxBytes bytes (whole characters), NUL-terminated in
    // `buffer`, which must hold maxBytes + 1 bytes. Returns the bytes copied.
    virtual std::size_t getText(int id, char* buffer, std::size_t maxBytes) = 0;
    virtual void setText(int id, std::string_view text) = 0;
    // An edit takes no more than maxBytes bytes of Shift-JIS as the user types.
    virtual void setTextLimit(int id, std::size_t maxBytes) = 0;
    // False when the field holds a character Shift-JIS cannot hold (getText gives "?" for it).
    virtual bool textIsShiftJis(int id) = 0;
    // Puts the keyboard focus in the control, an edit with its text selected.
    virtual void setFocus(int id) = 0;
    // Anything that is not a plain unsigned decimal number reads as 0.
    virtual unsigned getUnsigned(int id) = 0;
    virtual void setUnsigned(int id, unsigned value) = 0;
    // Checks `checkId` and clears the other radio buttons of firstId..lastId.
    virtual void checkRadioButton(int firstId, int lastId, int checkId) = 0;
    // A check box or radio button; a click on a check box turns it over and sends its id.
    virtual bool isChecked(int id) const = 0;
    virtual void setChecked(int id, bool checked) = 0;
    // A disabled control is greyed and takes no typing, click or focus.
    virtual void enableControl(int id, bool enabled) = 0;
    // Draws a named image unchanged with its top-left corner at a client pixel.
    virtual void drawImage(std::string_view name, int x, int y) = 0;
    // Ends the dialog: a modal one returns `result`, a modeless one is destroyed.
    virtual void end(int result) = 0;

    // Tables. Setting the columns empties the table; a row holds one Shift-JIS text per column
    // (missing cells stay empty, extra ones are dropped). Rows count from 0; -1 is no row.
    // Choosing a row (a double click, or Enter on a selected row) sends the table's id as a
    // command.
    virtual void setTableColumns(int id, std::span<const TableColumn> columns) = 0;
    virtual void clearTableRows(int id) = 0;
    virtual void addTableRow(int id, std::span<const std::string_view> cells) = 0;
    virtual int selectedTableRow(int id) = 0;
    // Selects a row and scrolls it into view.
    virtual void selectTableRow(int id, int row) = 0;
    // Replaces the rows by the handler's (see TableSource); the columns stay. Row numbers read and
    // given as above are the source's.
    virtual void setTableSource(int id, TableSource source) = 0;

    // Drop-downs. Setting the items chooses none; items count from 0, -1 is none. The user's
    // choice of an item sends the drop-down's id as a command; selectListItem sends nothing.
    virtual void setListItems(int id, std::span<const std::string_view> items) = 0;
    virtual int selectedListItem(int id) = 0;
    virtual void selectListItem(int id, int item) = 0;
};

// A dialog's behaviour: the three reactions of a dialog procedure.
class DialogHandler {
  public:
    virtual ~DialogHandler() = default;
    virtual void init(DialogHandle& dialog) = 0;
    virtual void command(DialogHandle& dialog, int id) = 0;
    // F1; dialogs that do not answer it leave this empty.
    virtual void help(DialogHandle& /*dialog*/) {}
    // The commands a right click on the dialog offers; a chosen one arrives as a command. None
    // by default: no menu opens.
    virtual std::span<const MenuItem> contextMenu() { return {}; }
};

// Runs a dialog modally; returns the result it ended with (or -1 if it could not be created).
int runModalDialog(const DialogTemplate& dialog, WindowHandle owner, DialogHandler& handler);

// Opens a dialog beside its owner and returns at once; the backend owns the handler until the
// dialog ends. Several instances of one template may be open at once.
WindowHandle openModelessDialog(const DialogTemplate& dialog, WindowHandle owner,
                                std::unique_ptr<DialogHandler> handler);

// ---- Message boxes, beep, help --------------------------------------------------------------

enum class MessageButtons : std::uint8_t { Ok, YesNo };
enum class MessageAnswer : std::uint8_t { Ok = 1, Yes = 6, No = 7 };

// The caption of a message box that names none, as the Japanese desktop shows it.
std::string_view defaultMessageCaption();

// An empty caption shows the default caption.
MessageAnswer messageBox(WindowHandle owner, std::string_view text, std::string_view caption,
                         MessageButtons buttons);

// The information sound (the asterisk).
void informationBeep();

// Opens the help file at its topics window, showing the topic of that title (Shift-JIS) where
// one is named and the file holds it, else the first topic, the contents.
void openHelp(WindowHandle owner, std::string_view topic = {});

// The program started without a folder of the user's choosing (from the Start menu: in its own
// folder or the system's) works in the user's Documents\Quorvel, made if missing, and says so
// when it cannot; started from a folder, it stays there. Only Windows starts programs that way.
void settleWorkingFolder();

// Hands a file (a UTF-8 path) to the program the desktop opens its kind with, a browser for an
// HTML file; false when the desktop could not be asked.
bool openDocument(std::string_view utf8Path);

// ---- The main window ------------------------------------------------------------------------

struct MainWindowSetup {
    std::string_view title;
    std::string_view iconName;
    std::span<const MenuItem> menu;
    // Every command of the window, from the menu or a child button (id in the low 16 bits).
    std::function<void(int commandId)> onCommand;
    // The command F1 sends while the window has the keyboard; 0 for none.
    int helpCommandId = 0;
};

// Sets up the backend with the module's resources; false if the platform cannot run a window.
bool initialize(int& argc, char** argv, const ModuleResources& resources);
// The running program's module, once initialize has succeeded (the instance of a Windows program).
InstanceHandle moduleInstance();
WindowHandle createMainWindow(const MainWindowSetup& setup);
// A push button in the window's client area, in pixels; it sends `commandId` when pressed.
void createChildButton(WindowHandle parent, std::string_view text, int commandId, int x, int y,
                       int width, int height);
void showWindow(WindowHandle window);
// Runs until the main window is destroyed; returns the exit code (0).
int runMessageLoop();
void destroyWindow(WindowHandle window);

}  // namespace quorvel::platform
