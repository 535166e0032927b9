// The timeline's window on the offscreen platform: keys, focus, and the parts that
// stay in place while the picture scrolls.
#include "tools/timeline/view_qt.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QKeyEvent>
#include <QScrollBar>

#include "tests/framework/backends/qt/offscreen_application_test.h"
#include "tests/tools/timeline/blank_sequence.h"
#include "tools/timeline/painter_qt.h"

namespace quorvel::app {
namespace {

// Forty rows of one event each, and a camera band over the whole axis.
timeline::Sequence ManyRows() {
  timeline::Sequence sequence = testing::BlankSequence(1000);
  for (int i = 0; i < 40; ++i) {
    timeline::TimelineRow row;
    row.joint = i;
    row.title = "Joint" + std::to_string(i) + " (ship)";
    const timeline::TimelineEvent event =
        timeline::ReadTimelineEvent(0, std::to_string(i * 25) + "|hide|");
    row.events.push_back(event);
    sequence.rows.push_back(row);
  }
  sequence.bands.push_back({timeline::BandKind::kCamera, 0, 1000, "CAM_Main"});
  return sequence;
}

class TimelineViewTest : public ui::qt::testing::OffscreenApplicationTest {};

TEST_F(TimelineViewTest, KeysZoomAndClose) {
  struct Case {
    int key;
    Qt::KeyboardModifiers modifiers;
    TimelineKey action;
  };
  const Case cases[] = {
      {Qt::Key_Escape, Qt::NoModifier, TimelineKey::kClose},
      {Qt::Key_W, Qt::ControlModifier, TimelineKey::kClose},
      {Qt::Key_W, Qt::NoModifier, TimelineKey::kNone},
      {Qt::Key_Q, Qt::NoModifier, TimelineKey::kClose},
      {Qt::Key_Plus, Qt::NoModifier, TimelineKey::kZoomIn},
      {Qt::Key_Equal, Qt::NoModifier, TimelineKey::kZoomIn},
      {Qt::Key_Minus, Qt::NoModifier, TimelineKey::kZoomOut},
      {Qt::Key_0, Qt::NoModifier, TimelineKey::kZoomAll},
      {Qt::Key_A, Qt::NoModifier, TimelineKey::kNone},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TimelineKeyOf(c.key, c.modifiers), c.action) << c.key;
  }
}

// Shown, the window has the keyboard at once; each closing key closes it.
TEST_F(TimelineViewTest, TakesTheKeyboardWhenShownAndClosesOnItsKeys) {
  const timeline::Sequence sequence = ManyRows();
  for (const auto& [key, modifiers] :
       {std::pair{Qt::Key_Escape, Qt::NoModifier}, std::pair{Qt::Key_W, Qt::ControlModifier},
        std::pair{Qt::Key_Q, Qt::NoModifier}}) {
    TimelineView view(sequence, {800, {}, {}}, "many.ms3d");
    view.resize(600, 300);
    view.show();
    QApplication::processEvents();
    EXPECT_TRUE(view.hasFocus()) << key;
    EXPECT_EQ(QApplication::focusWidget(), &view) << key;
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(QApplication::focusWidget(), &press);
    QApplication::processEvents();
    EXPECT_FALSE(view.isVisible()) << key;
  }
}

// Zoomed in and scrolled to the far end, the row titles and the head stay where
// they were: the view shows (and hovers) the same row title and band there.
TEST_F(TimelineViewTest, RowTitlesAndHeadStayWhileThePictureScrolls) {
  const timeline::Sequence sequence = ManyRows();
  TimelineView view(sequence, {800, {}, {}}, "many.ms3d");
  view.resize(600, 300);
  view.show();
  QApplication::processEvents();
  QKeyEvent plus(QEvent::KeyPress, Qt::Key_Plus, Qt::NoModifier);
  for (int i = 0; i < 5; ++i) {
    QApplication::sendEvent(&view, &plus);
  }
  EXPECT_GT(view.Zoom(), 2.0);
  view.horizontalScrollBar()->setValue(view.horizontalScrollBar()->maximum());
  view.verticalScrollBar()->setValue(view.verticalScrollBar()->maximum());
  ASSERT_GT(view.horizontalScrollBar()->value(), 1000);
  ASSERT_GT(view.verticalScrollBar()->value(), 200);
  const timeline::Layout& layout = view.PictureLayout();
  const double head = timeline::HeadHeight(layout);
  // A point in the title column, below the head: a row title, that of the row now
  // at that height of the picture.
  const QPointF title = view.PicturePointAt({10, head + 20});
  EXPECT_EQ(title.x(), 10);
  EXPECT_EQ(title.y(), head + 20 + view.verticalScrollBar()->value());
  EXPECT_NE(TimelineHoverText(layout, title.x(), title.y()).find(" (ship)"), std::string::npos);
  // A point in the head, right of the column: the band at the scrolled frame.
  const timeline::Rect& lane = layout.bandLanes.front();
  const QPointF band = view.PicturePointAt({400, lane.y + lane.height / 2});
  EXPECT_EQ(band.x(), 400 + view.horizontalScrollBar()->value());
  EXPECT_EQ(band.y(), lane.y + lane.height / 2);
  EXPECT_EQ(TimelineHoverText(layout, band.x(), band.y()), "CAM_Main: frames 0 to 1000");
  // Elsewhere the picture scrolls both ways.
  const QPointF body = view.PicturePointAt({400, head + 20});
  EXPECT_EQ(body.x(), 400 + view.horizontalScrollBar()->value());
  EXPECT_EQ(body.y(), head + 20 + view.verticalScrollBar()->value());
  // "0" shows the whole picture again.
  QKeyEvent zero(QEvent::KeyPress, Qt::Key_0, Qt::NoModifier);
  QApplication::sendEvent(&view, &zero);
  EXPECT_EQ(view.Zoom(), 1.0);
}

}  // namespace
}  // namespace quorvel::app
