#include "ui/backends/qt/list_view.h"

#include <optional>

#include <QKeyEvent>
#include <QMouseEvent>
#include <QSignalBlocker>

#include "ui/backends/qt/text.h"

namespace quorvel::ui::qt {

ListView::ListView(QWidget* parent) : QListWidget(parent) {
  setViewMode(QListView::ListMode);
  setFlow(QListView::TopToBottom);
  setWrapping(true);
  setResizeMode(QListView::Adjust);
  setTextElideMode(Qt::ElideNone);
  setWordWrap(false);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setDragEnabled(false);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

void ListView::Mirror(const std::vector<std::string>& items, int selection, int focused) {
  const QSignalBlocker blocker(this);
  mirroredSelection_ = selection;
  mirroredFocus_ = focused;
  bool same = count() == static_cast<int>(items.size());
  for (int i = 0; same && i < count(); ++i)
    same = item(i)->text() == ToQString(items[static_cast<size_t>(i)]);
  if (!same) {
    clear();
    for (const std::string& text : items)
      addItem(ToQString(text));
  }
  ShowMirrored();
}

void ListView::ShowMirrored() {
  const QSignalBlocker blocker(this);
  if (mirroredSelection_ >= 0 && mirroredSelection_ < count()) {
    setCurrentRow(mirroredSelection_, QItemSelectionModel::ClearAndSelect);
  } else {
    clearSelection();
    if (mirroredFocus_ >= 0 && mirroredFocus_ < count()) {
      selectionModel()->setCurrentIndex(model()->index(mirroredFocus_, 0),
                                        QItemSelectionModel::NoUpdate);
    }
  }
  viewport()->update();
}

int ListView::SelectedRow() const {
  const QList<QListWidgetItem*> selected = selectedItems();
  return selected.isEmpty() ? -1 : row(selected.first());
}

QPoint ListView::EmptySpot() const {
  const QRect area = viewport()->rect();
  // Items start at the top left: the far corner is the likeliest empty place.
  for (int y = area.bottom() - 1; y > area.top(); y -= 4) {
    for (int x = area.right() - 1; x > area.left(); x -= 4) {
      if (!indexAt(QPoint(x, y)).isValid())
        return {x, y};
    }
  }
  return {-1, -1};
}

int ListView::RowAt(const QPoint& point) const {
  const QModelIndex index = indexAt(point);
  return index.isValid() ? index.row() : -1;
}

void ListView::mousePressEvent(QMouseEvent* event) {
  setFocus(Qt::MouseFocusReason);
  if (event->button() == Qt::LeftButton && onPick)
    onPick(RowAt(event->position().toPoint()));
  event->accept();
}

void ListView::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && onDoubleClick)
    onDoubleClick(RowAt(event->position().toPoint()));
  event->accept();
}

// Dragging does not select: the framework only hears clicks.
void ListView::mouseMoveEvent(QMouseEvent* event) {
  event->accept();
}

void ListView::mouseReleaseEvent(QMouseEvent* event) {
  event->accept();
}

// Every key that moves the selection goes through the framework, which sends the
// item-changed notifications: the arrows, Home and End are the framework's keys and
// it chooses the item. Any other key (Page Up and Down, Left and Right across the
// columns, type-ahead search, Ctrl+Space) depends on how the items lie on the screen,
// which only real windows know: Qt moves its own selection first, and a changed row
// is then reported as the user's pick. The framework's selection is shown again
// afterwards, whatever Qt did meanwhile.
void ListView::keyPressEvent(QKeyEvent* event) {
  std::optional<ListKey> key;
  switch (event->key()) {
    case Qt::Key_Up:
      key = ListKey::kUp;
      break;
    case Qt::Key_Down:
      key = ListKey::kDown;
      break;
    case Qt::Key_Home:
      key = ListKey::kHome;
      break;
    case Qt::Key_End:
      key = ListKey::kEnd;
      break;
    default: {
      const int before = SelectedRow();
      QListWidget::keyPressEvent(event);
      const int after = SelectedRow();
      if (after != before && onPick)
        onPick(after);
      ShowMirrored();
      return;
    }
  }
  event->accept();
  if (onListKey)
    onListKey(*key);
}

}  // namespace quorvel::ui::qt
