// Dialogs from templates: each template becomes an in-memory DLGTEMPLATE in its own font and
// dialog units, and the system's dialog manager runs it.
#include <algorithm>
#include <cstring>
#include <cwchar>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "common/fixed_text.h"
#include "common/sjis_utf8.h"
#include "platform/dialog_layout.h"
#include "platform/field_number.h"
#include "platform/table_rows.h"
#include "platform/win32/win32.h"

#include <commctrl.h>
#include <windowsx.h>

namespace quorvel::platform {

namespace {

using win32::widen;

// A DLGTEMPLATE and its items, laid out as the dialog manager reads them: WORD-aligned strings,
// every item on a DWORD boundary.
class TemplateBuilder {
  public:
    void dword(DWORD value) {
        word(LOWORD(value));
        word(HIWORD(value));
    }
    void word(WORD value) { words_.push_back(value); }
    void text(std::wstring_view text) {
        words_.insert(words_.end(), text.begin(), text.end());
        words_.push_back(0);
    }
    void alignToDword() {
        if (words_.size() % 2 != 0) {
            words_.push_back(0);
        }
    }
    const DLGTEMPLATE* get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

  private:
    std::vector<WORD> words_;
};

constexpr WORD kButtonClass = 0x0080;
constexpr WORD kEditClass = 0x0081;
constexpr WORD kStaticClass = 0x0082;
constexpr WORD kComboBoxClass = 0x0085;
// A drop-down list's template height is its closed box's; the dialog manager wants the height
// with the list opened beneath it.
constexpr int kDropDownListHeight = 120;
constexpr WORD kListViewClass = 0;  // named, not an atom: WC_LISTVIEWW

// The list view is a common control: its class exists once the library has registered it.
void registerListView() {
    static const bool registered = [] {
        INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_LISTVIEW_CLASSES};
        return InitCommonControlsEx(&controls) != FALSE;
    }();
    (void)registered;
}

DWORD controlStyle(const ControlTemplate& control, WORD& windowClass) {
    DWORD style = WS_CHILD | WS_VISIBLE;
    switch (control.kind) {
        case ControlKind::Label:
            windowClass = kStaticClass;
            style |= (control.style & kCentred) != 0        ? SS_CENTER
                     : (control.style & kRightAligned) != 0 ? SS_RIGHT
                                                            : SS_LEFT;
            break;
        case ControlKind::Edit:
            windowClass = kEditClass;
            style |= WS_TABSTOP;
            if ((control.style & kMultiLine) != 0) {
                style |= ES_MULTILINE | ES_AUTOVSCROLL;
                style |= (control.style & kVerticalScroll) != 0 ? WS_VSCROLL : 0;
                style |= (control.style & kBorder) != 0 ? WS_BORDER : 0;
            } else {
                style |= WS_BORDER | ES_AUTOHSCROLL;
            }
            style |= (control.style & kReadOnly) != 0 ? ES_READONLY : 0;
            break;
        case ControlKind::Button:
            windowClass = kButtonClass;
            style |= BS_PUSHBUTTON | WS_TABSTOP;
            break;
        case ControlKind::DefaultButton:
            windowClass = kButtonClass;
            style |= BS_DEFPUSHBUTTON | WS_TABSTOP;
            break;
        case ControlKind::RadioButton:
            windowClass = kButtonClass;
            style |= BS_AUTORADIOBUTTON | WS_TABSTOP;
            break;
        case ControlKind::Icon:
            windowClass = kStaticClass;
            style |= SS_ICON;
            break;
        case ControlKind::Table:
            windowClass = kListViewClass;
            // Owner data: the list view asks for the cells of the rows it shows, and holds none.
            style |= LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_OWNERDATA | WS_BORDER |
                     WS_TABSTOP;
            break;
        case ControlKind::CheckBox:
            windowClass = kButtonClass;
            style |= BS_AUTOCHECKBOX | WS_TABSTOP;
            break;
        case ControlKind::DropDown:
            windowClass = kComboBoxClass;
            style |= CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;
            break;
    }
    return style;
}

TemplateBuilder buildTemplate(const DialogTemplate& dialog) {
    TemplateBuilder b;
    b.dword(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT |
            (dialog.resizable ? WS_THICKFRAME | WS_MAXIMIZEBOX : 0));
    b.dword(0);
    b.word(static_cast<WORD>(dialog.controls.size()));
    b.word(static_cast<WORD>(dialog.positioned ? dialog.x : 0));
    b.word(static_cast<WORD>(dialog.positioned ? dialog.y : 0));
    b.word(static_cast<WORD>(dialog.width));
    b.word(static_cast<WORD>(dialog.height));
    b.word(0);  // no menu
    b.word(0);  // the dialog class
    b.text(widen(dialog.title));
    b.word(static_cast<WORD>(dialog.fontSize));
    b.text(widen(dialog.fontName));
    for (const ControlTemplate& control : dialog.controls) {
        b.alignToDword();
        WORD windowClass = kStaticClass;
        b.dword(controlStyle(control, windowClass));
        b.dword(0);
        b.word(static_cast<WORD>(control.x));
        b.word(static_cast<WORD>(control.y));
        b.word(static_cast<WORD>(control.width));
        b.word(static_cast<WORD>(control.kind == ControlKind::DropDown
                                     ? control.height + kDropDownListHeight
                                     : control.height));
        b.word(static_cast<WORD>(control.id & 0xFFFF));
        if (windowClass == kListViewClass) {
            b.text(WC_LISTVIEWW);
        } else {
            b.word(0xFFFF);
            b.word(windowClass);
        }
        // An icon's text names a picture of ours, set once the control exists.
        b.text(control.kind == ControlKind::Icon ? std::wstring() : widen(control.text));
        b.word(0);  // no creation data
    }
    return b;
}

class Win32Dialog final : public DialogHandle {
  public:
    Win32Dialog(const DialogTemplate& dialog, DialogHandler& handler,
                std::unique_ptr<DialogHandler> owned)
        : template_(dialog),
          ownedHandler_(std::move(owned)),
          handler_(handler),
          modeless_(ownedHandler_ != nullptr),
          built_(buildTemplate(dialog)) {
        registerListView();
    }

    const DLGTEMPLATE* dialogTemplate() const { return built_.get(); }
    bool hasEnded() const { return ended_; }
    int endResult() const { return result_; }

    static INT_PTR CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_INITDIALOG) {
            SetWindowLongPtrW(window, DWLP_USER, lParam);
        }
        auto* self = reinterpret_cast<Win32Dialog*>(GetWindowLongPtrW(window, DWLP_USER));
        return self != nullptr ? self->handle(window, message, wParam, lParam) : FALSE;
    }

    // DialogHandle
    WindowHandle window() override { return win32::handleOf(window_); }

    std::size_t getText(int id, char* buffer, std::size_t maxBytes) override {
        if (buffer == nullptr) {
            return 0;
        }
        const std::string bytes = controlText(id);
        const std::size_t length = cutSjis(bytes, maxBytes).size();
        std::memcpy(buffer, bytes.data(), length);
        buffer[length] = '\0';
        return length;
    }

    void setText(int id, std::string_view text) override {
        if (HWND control = GetDlgItem(window_, id & 0xFFFF)) {
            SetWindowTextW(control, widen(text).c_str());
            alignOverlongButton(control);
        }
    }

    void setTextLimit(int id, std::size_t maxBytes) override {
        limits_.push_back({id & 0xFFFF, maxBytes});
        keepWithinLimit(id & 0xFFFF);
    }

    bool textIsShiftJis(int id) override {
        bool ok = true;
        utf8ToSjis(win32::narrowUtf8(controlWide(id)), ok);
        return ok;
    }

    void setFocus(int id) override {
        if (HWND control = GetDlgItem(window_, id & 0xFFFF)) {
            // The dialog manager's own way: the default button follows, an edit's text is selected.
            SendMessageW(window_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
            focusSet_ = true;
        }
    }

    unsigned getUnsigned(int id) override { return readUnsignedField(controlText(id)); }

    void setUnsigned(int id, unsigned value) override { setText(id, std::to_string(value)); }

    void checkRadioButton(int firstId, int lastId, int checkId) override {
        CheckRadioButton(window_, firstId, lastId, checkId);
    }

    bool isChecked(int id) const override {
        return IsDlgButtonChecked(window_, id & 0xFFFF) == BST_CHECKED;
    }

    void setChecked(int id, bool checked) override {
        CheckDlgButton(window_, id & 0xFFFF, checked ? BST_CHECKED : BST_UNCHECKED);
    }

    void enableControl(int id, bool enabled) override {
        if (HWND control = GetDlgItem(window_, id & 0xFFFF)) {
            EnableWindow(control, enabled ? TRUE : FALSE);
        }
    }

    void setListItems(int id, std::span<const std::string_view> items) override {
        HWND list = dropDownOf(id);
        if (list == nullptr) {
            return;
        }
        SendMessageW(list, CB_RESETCONTENT, 0, 0);
        for (const std::string_view item : items) {
            const std::wstring text = widen(item);
            SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        }
        SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    }

    int selectedListItem(int id) override {
        HWND list = dropDownOf(id);
        return list != nullptr ? static_cast<int>(SendMessageW(list, CB_GETCURSEL, 0, 0)) : -1;
    }

    void selectListItem(int id, int item) override {
        if (HWND list = dropDownOf(id)) {
            SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(item), 0);
        }
    }

    void drawImage(std::string_view name, int x, int y) override {
        HICON icon = win32::moduleIcon(name);
        if (icon == nullptr) {
            return;
        }
        const SIZE size = win32::moduleIconSize(name);
        const auto same = std::find_if(pictures_.begin(), pictures_.end(),
                                       [&](const Picture& p) { return p.x == x && p.y == y; });
        if (same != pictures_.end()) {
            same->icon = icon;
            same->size = size;
        } else {
            pictures_.push_back({x, y, icon, size});
        }
        const RECT area = pictureArea({x, y, icon, size});
        InvalidateRect(window_, &area, TRUE);
    }

    void end(int result) override {
        if (ended_) {
            return;
        }
        ended_ = true;
        result_ = result;
        if (modeless_) {
            // The handler may still be running: the window and the handler go once it returns.
            ShowWindow(window_, SW_HIDE);
            PostMessageW(window_, kDestroyLater, 0, 0);
        } else {
            // The other windows come back before this one goes, so that the activation returns
            // to the owner and not to another program.
            win32::endModal(window_, disabled_);
            EndDialog(window_, result);
        }
    }

    void setTableColumns(int id, std::span<const TableColumn> columns) override {
        HWND table = tableOf(id);
        if (table == nullptr) {
            return;
        }
        rowsOf(id).setColumns(columns.size());
        showRowCount(table, id);
        while (ListView_DeleteColumn(table, 0)) {
        }
        sortColumn_ = -1;  // new rows, unsorted
        int index = 0;
        for (const TableColumn& column : columns) {
            RECT width{0, 0, column.width, 0};
            MapDialogRect(window_, &width);
            std::wstring heading = widen(column.heading);
            LVCOLUMNW item{};
            item.mask = LVCF_TEXT | LVCF_WIDTH;
            // The header pads its text more than the dialog units allow for: a heading is
            // never cut to an ellipsis.
            item.cx = std::max(static_cast<int>(width.right), stringWidth(table, heading) + 14);
            item.pszText = heading.data();
            SendMessageW(table, LVM_INSERTCOLUMNW, static_cast<WPARAM>(index++),
                         reinterpret_cast<LPARAM>(&item));
        }
        ListView_SetExtendedListViewStyle(table, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    }

    void clearTableRows(int id) override {
        if (HWND table = tableOf(id)) {
            rowsOf(id).clear();
            showRowCount(table, id);
        }
    }

    void addTableRow(int id, std::span<const std::string_view> cells) override {
        HWND table = tableOf(id);
        if (table == nullptr) {
            return;
        }
        TableRows& rows = rowsOf(id);
        rows.addRow(cells);
        showRowCount(table, id);
        for (std::size_t column = 0; column < rows.columnCount() && column < cells.size();
             ++column) {
            widenColumn(table, static_cast<int>(column), widen(cells[column]));
        }
    }

    void setTableSource(int id, TableSource source) override {
        HWND table = tableOf(id);
        if (table == nullptr) {
            return;
        }
        const std::vector<std::vector<std::string>> widest = std::move(source.widest);
        TableRows& rows = rowsOf(id);
        rows.setSource(std::move(source));
        sortColumn_ = -1;
        showRowCount(table, id);
        for (std::size_t column = 0; column < rows.columnCount() && column < widest.size();
             ++column) {
            for (const std::string& text : widest[column]) {
                widenColumn(table, static_cast<int>(column), widen(text));
            }
        }
    }

    int selectedTableRow(int id) override {
        HWND table = tableOf(id);
        const int shown = table != nullptr ? ListView_GetNextItem(table, -1, LVNI_SELECTED) : -1;
        return shown < 0 ? -1 : rowsOf(id).handlerRow(shown);
    }

    void selectTableRow(int id, int row) override {
        HWND table = tableOf(id);
        if (table == nullptr) {
            return;
        }
        ListView_SetItemState(table, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
        const int shown = rowsOf(id).shownRow(row);
        if (shown >= 0) {
            ListView_SetItemState(table, shown, LVIS_SELECTED | LVIS_FOCUSED,
                                  LVIS_SELECTED | LVIS_FOCUSED);
            ListView_EnsureVisible(table, shown, FALSE);
        }
    }

  private:
    static constexpr UINT kDestroyLater = WM_APP + 1;
    // What a list view adds to a cell's text: the label's margins either side.
    static constexpr int kCellPadding = 14;

    static int stringWidth(HWND table, const std::wstring& text) {
        return static_cast<int>(
            SendMessageW(table, LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(text.c_str())));
    }

    // A push button's text too long for it shows its start, not a centre cut at both ends.
    static void alignOverlongButton(HWND control) {
        wchar_t kind[16] = {};
        GetClassNameW(control, kind, 16);
        const auto style = static_cast<DWORD>(GetWindowLongPtrW(control, GWL_STYLE));
        const DWORD type = style & BS_TYPEMASK;
        if (std::wstring_view(kind) != L"Button" ||
            (type != BS_PUSHBUTTON && type != BS_DEFPUSHBUTTON)) {
            return;
        }
        const int length = GetWindowTextLengthW(control);
        std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
        GetWindowTextW(control, text.data(), length + 1);
        RECT room{};
        GetClientRect(control, &room);
        RECT needed{0, 0, 0, 0};
        HDC dc = GetDC(control);
        HGDIOBJ before =
            SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
        DrawTextW(dc, text.c_str(), -1, &needed, DT_CALCRECT | DT_SINGLELINE);
        SelectObject(dc, before);
        ReleaseDC(control, dc);
        constexpr int kButtonMargins = 8;  // the frame and the focus rectangle either side
        const bool overlong = needed.right > room.right - kButtonMargins;
        const DWORD aligned = (style & ~static_cast<DWORD>(BS_CENTER)) | (overlong ? BS_LEFT : 0);
        if (aligned != style) {
            SetWindowLongPtrW(control, GWL_STYLE, static_cast<LONG_PTR>(aligned));
            InvalidateRect(control, nullptr, TRUE);
        }
    }

    // Tabbing into a table with no row chosen chooses one, so that Enter has a row to open.
    static void chooseRowOnFocus(HWND table) {
        if (ListView_GetNextItem(table, -1, LVNI_SELECTED) >= 0 ||
            ListView_GetItemCount(table) == 0) {
            return;
        }
        const int row = std::max(ListView_GetNextItem(table, -1, LVNI_FOCUSED), 0);
        ListView_SetItemState(table, row, LVIS_SELECTED | LVIS_FOCUSED,
                              LVIS_SELECTED | LVIS_FOCUSED);
        ListView_EnsureVisible(table, row, FALSE);
    }

    HWND controlOfKind(int id, ControlKind kind) const {
        for (const ControlTemplate& control : template_.controls) {
            if (control.kind == kind && (control.id & 0xFFFF) == (id & 0xFFFF)) {
                return GetDlgItem(window_, id & 0xFFFF);
            }
        }
        return nullptr;
    }
    HWND tableOf(int id) const { return controlOfKind(id, ControlKind::Table); }
    HWND dropDownOf(int id) const { return controlOfKind(id, ControlKind::DropDown); }

    // The system's order of texts, as CompareStringW gives it.
    static void systemRanks(std::span<const std::string_view> texts, std::span<int> ranks) {
        std::vector<std::wstring> wide;
        wide.reserve(texts.size());
        for (const std::string_view text : texts) {
            wide.push_back(widen(text));
        }
        const auto compare = [&wide](int a, int b) {
            return CompareStringW(LOCALE_USER_DEFAULT, 0, wide[static_cast<std::size_t>(a)].c_str(),
                                  -1, wide[static_cast<std::size_t>(b)].c_str(), -1) -
                   CSTR_EQUAL;
        };
        std::vector<int> order(texts.size());
        for (std::size_t i = 0; i < order.size(); ++i) {
            order[i] = static_cast<int>(i);
        }
        std::sort(order.begin(), order.end(), [&](int a, int b) { return compare(a, b) < 0; });
        int rank = -1;
        for (std::size_t i = 0; i < order.size(); ++i) {
            if (i == 0 || compare(order[i - 1], order[i]) != 0) {
                ++rank;
            }
            ranks[static_cast<std::size_t>(order[i])] = rank;
        }
    }

    struct TableState {
        int id;
        TableRows rows;
    };

    TableRows& rowsOf(int id) {
        for (TableState& table : tableRows_) {
            if (table.id == (id & 0xFFFF)) {
                return table.rows;
            }
        }
        tableRows_.push_back({id & 0xFFFF, {}});
        return tableRows_.back().rows;
    }

    void showRowCount(HWND table, int id) {
        ListView_SetItemCountEx(table, rowsOf(id).rowCount(), LVSICF_NOSCROLL);
        InvalidateRect(table, nullptr, TRUE);
    }

    // No cell is cut to an ellipsis: its column widens to it.
    static void widenColumn(HWND table, int column, const std::wstring& text) {
        const int needed = stringWidth(table, text) + kCellPadding;
        if (needed > ListView_GetColumnWidth(table, column)) {
            ListView_SetColumnWidth(table, column, needed);
        }
    }

    // The text of a cell the list view is about to draw, copied into the buffer it gives.
    // Its parameter is the handler's number of the row, as an added item's was.
    void answerCellText(int id, NMLVDISPINFOW& info) {
        if ((info.item.mask & LVIF_PARAM) != 0) {
            info.item.lParam = rowsOf(id).handlerRow(info.item.iItem);
        }
        if ((info.item.mask & LVIF_TEXT) == 0 || info.item.pszText == nullptr ||
            info.item.cchTextMax <= 0) {
            return;
        }
        const std::wstring text = widen(rowsOf(id).shownCell(info.item.iItem, info.item.iSubItem));
        const std::size_t room = static_cast<std::size_t>(info.item.cchTextMax) - 1;
        const std::size_t length = std::min(text.size(), room);
        std::wmemcpy(info.item.pszText, text.data(), length);
        info.item.pszText[length] = L'\0';
    }

    // A click on a heading of a sortable table sorts by it; a second click turns the order.
    // The chosen row stays chosen wherever the sort puts it.
    void sortTable(HWND table, int id, int column) {
        const bool sortable = std::any_of(
            template_.controls.begin(), template_.controls.end(), [id](const ControlTemplate& c) {
                return c.kind == ControlKind::Table && (c.id & 0xFFFF) == id &&
                       (c.style & kSortable) != 0;
            });
        if (!sortable) {
            return;
        }
        sortDescending_ = column == sortColumn_ ? !sortDescending_ : false;
        sortColumn_ = column;
        const int chosen = selectedTableRow(id);
        const int focused = rowsOf(id).handlerRow(ListView_GetNextItem(table, -1, LVNI_FOCUSED));
        rowsOf(id).sort(column, sortDescending_, &Win32Dialog::systemRanks);
        ListView_SetItemState(table, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
        const int shownFocus = rowsOf(id).shownRow(focused);
        if (shownFocus >= 0) {
            ListView_SetItemState(table, shownFocus, LVIS_FOCUSED, LVIS_FOCUSED);
        }
        const int shown = rowsOf(id).shownRow(chosen);
        if (shown >= 0) {
            ListView_SetItemState(table, shown, LVIS_SELECTED | LVIS_FOCUSED,
                                  LVIS_SELECTED | LVIS_FOCUSED);
        }
        InvalidateRect(table, nullptr, TRUE);
    }

    // The table that has the keyboard, if any: Enter there chooses its row.
    int focusedTable() const {
        HWND focused = GetFocus();
        for (const ControlTemplate& control : template_.controls) {
            if (control.kind == ControlKind::Table &&
                GetDlgItem(window_, control.id & 0xFFFF) == focused) {
                return control.id;
            }
        }
        return 0;
    }

    // A right click offers the handler's commands, as a popup menu at the pointer.
    void showContextMenu(LPARAM at) {
        const std::span<const MenuItem> items = handler_.contextMenu();
        if (items.empty() || ended_) {
            return;
        }
        HMENU menu = CreatePopupMenu();
        for (const MenuItem& item : items) {
            if (item.text.empty() && item.commandId == 0) {
                AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
            } else {
                AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(item.commandId),
                            widen(item.text).c_str());
            }
        }
        POINT point{GET_X_LPARAM(at), GET_Y_LPARAM(at)};
        if (point.x == -1 && point.y == -1) {  // from the keyboard: the dialog's corner
            point = {0, 0};
            ClientToScreen(window_, &point);
        }
        const int chosen = static_cast<int>(TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON,
                                                           point.x, point.y, 0, window_, nullptr));
        DestroyMenu(menu);
        if (chosen != 0) {
            command(chosen);
        }
    }
    static constexpr UINT kAfterOpening = WM_APP + 2;

    // The dialog manager selects the whole text of the edit it gives the focus, which scrolls a
    // long multi-line text to its end: the reader starts at the beginning instead.
    void showStartOfFocusedText() {
        HWND focused = GetFocus();
        if (focused == nullptr || GetParent(focused) != window_ ||
            (GetWindowLongPtrW(focused, GWL_STYLE) & ES_MULTILINE) == 0) {
            return;
        }
        SendMessageW(focused, EM_SETSEL, 0, 0);
        SendMessageW(focused, EM_SCROLLCARET, 0, 0);
    }

    struct Picture {
        int x, y;
        HICON icon;
        SIZE size;
    };
    struct Limit {
        int id;
        std::size_t maxBytes;
    };

    std::wstring controlWide(int id) const {
        HWND control = GetDlgItem(window_, id & 0xFFFF);
        if (control == nullptr) {
            return {};
        }
        const int length = GetWindowTextLengthW(control);
        std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
        const int got = GetWindowTextW(control, text.data(), length + 1);
        text.resize(static_cast<std::size_t>(std::max(0, got)));
        return text;
    }

    std::string controlText(int id) const { return win32::narrow(controlWide(id)); }

    // What the user typed past an edit's limit is taken back, whole characters at a time.
    void keepWithinLimit(int id) {
        for (const Limit& limit : limits_) {
            if (limit.id != id) {
                continue;
            }
            const std::string text = controlText(id);
            if (text.size() > limit.maxBytes) {
                HWND control = GetDlgItem(window_, id);
                SetWindowTextW(control, widen(cutSjis(text, limit.maxBytes)).c_str());
                SendMessageW(control, EM_SETSEL, static_cast<WPARAM>(-1), -1);
            }
        }
    }

    void command(int id) {
        if (!ended_) {
            handler_.command(*this, id);
        }
    }

    void placeWindow() {
        HWND owner = GetWindow(window_, GW_OWNER);
        if (template_.positioned || owner == nullptr) {
            return;  // the dialog manager put it where the template says
        }
        RECT frame{};
        RECT ownerFrame{};
        GetWindowRect(window_, &frame);
        GetWindowRect(owner, &ownerFrame);
        const int width = static_cast<int>(frame.right - frame.left);
        const int height = static_cast<int>(frame.bottom - frame.top);
        RECT work{};
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
        int x = 0;
        int y = 0;
        if (modeless_) {
            // Beside its owner, so that both stay visible; further ones step down.
            x = std::min(static_cast<int>(ownerFrame.right) + 8,
                         static_cast<int>(work.right) - width);
            y = std::min(static_cast<int>(ownerFrame.top) + 24 * modelessOpen(owner),
                         static_cast<int>(work.bottom) - height);
        } else {
            x = static_cast<int>(ownerFrame.left + ownerFrame.right - width) / 2;
            y = static_cast<int>(ownerFrame.top + ownerFrame.bottom - height) / 2;
        }
        x = std::max(x, static_cast<int>(work.left));
        y = std::max(y, static_cast<int>(work.top));
        SetWindowPos(window_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

    // The modeless dialogs of ours this owner shows now.
    static int modelessOpen(HWND owner) {
        struct Count {
            HWND owner;
            int open;
        } count{owner, 0};
        EnumThreadWindows(
            GetCurrentThreadId(),
            [](HWND w, LPARAM p) -> BOOL {
                auto* counting = reinterpret_cast<Count*>(p);
                if (GetWindow(w, GW_OWNER) == counting->owner && IsWindowVisible(w) &&
                    GetWindowLongPtrW(w, DWLP_DLGPROC) ==
                        reinterpret_cast<LONG_PTR>(&Win32Dialog::procedure)) {
                    ++counting->open;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&count));
        return count.open;
    }

    // Where each control stands at the template's size, and the frame's size then.
    void rememberPlaces() {
        if (!template_.resizable) {
            return;
        }
        RECT frame{};
        GetWindowRect(window_, &frame);
        smallest_ = {frame.right - frame.left, frame.bottom - frame.top};
        GetClientRect(window_, &client_);
        for (HWND child = GetWindow(window_, GW_CHILD); child != nullptr;
             child = GetWindow(child, GW_HWNDNEXT)) {
            RECT r{};
            GetWindowRect(child, &r);
            MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&r), 2);
            places_.push_back({child, {r.left, r.top, r.right - r.left, r.bottom - r.top}});
        }
    }

    // A resizable dialog made larger moves and stretches its controls (platform/dialog_layout.h).
    void followSize(int width, int height) {
        if (places_.size() != template_.controls.size()) {
            return;
        }
        HDWP moves = BeginDeferWindowPos(static_cast<int>(places_.size()));
        for (std::size_t i = 0; i < places_.size() && moves != nullptr; ++i) {
            const PlacedRect r =
                followDialogSize(template_, template_.controls[i], places_[i].placed,
                                 width - client_.right, height - client_.bottom);
            moves = DeferWindowPos(moves, places_[i].control, nullptr, r.x, r.y, r.width, r.height,
                                   SWP_NOZORDER | SWP_NOACTIVATE);
        }
        if (moves != nullptr) {
            EndDeferWindowPos(moves);
        }
        InvalidateRect(window_, nullptr, TRUE);
    }

    // A picture's place and size are given at 100 %.
    RECT pictureArea(const Picture& picture) const {
        const int left = win32::scaled(picture.x, dpi_);
        const int top = win32::scaled(picture.y, dpi_);
        return {left, top, left + win32::scaled(picture.size.cx, dpi_),
                top + win32::scaled(picture.size.cy, dpi_)};
    }

    void paintPictures() {
        PAINTSTRUCT paint{};
        HDC dc = BeginPaint(window_, &paint);
        for (const Picture& picture : pictures_) {
            const RECT area = pictureArea(picture);
            DrawIconEx(dc, area.left, area.top, picture.icon, area.right - area.left,
                       area.bottom - area.top, 0, nullptr, DI_NORMAL);
        }
        EndPaint(window_, &paint);
    }

    // The frame that holds the template's client area at `dpi`.
    SIZE templateFrame(UINT dpi, SIZE units) const {
        RECT frame{0, 0, MulDiv(template_.width, units.cx, 4),
                   MulDiv(template_.height, units.cy, 8)};
        win32::adjustFrameForDpi(frame, static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_STYLE)),
                                 static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_EXSTYLE)), false,
                                 dpi);
        return {frame.right - frame.left, frame.bottom - frame.top};
    }

    // The size the window asks for at another DPI: the template's there, or for a resizable
    // dialog its present size in proportion, never smaller than the template.
    SIZE sizeAtDpi(UINT dpi) {
        HFONT font =
            win32::fontForDpi(template_.fontName, template_.fontSize, dpi, DEFAULT_CHARSET);
        const SIZE frame = templateFrame(dpi, win32::dialogBaseUnits(font));
        DeleteObject(font);
        if (!template_.resizable) {
            return frame;
        }
        RECT now{};
        GetWindowRect(window_, &now);
        const int before = static_cast<int>(dpi_);
        return {
            std::max<LONG>(frame.cx, MulDiv(now.right - now.left, static_cast<int>(dpi), before)),
            std::max<LONG>(frame.cy, MulDiv(now.bottom - now.top, static_cast<int>(dpi), before))};
    }

    // Moved to a monitor of another scale: the template's font made again for it, every control
    // placed in the new dialog units, and the window where the system suggests.
    void followDpi(UINT dpi, const RECT& suggested) {
        const UINT before = dpi_;
        HFONT font =
            win32::fontForDpi(template_.fontName, template_.fontSize, dpi, DEFAULT_CHARSET);
        if (font == nullptr || before == 0) {
            return;
        }
        dpi_ = dpi;
        const SIZE units = win32::dialogBaseUnits(font);
        const auto across = [&units](int du) { return MulDiv(du, units.cx, 4); };
        const auto down = [&units](int du) { return MulDiv(du, units.cy, 8); };
        std::vector<Place> placed;
        HWND child = GetWindow(window_, GW_CHILD);
        for (const ControlTemplate& control : template_.controls) {
            if (child == nullptr) {
                break;
            }
            PlacedRect r{
                across(control.x), down(control.y), across(control.width),
                down(control.kind == ControlKind::DropDown ? control.height + kDropDownListHeight
                                                           : control.height)};
            if (control.kind == ControlKind::Icon) {  // its picture's size, in proportion
                RECT now{};
                GetWindowRect(child, &now);
                r.width =
                    MulDiv(now.right - now.left, static_cast<int>(dpi), static_cast<int>(before));
                r.height =
                    MulDiv(now.bottom - now.top, static_cast<int>(dpi), static_cast<int>(before));
            }
            SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
            SetWindowPos(child, nullptr, r.x, r.y, r.width, r.height,
                         SWP_NOZORDER | SWP_NOACTIVATE);
            if (control.kind == ControlKind::Table) {
                const int columns = Header_GetItemCount(ListView_GetHeader(child));
                for (int column = 0; column < columns; ++column) {
                    ListView_SetColumnWidth(
                        child, column,
                        MulDiv(ListView_GetColumnWidth(child, column), static_cast<int>(dpi),
                               static_cast<int>(before)));
                }
            }
            placed.push_back({child, r});
            child = GetWindow(child, GW_HWNDNEXT);
        }
        if (font_ != nullptr) {
            DeleteObject(font_);
        }
        font_ = font;
        if (template_.resizable) {
            places_ = std::move(placed);
            client_ = {0, 0, across(template_.width), down(template_.height)};
            smallest_ = templateFrame(dpi, units);
        }
        SetWindowPos(window_, nullptr, suggested.left, suggested.top,
                     suggested.right - suggested.left, suggested.bottom - suggested.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        RECT client{};
        GetClientRect(window_, &client);
        followSize(client.right, client.bottom);
        InvalidateRect(window_, nullptr, TRUE);
    }

    INT_PTR handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        switch (message) {
            case WM_INITDIALOG: {
                window_ = window;
                dpi_ = win32::windowDpi(window);
                win32::takeOverDialogDpiChanges(window);
                // By place, not by id: an icon usually shares the id of every static text.
                HWND child = GetWindow(window, GW_CHILD);
                for (const ControlTemplate& control : template_.controls) {
                    if (child == nullptr) {
                        break;
                    }
                    if (control.kind == ControlKind::Icon) {
                        SendMessageW(child, STM_SETICON,
                                     reinterpret_cast<WPARAM>(win32::moduleIcon(control.text)), 0);
                    }
                    child = GetWindow(child, GW_HWNDNEXT);
                }
                rememberPlaces();
                placeWindow();
                if (modeless_) {
                    win32::addModeless(window);
                } else {
                    disabled_ = win32::beginModal(window);
                }
                handler_.init(*this);
                PostMessageW(window, kAfterOpening, 0, 0);
                // Unless the handler chose, the first control that takes the keyboard gets it.
                return focusSet_ ? FALSE : TRUE;
            }
            case WM_COMMAND:
                // Clicks, Enter and Escape; an edit's notifications are no commands.
                if (HIWORD(wParam) == BN_CLICKED) {
                    const int table = LOWORD(wParam) != kIdCancel ? focusedTable() : 0;
                    if (table != 0 && selectedTableRow(table) >= 0) {
                        command(table);  // Enter on a chosen row
                        return TRUE;
                    }
                    command(LOWORD(wParam));
                } else if (HIWORD(wParam) == CBN_SELCHANGE && lParam != 0 &&
                           dropDownOf(LOWORD(wParam)) != nullptr) {
                    command(LOWORD(wParam));  // the user chose an item
                } else if (HIWORD(wParam) == EN_CHANGE) {
                    keepWithinLimit(LOWORD(wParam));
                }
                return TRUE;
            case WM_NOTIFY: {
                const auto* notice = reinterpret_cast<const NMHDR*>(lParam);
                // Not the focus the dialog manager gives as the dialog opens: a table shown for
                // reading keeps no chosen row it was not given.
                if (notice->code == NM_SETFOCUS && opened_ &&
                    tableOf(static_cast<int>(notice->idFrom))) {
                    chooseRowOnFocus(notice->hwndFrom);
                } else if (notice->code == LVN_GETDISPINFOW &&
                           tableOf(static_cast<int>(notice->idFrom))) {
                    answerCellText(static_cast<int>(notice->idFrom),
                                   *reinterpret_cast<NMLVDISPINFOW*>(lParam));
                } else if (notice->code == LVN_COLUMNCLICK) {
                    sortTable(notice->hwndFrom, static_cast<int>(notice->idFrom),
                              reinterpret_cast<const NMLISTVIEW*>(lParam)->iSubItem);
                } else if (notice->code == NM_DBLCLK &&
                           ListView_GetNextItem(notice->hwndFrom, -1, LVNI_SELECTED) >= 0) {
                    command(static_cast<int>(notice->idFrom));
                }
                return TRUE;
            }
            case WM_CONTEXTMENU:
                showContextMenu(lParam);
                return TRUE;
            case WM_SIZE:
                if (wParam != SIZE_MINIMIZED) {
                    followSize(LOWORD(lParam), HIWORD(lParam));
                }
                return FALSE;
            case WM_GETMINMAXINFO:
                // Never smaller than the template.
                if (template_.resizable && smallest_.cx > 0) {
                    reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = {smallest_.cx,
                                                                             smallest_.cy};
                    return TRUE;
                }
                return FALSE;
            case WM_GETDPISCALEDSIZE: {
                *reinterpret_cast<SIZE*>(lParam) = sizeAtDpi(LOWORD(wParam));
                SetWindowLongPtrW(window, DWLP_MSGRESULT, TRUE);
                return TRUE;
            }
            case WM_DPICHANGED:
                followDpi(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
                return TRUE;
            case WM_CLOSE:
                // The close box only asks; the dialog ends when its handler calls end().
                command(kIdCancel);
                return TRUE;
            case WM_HELP:
                if (!ended_) {
                    handler_.help(*this);
                }
                return TRUE;
            case WM_PAINT:
                if (pictures_.empty()) {
                    return FALSE;
                }
                paintPictures();
                return TRUE;
            case kDestroyLater:
                DestroyWindow(window);
                return TRUE;
            case kAfterOpening:
                opened_ = true;
                showStartOfFocusedText();
                return TRUE;
            case WM_NCDESTROY:
                if (font_ != nullptr) {
                    DeleteObject(font_);  // its controls are gone by now
                    font_ = nullptr;
                }
                if (modeless_) {
                    win32::removeModeless(window);
                    SetWindowLongPtrW(window, DWLP_USER, 0);
                    delete this;
                } else {
                    win32::endModal(window, disabled_);  // ended by its owner's end
                }
                return FALSE;
            default:
                return FALSE;
        }
    }

    const DialogTemplate& template_;
    std::unique_ptr<DialogHandler> ownedHandler_;
    DialogHandler& handler_;
    bool modeless_;
    TemplateBuilder built_;
    HWND window_ = nullptr;
    std::vector<Picture> pictures_;
    std::vector<Limit> limits_;
    std::vector<HWND> disabled_;  // by this modal dialog, given back as it ends
    struct Place {
        HWND control;
        PlacedRect placed;
    };
    std::vector<Place> places_;  // of a resizable dialog, in template order
    RECT client_{};              // its client area at the template's size
    SIZE smallest_{};            // its frame then
    UINT dpi_ = win32::kBaseDpi;
    HFONT font_ = nullptr;  // the template's font made again for a new DPI
    bool focusSet_ = false;
    bool opened_ = false;               // past the opening, its first focus included
    std::deque<TableState> tableRows_;  // a deque: a table's rows never move
    int sortColumn_ = -1;
    bool sortDescending_ = false;
    bool ended_ = false;
    int result_ = 0;
};

}  // namespace

int runModalDialog(const DialogTemplate& dialog, WindowHandle owner, DialogHandler& handler) {
    Win32Dialog window(dialog, handler, nullptr);
    const INT_PTR result = DialogBoxIndirectParamW(
        GetModuleHandleW(nullptr), window.dialogTemplate(), win32::ownerWindow(owner),
        &Win32Dialog::procedure, reinterpret_cast<LPARAM>(&window));
    if (result == -1 && !window.hasEnded()) {
        return -1;
    }
    return window.endResult();
}

WindowHandle openModelessDialog(const DialogTemplate& dialog, WindowHandle owner,
                                std::unique_ptr<DialogHandler> handler) {
    if (handler == nullptr) {
        return nullptr;
    }
    DialogHandler& borrowed = *handler;
    auto* window = new Win32Dialog(dialog, borrowed, std::move(handler));
    HWND created = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), window->dialogTemplate(),
                                              win32::ownerWindow(owner), &Win32Dialog::procedure,
                                              reinterpret_cast<LPARAM>(window));
    if (created == nullptr) {
        delete window;
        return nullptr;
    }
    if (window->hasEnded()) {
        return nullptr;  // ended during its opening; already on its way out
    }
    ShowWindow(created, SW_SHOW);
    return win32::handleOf(created);
}

}  // namespace quorvel::platform
