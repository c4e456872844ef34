#include <algorithm>
#include <cstring>
#include <deque>
#include <map>
#include <memory>
#include <string>

#include "common/fixed_text.h"
#include "common/sjis_utf8.h"
#include "platform/field_number.h"
#include "platform/script/script.h"

namespace quorvel::platform::script {

namespace {

struct ModelessDialog {
    std::unique_ptr<DialogHandler> handler;
    std::unique_ptr<ScriptedDialog> dialog;
};

struct MainWindowState {
    MainWindowSetup setup;
    bool exists = false;
    bool destroyed = false;
};

// The one screen the scripted backend keeps; tests start each case with reset().
struct Screen {
    std::vector<Event> events;
    std::deque<MessageAnswer> answers;
    std::multimap<std::string, std::function<void(ScriptedDialog&)>, std::less<>> scripts;
    // Declared before the dialogs, so that it outlives every one of them.
    std::vector<ScriptedDialog*> live;     // every dialog that exists, modal ones included
    std::vector<ModelessDialog> modeless;  // ended ones stay until reset: a handler may still run
    MainWindowState main;
};

Screen& screen() {
    static Screen s;
    return s;
}

// A token whose address stands for the main window.
Window* mainWindowToken() {
    static char token;
    return reinterpret_cast<Window*>(&token);
}

void record(Event event) {
    screen().events.push_back(std::move(event));
}

// As the desktop does: a box or dialog whose owner has already ended belongs to the nearest of
// that owner's owners still open.
WindowHandle effectiveOwner(WindowHandle owner) {
    for (;;) {
        const auto& live = screen().live;
        const auto found = std::find_if(
            live.begin(), live.end(), [owner](ScriptedDialog* d) { return d->window() == owner; });
        if (found == live.end() || !(*found)->ended()) {
            return owner;
        }
        owner = (*found)->owner();
    }
}

void runScript(ScriptedDialog& dialog) {
    auto& scripts = screen().scripts;
    const auto found = scripts.find(dialog.dialogTemplate().name);
    if (found == scripts.end()) {
        return;
    }
    auto actions = std::move(found->second);
    scripts.erase(found);
    actions(dialog);
}

}  // namespace

// ---- ScriptedDialog ---------------------------------------------------------------------

ScriptedDialog::ScriptedDialog(const DialogTemplate& dialog, WindowHandle owner,
                               DialogHandler& handler)
    : template_(dialog), owner_(effectiveOwner(owner)), handler_(handler) {
    for (const ControlTemplate& c : dialog.controls) {
        controls_.push_back({c.id, c.kind, std::string(c.text)});
    }
    screen().live.push_back(this);
}

ScriptedDialog::~ScriptedDialog() {
    std::erase(screen().live, this);
}

ScriptedDialog::Control* ScriptedDialog::find(int id) {
    for (Control& c : controls_) {
        if (c.id == id && id != kStaticId) {
            return &c;
        }
    }
    return nullptr;
}

const ScriptedDialog::Control* ScriptedDialog::find(int id) const {
    return const_cast<ScriptedDialog*>(this)->find(id);
}

void ScriptedDialog::type(int id, std::string_view sjisText) {
    if (Control* c = find(id); c != nullptr && c->enabled && !ended_) {
        c->text = cutSjis(sjisText, c->limit);
        c->shiftJis = true;
    }
}

void ScriptedDialog::typeUnicode(int id, std::string_view utf8Text) {
    if (Control* c = find(id); c != nullptr && c->enabled && !ended_) {
        bool ok = true;
        const std::string sjisText = utf8ToSjis(utf8Text, ok);
        c->text = cutSjis(sjisText, c->limit);
        c->shiftJis = ok;
    }
}

void ScriptedDialog::click(int id) {
    Control* c = find(id);
    if (ended_ || (c != nullptr && !c->enabled)) {
        return;
    }
    if (c != nullptr && c->kind == ControlKind::RadioButton) {
        // An automatic radio button: it checks itself and clears its neighbours in the dialog.
        for (Control& other : controls_) {
            if (other.kind == ControlKind::RadioButton) {
                other.checked = other.id == id;
            }
        }
    } else if (c != nullptr && c->kind == ControlKind::CheckBox) {
        c->checked = !c->checked;
    }
    handler_.command(*this, id);
}

void ScriptedDialog::pressEnter() {
    for (const ControlTemplate& c : template_.controls) {
        if (c.kind == ControlKind::DefaultButton) {
            click(c.id);
            return;
        }
    }
    click(kIdOk);
}

void ScriptedDialog::pressEscape() {
    if (!ended_) {
        handler_.command(*this, kIdCancel);
    }
}

void ScriptedDialog::pressF1() {
    if (!ended_) {
        handler_.help(*this);
    }
}

std::string ScriptedDialog::text(int id) const {
    const Control* c = find(id);
    return c != nullptr ? c->text : std::string();
}

void ScriptedDialog::selectRow(int tableId, int row) {
    if (!ended_) {
        selectTableRow(tableId, row);
    }
}

void ScriptedDialog::chooseRow(int tableId, int row) {
    const Control* c = find(tableId);
    if (ended_ || c == nullptr || row < 0 || static_cast<std::size_t>(row) >= c->rows.size()) {
        return;  // a double click beside the rows chooses nothing
    }
    selectTableRow(tableId, row);
    handler_.command(*this, tableId);
}

namespace {

void collectCommands(std::span<const MenuItem> items, std::vector<int>& ids) {
    for (const MenuItem& item : items) {
        if (item.commandId != 0) {
            ids.push_back(item.commandId);
        }
        collectCommands(item.items, ids);
    }
}

}  // namespace

std::vector<int> ScriptedDialog::contextMenuCommands() {
    std::vector<int> ids;
    collectCommands(handler_.contextMenu(), ids);
    return ids;
}

bool ScriptedDialog::chooseFromContextMenu(int commandId) {
    const std::vector<int> offered = contextMenuCommands();
    if (ended_ || std::find(offered.begin(), offered.end(), commandId) == offered.end()) {
        return false;
    }
    handler_.command(*this, commandId);
    return true;
}

std::vector<std::string> ScriptedDialog::tableHeadings(int tableId) const {
    const Control* c = find(tableId);
    return c != nullptr ? c->headings : std::vector<std::string>();
}

const std::vector<std::vector<std::string>>& ScriptedDialog::tableRows(int tableId) const {
    static const std::vector<std::vector<std::string>> none;
    const Control* c = find(tableId);
    return c != nullptr ? c->rows : none;
}

void ScriptedDialog::setTableColumns(int id, std::span<const TableColumn> columns) {
    if (Control* c = find(id); c != nullptr && c->kind == ControlKind::Table) {
        c->headings.clear();
        for (const TableColumn& column : columns) {
            c->headings.emplace_back(column.heading);
        }
        c->rows.clear();
        c->selectedRow = -1;
    }
}

void ScriptedDialog::clearTableRows(int id) {
    if (Control* c = find(id); c != nullptr && c->kind == ControlKind::Table) {
        c->rows.clear();
        c->selectedRow = -1;
    }
}

void ScriptedDialog::addTableRow(int id, std::span<const std::string_view> cells) {
    if (Control* c = find(id); c != nullptr && c->kind == ControlKind::Table) {
        std::vector<std::string> row(c->headings.size());
        for (std::size_t i = 0; i < row.size() && i < cells.size(); ++i) {
            row[i] = cells[i];
        }
        c->rows.push_back(std::move(row));
    }
}

// The handler's rows as text, every one: a script reads them as a person would see them all.
void ScriptedDialog::setTableSource(int id, TableSource source) {
    if (Control* c = find(id); c != nullptr && c->kind == ControlKind::Table) {
        c->rows.clear();
        c->selectedRow = -1;
        for (int r = 0; r < source.rowCount && source.cell; ++r) {
            std::vector<std::string>& row = c->rows.emplace_back(c->headings.size());
            for (std::size_t i = 0; i < row.size(); ++i) {
                row[i] = source.cell(r, static_cast<int>(i));
            }
        }
    }
}

int ScriptedDialog::selectedTableRow(int id) {
    const Control* c = find(id);
    return c != nullptr && c->kind == ControlKind::Table ? c->selectedRow : -1;
}

void ScriptedDialog::selectTableRow(int id, int row) {
    if (Control* c = find(id); c != nullptr && c->kind == ControlKind::Table) {
        c->selectedRow = row >= 0 && static_cast<std::size_t>(row) < c->rows.size() ? row : -1;
    }
}

bool ScriptedDialog::isChecked(int id) const {
    const Control* c = find(id);
    return c != nullptr && c->checked;
}

void ScriptedDialog::setChecked(int id, bool checked) {
    if (Control* c = find(id)) {
        c->checked = checked;
    }
}

bool ScriptedDialog::isEnabled(int id) const {
    const Control* c = find(id);
    return c != nullptr && c->enabled;
}

void ScriptedDialog::enableControl(int id, bool enabled) {
    if (Control* c = find(id)) {
        c->enabled = enabled;
    }
}

const std::vector<std::string>& ScriptedDialog::listItems(int id) const {
    static const std::vector<std::string> none;
    const Control* c = find(id);
    return c != nullptr ? c->items : none;
}

void ScriptedDialog::setListItems(int id, std::span<const std::string_view> items) {
    if (Control* c = find(id); c != nullptr && c->kind == ControlKind::DropDown) {
        c->items.assign(items.begin(), items.end());
        c->selectedItem = -1;
        c->text.clear();
    }
}

int ScriptedDialog::selectedListItem(int id) {
    const Control* c = find(id);
    return c != nullptr && c->kind == ControlKind::DropDown ? c->selectedItem : -1;
}

void ScriptedDialog::selectListItem(int id, int item) {
    if (Control* c = find(id); c != nullptr && c->kind == ControlKind::DropDown) {
        const bool exists = item >= 0 && static_cast<std::size_t>(item) < c->items.size();
        c->selectedItem = exists ? item : -1;
        // What a drop-down list's window text is: its chosen item.
        c->text = exists ? c->items[static_cast<std::size_t>(item)] : std::string();
    }
}

bool ScriptedDialog::chooseListItem(int id, int item) {
    const Control* c = find(id);
    if (ended_ || c == nullptr || !c->enabled || c->kind != ControlKind::DropDown || item < 0 ||
        static_cast<std::size_t>(item) >= c->items.size()) {
        return false;
    }
    selectListItem(id, item);
    handler_.command(*this, id);
    return true;
}

bool ScriptedDialog::chooseListItem(int id, std::string_view sjisItem) {
    const std::vector<std::string>& items = listItems(id);
    const auto found = std::find(items.begin(), items.end(), sjisItem);
    return found != items.end() && chooseListItem(id, static_cast<int>(found - items.begin()));
}

WindowHandle ScriptedDialog::window() {
    return reinterpret_cast<Window*>(this);
}

std::size_t ScriptedDialog::getText(int id, char* buffer, std::size_t maxBytes) {
    const Control* c = find(id);
    const std::string_view cut = cutSjis(c != nullptr ? c->text : std::string_view(), maxBytes);
    std::memcpy(buffer, cut.data(), cut.size());
    buffer[cut.size()] = '\0';
    return cut.size();
}

void ScriptedDialog::setText(int id, std::string_view text) {
    if (Control* c = find(id)) {
        c->text = text;
        c->shiftJis = true;
    }
}

void ScriptedDialog::setTextLimit(int id, std::size_t maxBytes) {
    if (Control* c = find(id)) {
        c->limit = maxBytes;
    }
}

bool ScriptedDialog::textIsShiftJis(int id) {
    const Control* c = find(id);
    return c == nullptr || c->shiftJis;
}

void ScriptedDialog::setFocus(int id) {
    if (find(id) != nullptr) {
        focus_ = id;
    }
}

unsigned ScriptedDialog::getUnsigned(int id) {
    return readUnsignedField(text(id));
}

void ScriptedDialog::setUnsigned(int id, unsigned value) {
    setText(id, std::to_string(value));
}

void ScriptedDialog::checkRadioButton(int firstId, int lastId, int checkId) {
    for (Control& c : controls_) {
        if (c.id >= firstId && c.id <= lastId) {
            c.checked = c.id == checkId;
        }
    }
}

void ScriptedDialog::drawImage(std::string_view name, int x, int y) {
    images_.push_back({std::string(name), x, y});
}

void ScriptedDialog::end(int result) {
    if (ended_) {
        return;
    }
    ended_ = true;
    result_ = result;
    record({EventKind::DialogEnded,
            window(),
            std::string(template_.name),
            {},
            {},
            MessageButtons::Ok,
            result});
}

// ---- Test controls ----------------------------------------------------------------------

void reset() {
    screen() = Screen{};
}

const std::vector<Event>& events() {
    return screen().events;
}

std::vector<Event> eventsOf(EventKind kind) {
    std::vector<Event> found;
    for (const Event& e : screen().events) {
        if (e.kind == kind) {
            found.push_back(e);
        }
    }
    return found;
}

void answerMessageBoxes(std::initializer_list<MessageAnswer> answers) {
    screen().answers.insert(screen().answers.end(), answers);
}

void whenDialogOpens(std::string_view templateName, std::function<void(ScriptedDialog&)> actions) {
    screen().scripts.emplace(std::string(templateName), std::move(actions));
}

std::vector<ScriptedDialog*> openDialogs() {
    std::vector<ScriptedDialog*> open;
    for (ModelessDialog& m : screen().modeless) {
        if (!m.dialog->ended()) {
            open.push_back(m.dialog.get());
        }
    }
    return open;
}

void sendCommand(int commandId) {
    MainWindowState& main = screen().main;
    if (main.exists && !main.destroyed && main.setup.onCommand) {
        main.setup.onCommand(commandId);
    }
}

void pressF1OnMainWindow() {
    if (screen().main.setup.helpCommandId != 0) {
        sendCommand(screen().main.setup.helpCommandId);
    }
}

WindowHandle mainWindow() {
    return mainWindowToken();
}
bool mainWindowDestroyed() {
    return screen().main.destroyed;
}

}  // namespace quorvel::platform::script

// ---- The platform services ------------------------------------------------------------------

namespace quorvel::platform {

using script::Event;
using script::EventKind;
using script::ScriptedDialog;

int runModalDialog(const DialogTemplate& dialog, WindowHandle owner, DialogHandler& handler) {
    ScriptedDialog live(dialog, owner, handler);
    script::record({EventKind::DialogOpened,
                    live.window(),
                    std::string(dialog.name),
                    {},
                    {},
                    MessageButtons::Ok,
                    0});
    handler.init(live);
    script::runScript(live);
    if (!live.ended()) {
        // A person would be left looking at it; the test decides whether that is a fault.
        script::record({EventKind::DialogLeftOpen,
                        live.window(),
                        std::string(dialog.name),
                        {},
                        {},
                        MessageButtons::Ok,
                        0});
        return -1;
    }
    return live.result();
}

WindowHandle openModelessDialog(const DialogTemplate& dialog, WindowHandle owner,
                                std::unique_ptr<DialogHandler> handler) {
    auto& modeless = script::screen().modeless;
    auto live = std::make_unique<ScriptedDialog>(dialog, owner, *handler);
    ScriptedDialog& ref = *live;
    modeless.push_back({std::move(handler), std::move(live)});
    script::record({EventKind::DialogOpened,
                    ref.window(),
                    std::string(dialog.name),
                    {},
                    {},
                    MessageButtons::Ok,
                    0});
    modeless.back().handler->init(ref);
    script::runScript(ref);
    return ref.window();
}

MessageAnswer messageBox(WindowHandle owner, std::string_view text, std::string_view caption,
                         MessageButtons buttons) {
    script::record({EventKind::MessageBox,
                    script::effectiveOwner(owner),
                    {},
                    std::string(text),
                    std::string(caption.empty() ? defaultMessageCaption() : caption),
                    buttons,
                    0});
    auto& answers = script::screen().answers;
    if (answers.empty()) {
        return buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::No;
    }
    const MessageAnswer answer = answers.front();
    answers.pop_front();
    return answer;
}

void informationBeep() {
    script::record({EventKind::Beep});
}

void openHelp(WindowHandle owner, std::string_view topic) {
    script::record(
        {EventKind::HelpRequested, script::effectiveOwner(owner), {}, std::string(topic)});
}

bool openDocument(std::string_view utf8Path) {
    script::record({EventKind::DocumentOpened, nullptr, {}, std::string(utf8Path)});
    return true;
}

void settleWorkingFolder() {}

InstanceHandle moduleInstance() {
    static char token;
    return reinterpret_cast<InstanceHandle>(&token);
}

bool initialize(int& /*argc*/, char** /*argv*/, const ModuleResources& /*resources*/) {
    return true;
}

WindowHandle createMainWindow(const MainWindowSetup& setup) {
    script::MainWindowState& main = script::screen().main;
    main.setup = setup;
    main.exists = true;
    main.destroyed = false;
    return script::mainWindowToken();
}

void createChildButton(WindowHandle parent, std::string_view text, int commandId, int /*x*/,
                       int /*y*/, int /*width*/, int /*height*/) {
    script::record({EventKind::ChildButtonCreated,
                    parent,
                    {},
                    std::string(text),
                    {},
                    MessageButtons::Ok,
                    commandId});
}

void showWindow(WindowHandle /*window*/) {}

int runMessageLoop() {
    return 0;
}

void destroyWindow(WindowHandle window) {
    script::record({EventKind::WindowDestroyed, window});
    if (window == script::mainWindowToken()) {
        script::screen().main.destroyed = true;
    }
}

}  // namespace quorvel::platform
