// A script that fails, fails the same way on real widgets as headless: the same
// script line, the same words, and every window closed.
#include "framework/backends/qt/qt_script_player.h"

#include <functional>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "framework/backends/headless/headless_backend.h"
#include "framework/core/framework.h"
#include "tests/framework/backends/qt/qt_test_environment.h"
#include "tests/framework/core/test_dialogs.h"

namespace quorvel::ui::qt::testing {
namespace {

using namespace ui::testing;  // the test dialogs

struct FailureCase {
  const char* name;
  const char* dialog;  // "numbers", "lists", "outer" or "sheet"
  const char* script;
  int line;
};

void RunDialog(const std::string& which) {
  if (which == "numbers") {
    NumbersDialog dialog;
    dialog.DoModal();
  } else if (which == "lists") {
    ListsDialog dialog;
    dialog.items = {"1|a|", "2|b|"};
    dialog.DoModal();
  } else if (which == "outer") {
    OuterDialog dialog;
    dialog.DoModal();
  } else {
    FirstPage first;
    SecondPage second;
    CPropertySheet sheet("Quorvel", nullptr, 0);
    sheet.AddPage(&first);
    sheet.AddPage(&second);
    sheet.DoModal();
  }
}

TEST(QtScriptPlayerTest, FailuresNameTheLineAndWhatWasFoundAsHeadless) {
  const FailureCase cases[] = {
      {"wrong window", "numbers", "window 500\nwindow 520\n", 2},
      {"no such control", "numbers", "\n# a comment\nexpect 999 x\n", 3},
      {"expectation not met", "numbers", "expect 505 other\n", 1},
      {"list view read as text", "lists", "expect 523 x\n", 1},
      {"items differ", "lists", "expect-items 523 [\"1|a|\"]\n", 1},
      {"selection differs", "lists", "pick 523 1\nexpect-selected 523 0\n", 2},
      {"no such item", "lists", "pick 522 4\n", 1},
      {"no such list item", "lists", "pick 523 2\n", 1},
      {"double click on a combo", "lists", "dblclick 521 0\n", 1},
      {"typing into a read-only edit", "numbers", "set 505 x\n", 1},
      {"typing letters into digits", "numbers", "set 504 12a\n", 1},
      {"typing a line break", "numbers", "set 503 \"a\\nb\"\n", 1},
      {"typing into a drop-down list", "lists", "set 522 x\n", 1},
      {"clicking a static", "numbers", "click 506\n", 1},
      {"answer not offered", "outer", "click 543\nanswer ok\n", 2},
      {"message step on a dialog", "numbers", "expect-message x\n", 1},
      {"file step on a message", "outer", "click 543\nchoose /a.wav\n", 2},
      {"tab on a dialog", "numbers", "tab 1\n", 1},
      {"no such tab", "sheet", "tab 5\n", 1},
      {"tabs differ", "sheet", "expect-tabs [\"First\"]\n", 1},
      {"other page active", "sheet", "expect-active 1\n", 1},
      {"title differs", "outer", "click 541\nexpect-title Outer\n", 2},
      {"script ends with windows open", "outer", "click 541\nwindow 550\n\n", 3},
      {"steps left over", "numbers", "click 2\nclick 1\n", 2},
  };
  for (const FailureCase& c : cases) {
    SCOPED_TRACE(c.name);
    const ScriptFailure headless =
        PlayOn<HeadlessBackend>(TestTemplates(), c.script, [&] { RunDialog(c.dialog); });
    const ScriptFailure real = PlayOnQt(TestTemplates(), c.script, [&] { RunDialog(c.dialog); });
    EXPECT_EQ(headless.Line(), c.line) << headless.what();
    EXPECT_EQ(real.Line(), c.line) << real.what();
    EXPECT_STREQ(real.what(), headless.what());
    EXPECT_TRUE(ModalWindow::ModalStack().empty());
  }
}

}  // namespace
}  // namespace quorvel::ui::qt::testing
