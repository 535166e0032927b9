// ControlView: the widget that shows one framework control, built from its template
// entry, and the mirror that keeps it showing the control's state. What the user
// does with the widget goes to an InputSink; the widget itself changes only through
// Mirror, from the framework's state.
#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

#include "framework/backends/qt/dialog_units.h"
#include "framework/core/control.h"
#include "framework/core/modal_window.h"

class QLineEdit;

namespace quorvel::ui::qt {

class InputSink {
 public:
  virtual ~InputSink() = default;
  virtual void UserTyped(const Control& control, const QString& text) = 0;
  virtual void UserPicked(const Control& control, int index) = 0;
  virtual void UserDoubleClicked(const Control& control, int index) = 0;
  virtual void UserPressedListKey(const Control& control, ListKey key) = 0;
  virtual void UserClicked(const Control& control) = 0;
};

class ControlView {
 public:
  // Builds the widget inside parent at the control's template position.
  ControlView(const Control& control, QWidget* parent, DialogBaseUnits units, InputSink& sink);
  ~ControlView();
  ControlView(const ControlView&) = delete;
  ControlView& operator=(const ControlView&) = delete;

  const Control& Model() const { return control_; }
  int Id() const { return control_.Id(); }
  QWidget* Widget() const { return widget_; }
  // The line edit a user types into (an edit, or an editable combo's field), or nullptr.
  QLineEdit* Field() const;

  // Shows the control's current state. keepCaret: the user is typing into this very
  // field, so its caret stays where the keys put it.
  void Mirror(bool keepCaret = false);

 private:
  void BuildButton(InputSink& sink);
  void BuildEdit(InputSink& sink);
  void BuildStatic();
  void BuildComboBox(InputSink& sink);
  void BuildListView(InputSink& sink);

  const Control& control_;
  QPointer<QWidget> widget_;
};

}  // namespace quorvel::ui::qt
