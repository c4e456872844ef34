#pragma once
// A dialog drawn from a template, and the handle its handler works through.
#include <QDialog>
#include <QPixmap>
#include <QPoint>
#include <QPointer>
#include <QPushButton>

#include <memory>
#include <vector>

#include "platform/qt/dialog_units.h"
#include "platform/ui.h"

namespace quorvel::platform::qt {

class DialogWindow final : public QDialog, public DialogHandle {
  public:
    // A modal dialog borrows the caller's handler; a modeless one is handed `owned`, which must
    // be `handler` itself, and destroys it with itself.
    DialogWindow(const DialogTemplate& dialog, QWidget* owner, DialogHandler& handler,
                 std::unique_ptr<DialogHandler> owned = nullptr);
    ~DialogWindow() override;

    // The handler's init; the dialog may already have ended when it returns.
    void initialise();
    bool hasEnded() const { return ended_; }
    int endResult() const { return result_; }

    // The first control with this id (a Windows id is 16 bits: 65535 is also -1).
    QWidget* control(int id) const;

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
    bool isChecked(int id) const override;
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

  protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    // Escape: the handler decides, as with the close box.
    void reject() override;

  private:
    struct Control {
        int id;
        QWidget* widget;
        QRect placed;  // at the template's size
    };
    struct Picture {
        QPoint at;
        QPixmap pixmap;
    };

    class DialogTable* table(int id) const;
    void sendCommand(int id);
    void pressEnter();

    std::unique_ptr<DialogHandler> ownedHandler_;
    DialogHandler& handler_;
    DialogTemplate template_;
    bool modeless_;
    std::vector<Control> controls_;
    std::vector<Picture> pictures_;
    DialogUnits units_;
    QPointer<QPushButton> defaultButton_;
    bool ended_ = false;
    int result_ = 0;
};

}  // namespace quorvel::platform::qt
