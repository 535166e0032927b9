// The preview's window, on an X display with OpenGL: what its keys do.
#include "tools/preview/preview_window_qt.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>

#include "tests/tools/preview/preview_gl.h"
#include "tests/tools/preview/preview_scenes.h"

namespace quorvel::preview {
namespace {

void Press(QWidget& window, int key) {
  QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
  QApplication::sendEvent(&window, &event);
}

TEST(PreviewWindowTest, KeysStepPlayOrbitAndClose) {
  host::Scene scene;
  testing::AddBox(scene, "Box", {0, 0, 0}, 1, {1, 0, 0, 1});
  std::string skip;
  if (!testing::MakePictures(scene, 16, 16, skip)) {
    GTEST_SKIP() << "no OpenGL here: " << skip;
  }
  nis::SequenceInput input;
  input.lastFrame = 48;
  input.modelEvents = {{5, "musicStart", "\"theme\"", "5|musicStart|\"theme\""},
                       {7, "musicStop", "", "7|musicStop|"}};
  const nis::NisTimeline timeline(input);
  const FrameMaker maker(scene, timeline);
  PreviewWindow window(maker, "", nullptr, 10);
  window.show();
  QApplication::processEvents();
  EXPECT_EQ(window.CurrentFrame(), 10);
  struct Step {
    int key;
    std::int64_t frame;
  };
  const Step steps[] = {{Qt::Key_Right, 11}, {Qt::Key_Left, 10}, {Qt::Key_End, 48},
                        {Qt::Key_Right, 48}, {Qt::Key_Home, 0},  {Qt::Key_Left, 0}};
  for (const Step& step : steps) {
    Press(window, step.key);
    EXPECT_EQ(window.CurrentFrame(), step.frame) << step.key;
  }
  // The ticker holds what fired in the last second, also on frames stepped over.
  window.GoTo(40);
  EXPECT_TRUE(window.View().Ticker().empty());  // a jump starts afresh
  window.GoTo(4);
  EXPECT_TRUE(window.View().Ticker().empty());
  window.GoTo(6);
  ASSERT_EQ(window.View().Ticker().size(), 1u);
  EXPECT_EQ(window.View().Ticker()[0].first, 5);
  Press(window, Qt::Key_Right);
  Press(window, Qt::Key_Right);
  EXPECT_EQ(window.View().Ticker().size(), 2u);
  window.GoTo(40);
  EXPECT_TRUE(window.View().Ticker().empty());

  Press(window, Qt::Key_Space);
  EXPECT_TRUE(window.Playing());
  Press(window, Qt::Key_Space);
  EXPECT_FALSE(window.Playing());
  Press(window, Qt::Key_C);
  EXPECT_TRUE(window.View().Orbiting());
  Press(window, Qt::Key_C);
  EXPECT_FALSE(window.View().Orbiting());
  window.View().repaint();
  EXPECT_GT(window.View().FramesDrawn(), 0);
  EXPECT_EQ(window.View().Failure(), "");
  Press(window, Qt::Key_Escape);
  EXPECT_FALSE(window.isVisible());
}

}  // namespace
}  // namespace quorvel::preview
