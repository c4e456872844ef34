#pragma once
// The widget that stands for each kind of template control.
#include <QCheckBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>

#include "platform/qt/dialog_units.h"
#include "platform/ui.h"

namespace quorvel::platform::qt {

// A Windows radio button reacts anywhere in its rectangle, not only on its mark and text.
class WholeRectRadioButton final : public QRadioButton {
  public:
    using QRadioButton::QRadioButton;

  protected:
    bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
};

class WholeRectCheckBox final : public QCheckBox {
  public:
    using QCheckBox::QCheckBox;

  protected:
    bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
};

// A push button whose text is too long for it shows the text's start, as a left-aligned Windows
// button would, instead of cutting both ends of a centred text.
class DialogButton final : public QPushButton {
  public:
    using QPushButton::QPushButton;

  protected:
    void paintEvent(QPaintEvent* event) override;
};

// The id a control carries, as a dynamic property of its widget.
inline constexpr char kControlIdProperty[] = "quorvelControlId";

// Creates the control's widget in `parent` at its pixel geometry; it is not wired to anything.
QWidget* createControl(const ControlTemplate& control, const DialogUnits& units, QWidget* parent);

// Lets a one-line edit take no more than maxBytes bytes of CP932, cutting what is typed or pasted
// beyond that at a character boundary.
void limitCp932Bytes(QWidget* widget, std::size_t maxBytes);

// Text in and out of a control widget, whatever its kind.
void setControlText(QWidget* widget, const QString& text);
QString controlText(const QWidget* widget);

}  // namespace quorvel::platform::qt
