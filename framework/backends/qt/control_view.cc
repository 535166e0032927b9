#include "framework/backends/qt/control_view.h"

#include <optional>

#include <QComboBox>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QSignalBlocker>

#include "framework/backends/qt/field_validator.h"
#include "framework/backends/qt/list_view.h"
#include "framework/backends/qt/push_button.h"
#include "framework/backends/qt/static_text.h"
#include "framework/backends/qt/text.h"

namespace quorvel::ui::qt {
namespace {

// The platform shows up to this many items of a dropped list before it scrolls.
constexpr int kComboVisibleItems = 30;

Qt::FocusPolicy FocusPolicyFor(const Control& control) {
  return control.IsTabStop() ? Qt::StrongFocus : Qt::ClickFocus;
}

// Where the user's caret and selection stood in a field, with the text around them.
struct Caret {
  QString text;
  int position = 0;
  int anchor = 0;  // the other end of the selection; the position when none
};

Caret CaretOf(const QLineEdit* field) {
  Caret caret{field->text(), field->cursorPosition(), field->cursorPosition()};
  if (field->hasSelectedText()) {
    const int start = field->selectionStart();
    const int end = field->selectionEnd();
    caret.anchor = caret.position == start ? end : start;
  }
  return caret;
}

// Shows the control's text in field. typed: the caret and selection as they stood
// when the user typed the text, kept where the keys put them (the framework still
// holds the same text); otherwise the framework's selection is shown.
void MirrorField(QLineEdit* field, const Control& control, const std::optional<Caret>& typed) {
  const QString text = ToQString(control.Text());
  if (field->text() != text)
    field->setText(text);
  if (typed) {
    if (typed->text != text)
      return;
    if (typed->anchor != typed->position) {
      field->setSelection(typed->anchor, typed->position - typed->anchor);
    } else {
      field->setCursorPosition(typed->position);
    }
    return;
  }
  const int start = control.SelectionStart();
  const int end = control.SelectionEnd();
  if (end > start) {
    field->setSelection(start, end - start);
  } else {
    field->setCursorPosition(start);
  }
}

}  // namespace

ControlView::ControlView(const Control& control, QWidget* parent, DialogBaseUnits units,
                         InputSink& sink)
    : control_(control) {
  switch (control.Class()) {
    case ControlClass::kButton:
      BuildButton(sink);
      break;
    case ControlClass::kEdit:
      BuildEdit(sink);
      break;
    case ControlClass::kStatic:
      BuildStatic();
      break;
    case ControlClass::kComboBox:
      BuildComboBox(sink);
      break;
    case ControlClass::kListView:
      BuildListView(sink);
      break;
  }
  widget_->setParent(parent);
  widget_->setObjectName(QStringLiteral("control%1").arg(control.Id()));
  widget_->setProperty("controlId", control.Id());
  QRect geometry = ToPixels(control.Template().rect, units);
  // A combo's template height includes its dropped list; the closed box is as tall
  // as its field needs.
  if (control.IsComboBox())
    geometry.setHeight(widget_->sizeHint().height());
  widget_->setGeometry(geometry);
  Mirror();
  widget_->show();
}

ControlView::~ControlView() {
  // Deferred: the widget may be the one whose click is being reported right now.
  if (widget_ != nullptr) {
    widget_->hide();
    widget_->deleteLater();
  }
}

QLineEdit* ControlView::Field() const {
  if (auto* edit = qobject_cast<QLineEdit*>(widget_.data()))
    return edit;
  if (auto* combo = qobject_cast<QComboBox*>(widget_.data()))
    return combo->lineEdit();
  return nullptr;
}

void ControlView::BuildButton(InputSink& sink) {
  auto* button = new PushButton(ToQString(control_.Text()));
  // Enter is the framework's to route (to the focused button or the default one).
  button->setAutoDefault(false);
  button->setDefault(control_.IsDefaultButton());
  button->setFocusPolicy(FocusPolicyFor(control_));
  QObject::connect(button, &QPushButton::clicked, button,
                   [this, &sink] { sink.UserClicked(control_); });
  widget_ = button;
}

void ControlView::BuildEdit(InputSink& sink) {
  auto* edit = new QLineEdit;
  edit->setReadOnly(control_.IsReadOnly());
  if (control_.IsReadOnly()) {
    // On the dialog's own background, as the platform shows what cannot be typed into.
    QPalette palette = edit->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Window));
    edit->setPalette(palette);
  }
  edit->setFrame((control_.Style() & WS_BORDER) != 0);
  const bool scrolls = (control_.Style() & ES_AUTOHSCROLL) != 0;
  if (control_.IsDigitsOnly() || !scrolls)
    edit->setValidator(new FieldValidator(control_, scrolls ? nullptr : edit, edit));
  edit->setFocusPolicy(FocusPolicyFor(control_));
  QObject::connect(edit, &QLineEdit::textEdited, edit,
                   [this, &sink](const QString& text) { sink.UserTyped(control_, text); });
  widget_ = edit;
}

void ControlView::BuildStatic() {
  widget_ = new StaticText(control_.Style(), nullptr);
}

void ControlView::BuildComboBox(InputSink& sink) {
  auto* combo = new QComboBox;
  combo->setMaxVisibleItems(kComboVisibleItems);
  combo->setFocusPolicy(FocusPolicyFor(control_));
  if (!control_.IsDropDownList()) {
    combo->setEditable(true);
    // The platform's field neither completes what is typed nor adds it to the list.
    combo->setCompleter(nullptr);
    combo->setInsertPolicy(QComboBox::NoInsert);
    QLineEdit* field = combo->lineEdit();
    if ((control_.Style() & CBS_AUTOHSCROLL) == 0)
      field->setValidator(new FieldValidator(control_, field, field));
    QObject::connect(field, &QLineEdit::textEdited, combo,
                     [this, &sink](const QString& text) { sink.UserTyped(control_, text); });
  }
  QObject::connect(combo, &QComboBox::activated, combo,
                   [this, &sink](int index) { sink.UserPicked(control_, index); });
  widget_ = combo;
}

void ControlView::BuildListView(InputSink& sink) {
  auto* list = new ListView(nullptr);
  list->setFocusPolicy(FocusPolicyFor(control_));
  list->setFrameShape((control_.Style() & WS_BORDER) != 0 ? QFrame::StyledPanel : QFrame::NoFrame);
  list->onPick = [this, &sink](int index) { sink.UserPicked(control_, index); };
  list->onDoubleClick = [this, &sink](int index) { sink.UserDoubleClicked(control_, index); };
  list->onListKey = [this, &sink](ListKey key) { sink.UserPressedListKey(control_, key); };
  widget_ = list;
}

void ControlView::Mirror(bool keepCaret) {
  if (widget_ == nullptr)
    return;
  switch (control_.Class()) {
    case ControlClass::kButton: {
      static_cast<PushButton*>(widget_.data())->SetCaption(ToQString(control_.Text()));
      return;
    }
    case ControlClass::kEdit: {
      auto* edit = static_cast<QLineEdit*>(widget_.data());
      MirrorField(edit, control_, keepCaret ? std::optional(CaretOf(edit)) : std::nullopt);
      return;
    }
    case ControlClass::kStatic:
      static_cast<StaticText*>(widget_.data())->SetText(ToQString(control_.Text()));
      return;
    case ControlClass::kComboBox: {
      auto* combo = static_cast<QComboBox*>(widget_.data());
      const QSignalBlocker blocker(combo);
      QLineEdit* field = combo->lineEdit();
      // Taken before the list's current item changes, which rewrites the field.
      const std::optional<Caret> typed =
          keepCaret && field != nullptr ? std::optional(CaretOf(field)) : std::nullopt;
      const auto& items = control_.Items();
      bool same = combo->count() == static_cast<int>(items.size());
      for (int i = 0; same && i < combo->count(); ++i)
        same = combo->itemText(i) == ToQString(items[static_cast<size_t>(i)]);
      if (!same) {
        // In one go: one item at a time has the list model announce each row.
        QStringList texts;
        texts.reserve(static_cast<qsizetype>(items.size()));
        for (const std::string& item : items)
          texts.push_back(ToQString(item));
        combo->clear();
        combo->addItems(texts);
      }
      // Adding items to an empty combo selects the first; the framework decides.
      if (combo->currentIndex() != control_.Selection())
        combo->setCurrentIndex(control_.Selection());
      if (field != nullptr)
        MirrorField(field, control_, typed);
      return;
    }
    case ControlClass::kListView:
      static_cast<ListView*>(widget_.data())
          ->Mirror(control_.Items(), control_.Selection(), control_.FocusedItem());
      return;
  }
}

}  // namespace quorvel::ui::qt
