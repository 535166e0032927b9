// The property sheet as a real window: one row of tabs that scrolls, page captions,
// OK and Cancel, and a refused page keeping the focus in its field.
#include <stdlib.h>

#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>
#include <QApplication>
#include <QLineEdit>
#include <QToolButton>
#include <QtTest/QTest>

#include "framework/backends/qt/qt_window.h"
#include "framework/backends/qt/sheet_tab_bar.h"
#include "framework/core/framework.h"
#include "tests/framework/backends/qt/qt_test_environment.h"
#include "tests/framework/backends/qt/window_user.h"
#include "tests/framework/core/test_dialogs.h"

namespace quorvel::ui::qt::testing {
namespace {

using ui::testing::FirstPage;
using ui::testing::SecondPage;
using ui::testing::TestTemplates;

TEST(QtSheetTest, ManyPagesKeepOneRowOfTabsThatScrolls) {
  std::vector<std::unique_ptr<SecondPage>> pages;
  CPropertySheet sheet("Quorvel", nullptr, 0);
  std::vector<std::string> captions;
  for (int i = 0; i < 24; ++i) {
    pages.push_back(std::make_unique<SecondPage>());
    captions.push_back("Actor: Frigate_of_the_second_wing_" + std::to_string(i));
    pages.back()->SetTitle(captions.back());
    sheet.AddPage(pages.back().get());
  }
  sheet.EnableStackedTabs(false);
  std::string script =
      "window sheet\nexpect-tabs " + QuoteScriptList(captions) +
      "\ntab 23\nexpect-active 23\nset 572 last\ntab 0\nexpect-active 0\nclick 1\n";
  QtScriptedBackend* backend = nullptr;
  const ScriptFailure outcome = PlayOnQt(TestTemplates(), script, [&] {
    backend = dynamic_cast<QtScriptedBackend*>(CurrentBackend());
    backend->Player().SetBeforeStep([&](const Step& step, QWidget* top) {
      if (step.line != 1)
        return;
      auto* window = dynamic_cast<QtWindow*>(top);
      ASSERT_NE(window, nullptr);
      SheetTabBar* tabs = window->TabBar();
      ASSERT_NE(tabs, nullptr);
      // Every tab in the same row, and more of them than the row can show at once.
      for (int i = 1; i < tabs->count(); ++i)
        EXPECT_EQ(tabs->tabRect(i).top(), tabs->tabRect(0).top());
      EXPECT_GT(tabs->tabRect(tabs->count() - 1).right(), tabs->width());
      auto* right = tabs->findChild<QToolButton*>(QStringLiteral("ScrollRightButton"));
      ASSERT_NE(right, nullptr);
      EXPECT_TRUE(right->isVisible());
    });
    EXPECT_EQ(sheet.DoModal(), IDOK);
  });
  EXPECT_EQ(outcome.Line(), 0) << outcome.what();
  EXPECT_EQ(pages[23]->name, "last");
}

// After a refused tab change or OK, the field is back in front of the user with its
// whole text selected, ready to be typed over.
TEST(QtSheetTest, RefusedPageGivesTheFocusBackToItsFieldWithTheTextSelected) {
  for (const char* leave : {"tab 1", "click 1"}) {
    SCOPED_TRACE(leave);
    FirstPage first;
    SecondPage second;
    CPropertySheet sheet("Quorvel", nullptr, 0);
    sheet.AddPage(&first);
    sheet.AddPage(&second);
    const std::string script =
        std::string("set 561 5000\n") + leave +
        "\nwindow message\nanswer ok\nwindow sheet\nexpect-active 0\nclick 2\n";
    bool checked = false;
    const ScriptFailure outcome = PlayOnQt(TestTemplates(), script, [&] {
      auto* backend = dynamic_cast<QtScriptedBackend*>(CurrentBackend());
      backend->Player().SetBeforeStep([&](const Step& step, QWidget* top) {
        if (step.line != 5)
          return;
        auto* window = dynamic_cast<QtWindow*>(top);
        ASSERT_NE(window, nullptr);
        auto* field = qobject_cast<QLineEdit*>(window->ControlWidget(561));
        ASSERT_NE(field, nullptr);
        EXPECT_EQ(QApplication::focusWidget(), field);
        EXPECT_EQ(field->selectedText(), QStringLiteral("5000"));
        checked = true;
      });
      EXPECT_EQ(sheet.DoModal(), IDCANCEL);
    });
    EXPECT_EQ(outcome.Line(), 0) << outcome.what();
    EXPECT_TRUE(checked);
  }
}

TEST(QtSheetTest, PageCaptionsAndTheSheetsButtonsUnderThePage) {
  FirstPage first;
  SecondPage second;
  second.SetTitle("Camera: CAM_Main");
  CPropertySheet sheet("Quorvel", nullptr, 0);
  sheet.AddPage(&first);
  sheet.AddPage(&second);
  EXPECT_TRUE(PlayActions(TestTemplates(), {[&](const OpenWindow& top) {
                            QtWindow& window = *top.window;
                            EXPECT_EQ(window.windowTitle(), QStringLiteral("Quorvel"));
                            SheetTabBar& tabs = *window.TabBar();
                            EXPECT_EQ(tabs.Caption(0), QStringLiteral("First"));
                            EXPECT_EQ(tabs.Caption(1), QStringLiteral("Camera: CAM_Main"));
                            QWidget* ok = window.ControlWidget(IDOK);
                            QWidget* cancel = window.ControlWidget(IDCANCEL);
                            const QRect page = QRect(window.PageHost()->mapTo(&window, QPoint()),
                                                     window.PageHost()->size());
                            EXPECT_GT(ok->y(), page.bottom());
                            EXPECT_LT(ok->geometry().right(), cancel->x());
                            EXPECT_LE(cancel->geometry().right(), window.width());
                            // The page's controls sit on the page.
                            EXPECT_EQ(window.ControlWidget(561)->parentWidget(), window.PageHost());
                            QTest::keyClick(&window, Qt::Key_Escape);
                          }},
                          [&] { EXPECT_EQ(sheet.DoModal(), IDCANCEL); }));
}

// The sheet keeps its size: a close box and no minimise or maximise button; the
// close box is Cancel.
TEST(QtSheetTest, HasACloseBoxOnlyWhichIsCancel) {
  FirstPage first;
  CPropertySheet sheet("Quorvel", nullptr, 0);
  sheet.AddPage(&first);
  EXPECT_TRUE(PlayActions(TestTemplates(), {[&](const OpenWindow& top) {
                            QtWindow& window = *top.window;
                            const Qt::WindowFlags flags = window.windowFlags();
                            EXPECT_TRUE(flags.testFlag(Qt::CustomizeWindowHint));
                            EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
                            EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));
                            EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
                            EXPECT_EQ(window.minimumSize(), window.maximumSize());
                            window.close();
                          }},
                          [&] { EXPECT_EQ(sheet.DoModal(), IDCANCEL); }));
}

// The backend tells whoever asked when a sheet comes up, and nothing else: the
// quorvel command's timing probe, which ends the process, lives in the command and
// is installed there, so a variable asking for it reaches no window by itself.
TEST(QtSheetTest, ASheetShownIsToldToItsHandlerOnly) {
  ASSERT_EQ(setenv("QUORVEL_EXIT_WHEN_SHOWN", "1", 1), 0);
  FirstPage first;
  CPropertySheet sheet("Quorvel", nullptr, 0);
  sheet.AddPage(&first);
  std::vector<QtWindow*> shown;
  EXPECT_TRUE(PlayActions(TestTemplates(), {[&](const OpenWindow& top) {
                            EXPECT_EQ(shown, std::vector<QtWindow*>{top.window});
                            top.window->close();
                          }},
                          [&] {
                            auto* backend = dynamic_cast<QtBackend*>(CurrentBackend());
                            ASSERT_NE(backend, nullptr);
                            backend->SetSheetShownHandler(
                                [&](QtWindow& window) { shown.push_back(&window); });
                            EXPECT_EQ(sheet.DoModal(), IDCANCEL);
                          }));
  unsetenv("QUORVEL_EXIT_WHEN_SHOWN");
  EXPECT_EQ(shown.size(), 1u);
}

// Tab from Cancel reaches the tab strip, never its scroll buttons; Enter there
// presses OK, which keeps what was typed.
TEST(QtSheetTest, EnterOnTheTabStripReachedByTabPressesOk) {
  for (int pageCount : {2, 24}) {
    SCOPED_TRACE(std::to_string(pageCount) + " pages");
    std::vector<std::unique_ptr<SecondPage>> pages;
    CPropertySheet sheet("Quorvel", nullptr, 0);
    for (int i = 0; i < pageCount; ++i) {
      pages.push_back(std::make_unique<SecondPage>());
      pages.back()->SetTitle("Actor: Frigate_of_the_second_wing_" + std::to_string(i));
      sheet.AddPage(pages.back().get());
    }
    int result = 0;
    EXPECT_TRUE(PlayActions(
        TestTemplates(), {[&](const OpenWindow& top) {
          QtWindow& window = *top.window;
          QWidget* name = window.ControlWidget(572);
          QTest::mouseClick(name, Qt::LeftButton);
          QTest::keyClicks(name, "kept");
          // Back to the strip past the page's first field, never onto a scroll button.
          for (int i = 0; i < 2; ++i)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
          EXPECT_EQ(QApplication::focusWidget(), window.TabBar());
          for (int i = 0; i < 8 && ControlIdOf(QApplication::focusWidget()) != IDCANCEL; ++i)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
          ASSERT_EQ(ControlIdOf(QApplication::focusWidget()), IDCANCEL);
          QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
          EXPECT_EQ(QApplication::focusWidget(), window.TabBar());
          QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        }},
        [&] { result = sheet.DoModal(); }));
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(pages[0]->name, "kept");
  }
}

// Qt's focus follows the framework's onto a page that is built as it is turned to:
// its first field the first time, the tab strip on a later visit.
TEST(QtSheetTest, TurningToAPageFocusesWhatTheFrameworkFocuses) {
  FirstPage first;
  SecondPage second;
  CPropertySheet sheet("Quorvel", nullptr, 0);
  sheet.AddPage(&first);
  sheet.AddPage(&second);
  std::vector<int> focused;  // the framework's, then Qt's, after each turn
  EXPECT_TRUE(PlayActions(TestTemplates(), {[&](const OpenWindow& top) {
                            QtWindow& window = *top.window;
                            SheetTabBar& tabs = *window.TabBar();
                            for (int page : {1, 0}) {
                              QTest::mouseClick(&tabs, Qt::LeftButton, Qt::NoModifier,
                                                tabs.tabRect(page).center());
                              focused.push_back(window.Model().FocusId());
                              QWidget* widget = QApplication::focusWidget();
                              focused.push_back(widget == &tabs ? 0 : ControlIdOf(widget));
                            }
                            QTest::keyClick(&window, Qt::Key_Escape);
                          }},
                          [&] { EXPECT_EQ(sheet.DoModal(), IDCANCEL); }));
  EXPECT_EQ(focused, (std::vector<int>{571, 571, 0, 0}));
}

// Ctrl+Tab and Ctrl+Page Down turn to the next page, round from the last to the
// first; with Shift, or Ctrl+Page Up, to the previous one.
TEST(QtSheetTest, CtrlTabTurnsThePagesRound) {
  FirstPage first;
  SecondPage second;
  CPropertySheet sheet("Quorvel", nullptr, 0);
  sheet.AddPage(&first);
  sheet.AddPage(&second);
  std::vector<int> active;
  EXPECT_TRUE(PlayActions(TestTemplates(), {[&](const OpenWindow& top) {
                            const std::pair<Qt::Key, Qt::KeyboardModifiers> keys[] = {
                                {Qt::Key_Tab, Qt::ControlModifier},
                                {Qt::Key_Tab, Qt::ControlModifier},
                                {Qt::Key_Tab, Qt::ControlModifier | Qt::ShiftModifier},
                                {Qt::Key_PageDown, Qt::ControlModifier},
                                {Qt::Key_PageUp, Qt::ControlModifier}};
                            for (const auto& [key, modifiers] : keys) {
                              QTest::keyClick(QApplication::focusWidget(), key, modifiers);
                              active.push_back(sheet.GetActiveIndex());
                            }
                            QTest::keyClick(top.Widget(), Qt::Key_Escape);
                          }},
                          [&] { EXPECT_EQ(sheet.DoModal(), IDCANCEL); }));
  EXPECT_EQ(active, (std::vector<int>{1, 0, 1, 0, 1}));
}

struct CaretCase {
  const char* name;
  std::vector<std::pair<Qt::Key, Qt::KeyboardModifiers>> moves;  // after picking "ship"
  const char* typed;
  const char* shown;
};

// Typing into the middle of a combo's field after picking an item goes on where
// the caret is, key after key, though the typed text no longer names the item.
TEST(QtSheetTest, ComboFieldKeepsTheCaretWhileTheUserTypes) {
  const CaretCase cases[] = {
      {"caret after \"sh\"",
       {{Qt::Key_Home, Qt::NoModifier},
        {Qt::Key_Right, Qt::NoModifier},
        {Qt::Key_Right, Qt::NoModifier}},
       "xy",
       "shxyip"},
      {"\"sh\" selected",
       {{Qt::Key_Home, Qt::NoModifier},
        {Qt::Key_Right, Qt::ShiftModifier},
        {Qt::Key_Right, Qt::ShiftModifier}},
       "wh",
       "whip"},
  };
  for (const CaretCase& c : cases) {
    SCOPED_TRACE(c.name);
    SecondPage page;
    CPropertySheet sheet("Quorvel", nullptr, 0);
    sheet.AddPage(&page);
    const std::string script =
        std::string("pick 571 5\nexpect 571 ship\nexpect 571 ") + c.shown + "\nclick 1\n";
    const ScriptFailure outcome = PlayOnQt(TestTemplates(), script, [&] {
      auto* backend = dynamic_cast<QtScriptedBackend*>(CurrentBackend());
      backend->Player().SetBeforeStep([&](const Step& step, QWidget* top) {
        if (step.line != 3)
          return;
        auto* window = dynamic_cast<QtWindow*>(top);
        ASSERT_NE(window, nullptr);
        QLineEdit* field = window->ViewOf(571)->Field();
        ASSERT_NE(field, nullptr);
        for (const auto& [key, modifiers] : c.moves)
          QTest::keyClick(field, key, modifiers);
        QTest::keyClicks(field, c.typed);
      });
      EXPECT_EQ(sheet.DoModal(), IDOK);
    });
    EXPECT_EQ(outcome.Line(), 0) << outcome.what();
    EXPECT_EQ(page.kind, c.shown);
  }
}

}  // namespace
}  // namespace quorvel::ui::qt::testing
