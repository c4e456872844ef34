#pragma once
// WindowHandle <-> QWidget. A handle is the widget's address, but only a live, registered widget
// answers to it, so a handle kept past its window's end finds nothing instead of freed memory.
#include <QWidget>

#include "platform/handles.h"

namespace quorvel::platform::qt {

WindowHandle handleOf(QWidget* widget);
// nullptr for a handle whose window is gone (or was never one of ours).
QWidget* widgetOf(WindowHandle handle);
// The window that owns a new box or dialog: the owner itself, or, for a dialog that has already
// ended, the nearest of its owners still open (in the end the main window).
QWidget* ownerWidgetOf(WindowHandle handle);
// The handle stops answering at once, before the widget itself is deleted later.
void forgetHandle(QWidget* widget);

}  // namespace quorvel::platform::qt
