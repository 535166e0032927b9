#include "framework/backends/qt/list_view.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include <QKeyEvent>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <QStyledItemDelegate>

#include "framework/backends/qt/text.h"
#include "framework/backends/qt/tool_tip.h"

namespace quorvel::ui::qt {
namespace {

// Keeps every item within the view's width, so that the view cuts a long label
// with an ellipsis (its text elide mode) rather than letting it run past the edge.
class CappedWidthDelegate : public QStyledItemDelegate {
 public:
  explicit CappedWidthDelegate(ListView* view) : QStyledItemDelegate(view), view_(view) {}

  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    size.setWidth(std::min(size.width(), view_->ItemRoom()));
    return size;
  }

  // The width the item would take uncut.
  int WholeWidth(const QModelIndex& index) const {
    QStyleOptionViewItem option;
    option.initFrom(view_);
    option.font = view_->font();
    option.fontMetrics = view_->fontMetrics();
    option.decorationSize = view_->iconSize();
    return QStyledItemDelegate::sizeHint(option, index).width();
  }

 private:
  ListView* view_;
};

}  // namespace

ListView::ListView(QWidget* parent) : QListWidget(parent) {
  setViewMode(QListView::ListMode);
  setFlow(QListView::TopToBottom);
  setWrapping(true);
  setResizeMode(QListView::Adjust);
  setTextElideMode(Qt::ElideRight);
  setItemDelegate(new CappedWidthDelegate(this));
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
    UpdateToolTips();
  }
  ShowMirrored();
}

int ListView::ItemRoom() const {
  // From the view's own width: while it is hidden its viewport is not laid out yet.
  return std::max(1, width() - 2 * frameWidth() - 2 * spacing());
}

void ListView::UpdateToolTips() {
  const auto* delegate = static_cast<const CappedWidthDelegate*>(itemDelegate());
  const int room = ItemRoom();
  for (int i = 0; i < count(); ++i) {
    QListWidgetItem* entry = item(i);
    const bool cut = delegate->WholeWidth(indexFromItem(entry)) > room;
    const QString tip = cut ? PlainToolTip(entry->text()) : QString();
    if (entry->toolTip() != tip)
      entry->setToolTip(tip);
  }
}

void ListView::resizeEvent(QResizeEvent* event) {
  QListWidget::resizeEvent(event);
  UpdateToolTips();
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
  static constexpr std::pair<int, ListKey> kListKeys[] = {
      {Qt::Key_Up, ListKey::kUp},
      {Qt::Key_Down, ListKey::kDown},
      {Qt::Key_Home, ListKey::kHome},
      {Qt::Key_End, ListKey::kEnd},
  };
  const auto* known = std::find_if(std::begin(kListKeys), std::end(kListKeys),
                                   [&](const auto& entry) { return entry.first == event->key(); });
  if (known != std::end(kListKeys)) {
    event->accept();
    if (onListKey)
      onListKey(known->second);
    return;
  }
  const int before = SelectedRow();
  QListWidget::keyPressEvent(event);
  const int after = SelectedRow();
  if (after != before && onPick)
    onPick(after);
  ShowMirrored();
}

}  // namespace quorvel::ui::qt
