#include "platform/qt/window_handles.h"

#include <unordered_set>

#include "platform/qt/dialog_window.h"

namespace quorvel::platform::qt {

namespace {

std::unordered_set<QWidget*>& liveWidgets() {
    static auto* widgets = new std::unordered_set<QWidget*>;
    return *widgets;
}

}  // namespace

WindowHandle handleOf(QWidget* widget) {
    if (widget == nullptr) {
        return nullptr;
    }
    if (liveWidgets().insert(widget).second) {
        QObject::connect(widget, &QObject::destroyed, [widget] { liveWidgets().erase(widget); });
    }
    return reinterpret_cast<WindowHandle>(widget);
}

QWidget* widgetOf(WindowHandle handle) {
    auto* widget = reinterpret_cast<QWidget*>(handle);
    return liveWidgets().contains(widget) ? widget : nullptr;
}

QWidget* ownerWidgetOf(WindowHandle handle) {
    QWidget* widget = widgetOf(handle);
    while (const auto* dialog = dynamic_cast<const DialogWindow*>(widget)) {
        if (!dialog->hasEnded()) {
            break;
        }
        widget = widget->parentWidget();
    }
    return widget;
}

void forgetHandle(QWidget* widget) {
    liveWidgets().erase(widget);
}

}  // namespace quorvel::platform::qt
