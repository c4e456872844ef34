// Message boxes and the information sound.
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include "platform/qt/text_codec.h"
#include "platform/qt/window_handles.h"
#include "platform/qt_texts.h"
#include "platform/ui.h"

namespace quorvel::platform {

MessageAnswer messageBox(WindowHandle owner, std::string_view text, std::string_view caption,
                         MessageButtons buttons) {
    if (QApplication::instance() == nullptr) {
        return buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Ok;
    }
    QWidget* ownerWidget = qt::ownerWidgetOf(owner);
    QMessageBox box(ownerWidget != nullptr ? ownerWidget->window() : nullptr);
    box.setWindowModality(ownerWidget != nullptr ? Qt::WindowModal : Qt::ApplicationModal);
    box.setIcon(QMessageBox::NoIcon);
    box.setTextFormat(Qt::PlainText);
    box.setText(qt::fromCp932(text));
    box.setWindowTitle(qt::fromCp932(caption.empty() ? defaultMessageCaption() : caption));

    if (buttons == MessageButtons::YesNo) {
        QPushButton* yes = box.addButton(qt::fromCp932(text::qtButtonYes), QMessageBox::YesRole);
        QPushButton* no = box.addButton(qt::fromCp932(text::qtButtonNo), QMessageBox::NoRole);
        box.setDefaultButton(yes);
        box.setEscapeButton(no);
        box.exec();
        return box.clickedButton() == yes ? MessageAnswer::Yes : MessageAnswer::No;
    }
    QPushButton* ok = box.addButton(qt::fromCp932(text::qtButtonOk), QMessageBox::AcceptRole);
    box.setDefaultButton(ok);
    box.setEscapeButton(ok);
    box.exec();
    return MessageAnswer::Ok;
}

void informationBeep() {
    QApplication::beep();
}

}  // namespace quorvel::platform
