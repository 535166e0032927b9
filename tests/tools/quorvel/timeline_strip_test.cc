// The preview window's strip: a click asks for the frame under the pointer, and the
// picture follows the strip's width.
#include "tools/quorvel/timeline_strip_qt.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <optional>

#include "tests/framework/backends/qt/offscreen_application_test.h"
#include "tests/tools/timeline/blank_sequence.h"

namespace quorvel::app {
namespace {

class TimelineStripTest : public ui::qt::testing::OffscreenApplicationTest {};

TEST_F(TimelineStripTest, AClickJumpsToTheFrameUnderThePointer) {
  timeline::Sequence sequence = testing::BlankSequence(300);
  TimelineStrip strip(sequence, "strip");
  strip.resize(1000, strip.minimumHeight());
  strip.show();
  QApplication::processEvents();
  const timeline::Layout& layout = strip.StripLayout();
  EXPECT_EQ(layout.width, 1000);
  std::optional<std::int64_t> asked;
  strip.onJump = [&](std::int64_t frame) { asked = frame; };
  for (std::int64_t frame : {0, 1, 150, 299, 300}) {
    EXPECT_EQ(strip.FrameAt(layout.XOf(frame)), frame);
    const QPointF at(layout.XOf(frame), layout.plot.y + 5);
    QMouseEvent click(QEvent::MouseButtonPress, at, at, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(&strip, &click);
    EXPECT_EQ(asked, frame);
  }
  // Left of the axis and past its end: its first and last frame.
  EXPECT_EQ(strip.FrameAt(0), 0);
  EXPECT_EQ(strip.FrameAt(5000), 300);
}

}  // namespace
}  // namespace quorvel::app
