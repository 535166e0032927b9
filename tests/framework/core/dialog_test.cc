// The framework's behaviour with a test acting as the user directly (the scenario
// suite covers the same ground through scripts, on every backend).
#include "framework/core/dialog.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "framework/core/framework.h"
#include "tests/framework/core/lambda_backend.h"
#include "tests/framework/core/test_dialogs.h"

namespace quorvel::ui::testing {
namespace {

class DialogTest : public ::testing::Test {
 protected:
  LambdaBackend backend;
  BackendScope backendScope{&backend};
  ResourceScope resources{TestTemplates()};
};

TEST_F(DialogTest, DoModalFailsWithoutTemplateOrBackend) {
  CDialog unknown(12345);
  EXPECT_EQ(unknown.DoModal(), -1);
  {
    ResourceScope empty({});
    NumbersDialog dialog;
    EXPECT_EQ(dialog.DoModal(), -1);
  }
  BackendScope none(nullptr);
  NumbersDialog dialog;
  EXPECT_EQ(dialog.DoModal(), -1);
}

TEST_F(DialogTest, FocusStartsOnTheFirstTabStopAndEnterPressesTheDefaultButton) {
  NumbersDialog dialog;
  backend.onRun = [](ModalWindow& window) {
    EXPECT_EQ(window.FocusId(), IDOK);
    EXPECT_EQ(window.Title(), "Numbers");
    EXPECT_EQ(window.TemplateId(), kNumbersId);
    ASSERT_TRUE(window.UserPressEnter());
  };
  EXPECT_EQ(dialog.DoModal(), IDOK);
}

TEST_F(DialogTest, EscapeCancels) {
  NumbersDialog dialog;
  backend.onRun = [](ModalWindow& window) {
    window.UserSetText(501, "77");
    window.UserPressEscape();
  };
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_EQ(dialog.frameRate, 24u);
}

TEST_F(DialogTest, EnterPressesTheFocusedButtonInsteadOfTheDefault) {
  OuterDialog dialog;
  backend.onRun = [](ModalWindow& window) {
    window.UserSetFocus(545);
    window.UserPressEnter();
    EXPECT_FALSE(window.IsEnded());
    EXPECT_EQ(window.FindVisibleControl(545)->Text(), "On");
    window.UserPressEscape();
  };
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
}

TEST_F(DialogTest, RefusedFieldLeavesTheDialogOpenWithTheFocusOnIt) {
  NumbersDialog dialog;
  backend.onRun = [&](ModalWindow& window) {
    window.UserSetText(501, "12x");
    window.UserClickButton(IDOK);
    EXPECT_FALSE(window.IsEnded());
    EXPECT_EQ(window.FocusId(), 501);
    const Control* field = window.FindVisibleControl(501);
    EXPECT_EQ(field->SelectionStart(), 0);
    EXPECT_EQ(field->SelectionEnd(), 3);
    window.UserSetText(501, "12");
    window.UserClickButton(IDOK);
  };
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(dialog.frameRate, 12u);
  ASSERT_EQ(backend.messages.size(), 1u);
  EXPECT_EQ(backend.messages[0].text, "Please enter a positive integer.");
  EXPECT_EQ(backend.messages[0].caption, "Quorvel");
  EXPECT_EQ(backend.messages[0].flags, MB_OK | MB_ICONEXCLAMATION);
  EXPECT_EQ(backend.messages[0].owner, &dialog);
}

TEST_F(DialogTest, UpdateDataReportsTheRefusal) {
  NumbersDialog dialog;
  backend.onRun = [&](ModalWindow& window) {
    window.UserSetText(502, "not a number");
    EXPECT_FALSE(dialog.UpdateData(true));
    window.UserSetText(502, "3.5");
    EXPECT_TRUE(dialog.UpdateData(true));
    EXPECT_EQ(dialog.number, 3.5f);
    dialog.EndDialog(IDCANCEL);
  };
  dialog.DoModal();
  EXPECT_FALSE(dialog.UpdateData(true));  // no window any more
}

struct RefusalCase {
  const char* what;
  std::function<InputResult(ModalWindow&)> act;
  std::function<InputResult(const ModalWindow&)> check;  // the same question, not acted on
  const char* reason;
};

TEST_F(DialogTest, UserActionsTheControlsWouldNotAllowAreRefused) {
  const RefusalCase cases[] = {
      {"letter in digits-only edit", [](ModalWindow& w) { return w.UserSetText(504, "12a"); },
       [](const ModalWindow& w) { return w.CheckSetText(504, "12a"); },
       "edit 504 takes digits only, not 'a'"},
      {"read-only edit", [](ModalWindow& w) { return w.UserSetText(505, "x"); },
       [](const ModalWindow& w) { return w.CheckSetText(505, "x"); }, "edit 505 is read-only"},
      {"line break", [](ModalWindow& w) { return w.UserSetText(503, "a\nb"); },
       [](const ModalWindow& w) { return w.CheckSetText(503, "a\nb"); },
       "edit 503 holds a single line; the text has a line break"},
      {"static", [](ModalWindow& w) { return w.UserSetText(506, "x"); },
       [](const ModalWindow& w) { return w.CheckSetText(506, "x"); },
       "static 506 cannot be typed into"},
      {"missing control", [](ModalWindow& w) { return w.UserClickButton(999); },
       [](const ModalWindow& w) { return w.CheckClickButton(999); },
       "there is no control 999 in this window"},
      {"click an edit", [](ModalWindow& w) { return w.UserClickButton(501); },
       [](const ModalWindow& w) { return w.CheckClickButton(501); }, "edit 501 is not a button"},
      {"pick in an edit", [](ModalWindow& w) { return w.UserPickItem(501, 0); },
       [](const ModalWindow& w) { return w.CheckPickItem(501, 0); },
       "edit 501 has no items to pick"},
      {"double-click a button", [](ModalWindow& w) { return w.UserDoubleClickItem(1, 0); },
       [](const ModalWindow& w) { return w.CheckDoubleClickItem(1, 0); },
       "button 1 is not a list view"},
      {"list key on an edit",
       [](ModalWindow& w) { return w.UserPressListKey(501, ListKey::kDown); },
       [](const ModalWindow& w) { return w.CheckPressListKey(501, ListKey::kDown); },
       "edit 501 is not a list view"},
      {"tab on a dialog", [](ModalWindow& w) { return w.UserClickTab(0); },
       [](const ModalWindow& w) { return w.CheckClickTab(0); }, "this window has no tabs"},
      {"page turn on a dialog", [](ModalWindow& w) { return w.UserTurnPage(1); },
       [](const ModalWindow& w) { return w.CheckTurnPage(1); }, "this window has no tabs"},
      {"focus on a missing control", [](ModalWindow& w) { return w.UserSetFocus(999); },
       [](const ModalWindow& w) { return w.CheckSetFocus(999); },
       "there is no control 999 in this window"},
  };
  for (const RefusalCase& c : cases) {
    SCOPED_TRACE(c.what);
    NumbersDialog dialog;
    backend.onRun = [&](ModalWindow& window) {
      const InputResult checked = c.check(window);
      EXPECT_FALSE(checked.accepted);
      EXPECT_EQ(checked.reason, c.reason);
      const InputResult result = c.act(window);
      EXPECT_FALSE(result.accepted);
      EXPECT_EQ(result.reason, c.reason);
      window.UserPressEscape();
    };
    dialog.DoModal();
  }
}

TEST_F(DialogTest, DigitsOnlyEditTakesEveryDigit) {
  NumbersDialog dialog;
  backend.onRun = [&](ModalWindow& window) {
    const InputResult all = window.UserSetText(504, "0123456789");
    EXPECT_TRUE(all.accepted) << all.reason;
    EXPECT_EQ(window.FindVisibleControl(504)->Text(), "0123456789");
    for (char digit = '0'; digit <= '9'; ++digit) {
      EXPECT_TRUE(window.UserSetText(504, std::string(1, digit)).accepted) << digit;
    }
    // The characters on either side of the digits are no digits.
    EXPECT_EQ(window.UserSetText(504, "/").reason, "edit 504 takes digits only, not '/'");
    EXPECT_EQ(window.UserSetText(504, ":").reason, "edit 504 takes digits only, not ':'");
    window.UserPressEscape();
  };
  dialog.DoModal();
}

// Asking changes nothing: the field keeps its text and the list its selection.
TEST_F(DialogTest, ChecksOfAcceptedInputActOnNothing) {
  ListsDialog dialog;
  dialog.items = {"a", "b"};
  backend.onRun = [&](ModalWindow& window) {
    const int focus = window.FocusId();
    EXPECT_TRUE(window.CheckSetText(521, "typed"));
    EXPECT_TRUE(window.CheckPickItem(523, 1));
    EXPECT_TRUE(window.CheckDoubleClickItem(523, 0));
    EXPECT_TRUE(window.CheckPressListKey(523, ListKey::kEnd));
    EXPECT_TRUE(window.CheckClickButton(524));
    EXPECT_TRUE(window.CheckPressKey());
    EXPECT_NE(window.FindVisibleControl(521)->Text(), "typed");
    EXPECT_EQ(window.FindVisibleControl(523)->Selection(), -1);
    EXPECT_EQ(window.FocusId(), focus);
    EXPECT_TRUE(dialog.log.empty());
    window.UserPressEscape();
  };
  dialog.DoModal();
  NumbersDialog closed;
  EXPECT_EQ(closed.CheckSetText(501, "7").reason, "the window is not open");
}

struct ListKeyCase {
  std::vector<ListKey> keys;
  int selected;  // afterwards
};

TEST_F(DialogTest, ListKeysMoveTheSelectionAsClicksWould) {
  using enum ListKey;
  const ListKeyCase cases[] = {
      {{kDown}, 0},       {{kUp}, 0},         {{kDown, kDown}, 1},
      {{kEnd}, 2},        {{kEnd, kDown}, 2}, {{kEnd, kUp}, 1},
      {{kEnd, kHome}, 0}, {{kHome, kUp}, 0},  {{kDown, kDown, kDown, kDown}, 2},
  };
  for (const ListKeyCase& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.keys.size()) + " keys, to " +
                 std::to_string(c.selected));
    ListsDialog dialog;
    dialog.items = {"a", "b", "c"};
    backend.onRun = [&](ModalWindow& window) {
      for (ListKey key : c.keys)
        EXPECT_TRUE(window.UserPressListKey(523, key));
      EXPECT_EQ(window.FindVisibleControl(523)->Selection(), c.selected);
      EXPECT_EQ(window.FocusId(), 523);
      window.UserPressEscape();
    };
    dialog.DoModal();
    // The dialog hears the item selected, as from a click.
    ASSERT_FALSE(dialog.log.empty());
    EXPECT_EQ(dialog.log.back(), "changed " + std::to_string(c.selected));
  }
}

TEST_F(DialogTest, PageTurnsGoRoundTheSheet) {
  FirstPage first;
  SecondPage second;
  CPropertySheet sheet("Quorvel");
  sheet.AddPage(&first);
  sheet.AddPage(&second);
  backend.onRun = [](ModalWindow& window) {
    std::vector<int> active;
    for (int step : {1, 1, -1, -1, 3}) {
      EXPECT_TRUE(window.UserTurnPage(step));
      active.push_back(window.ActiveTab());
    }
    EXPECT_EQ(active, (std::vector<int>{1, 0, 1, 0, 1}));
    EXPECT_EQ(window.CheckClickTab(2).reason, "the sheet has no tab 2 (it has 2)");
    EXPECT_TRUE(window.CheckSetFocus(0));
    window.UserPressEscape();
  };
  EXPECT_EQ(sheet.DoModal(), IDCANCEL);
}

TEST_F(DialogTest, ListActionsOutsideTheItemsAreRefused) {
  ListsDialog dialog;
  dialog.items = {"a", "b"};
  dialog.choices = {"x"};
  backend.onRun = [](ModalWindow& window) {
    EXPECT_EQ(window.UserPickItem(523, 2).reason, "list view 523 has no item 2 (it holds 2)");
    EXPECT_EQ(window.UserPickItem(523, -2).reason, "list view 523 has no item -2 (it holds 2)");
    EXPECT_EQ(window.UserPickItem(521, -1).reason, "combo box 521 has no item -1 (it holds 8)");
    EXPECT_EQ(window.UserSetText(522, "x").reason, "combo box 522 has no field to type into");
    EXPECT_TRUE(window.UserSetText(521, "typed"));
    window.UserPressEscape();
  };
  dialog.DoModal();
}

TEST_F(DialogTest, NestedDialogIsOwnedByTheWindowBelow) {
  OuterDialog outer;
  backend.onRun = [&](ModalWindow& window) {
    if (window.TemplateId() == kOuterId) {
      EXPECT_EQ(window.Owner(), nullptr);
      window.UserClickButton(541);
      window.UserClickButton(IDOK);
      return;
    }
    EXPECT_EQ(window.Owner(), &outer);
    EXPECT_EQ(ModalWindow::ModalStack().size(), 2u);
    window.UserSetText(551, "inner text");
    window.UserPressEnter();
  };
  EXPECT_EQ(outer.DoModal(), IDOK);
  EXPECT_EQ(outer.outcome, "inner text");
  EXPECT_TRUE(ModalWindow::ModalStack().empty());
}

TEST_F(DialogTest, AnErrorInAHandlerTearsEveryWindowDown) {
  OuterDialog outer;
  TemplateSet before = CurrentTemplates();
  backend.onRun = [](ModalWindow& window) {
    if (window.TemplateId() == kOuterId) {
      window.UserClickButton(541);
      ADD_FAILURE() << "the error should have left the handler";
      return;
    }
    throw std::runtime_error("user vanished");
  };
  try {
    ResourceScope inner(TestTemplates());
    outer.DoModal();
    ADD_FAILURE() << "DoModal should have thrown";
  } catch (const std::runtime_error& error) {
    EXPECT_STREQ(error.what(), "user vanished");
  }
  EXPECT_TRUE(ModalWindow::ModalStack().empty());
  EXPECT_FALSE(outer.HasWindow());
  EXPECT_EQ(CurrentTemplates().data(), before.data());
  // The dialog can run again afterwards.
  backend.onRun = [](ModalWindow& window) { window.UserPressEscape(); };
  EXPECT_EQ(outer.DoModal(), IDCANCEL);
}

TEST_F(DialogTest, HandlesDoNothingOnceTheWindowHasClosed) {
  ListsDialog dialog;
  dialog.DoModal();
  CComboBox combo = dialog.GetComboBox(521);
  EXPECT_EQ(combo.GetCount(), CB_ERR);
  EXPECT_EQ(combo.AddString("x"), CB_ERR);
  EXPECT_EQ(combo.GetLBText(0), "");
  CListCtrl list = dialog.GetListCtrl(523);
  EXPECT_EQ(list.InsertItem(0, "x"), -1);
  EXPECT_EQ(list.GetItemCount(), 0);
}

TEST_F(DialogTest, ListSelectionFromCodeNotifiesAsAClickWould) {
  ListsDialog dialog;
  dialog.items = {"a", "b", "c"};
  backend.onRun = [&](ModalWindow& window) {
    CListCtrl list = dialog.GetListCtrl(523);
    EXPECT_TRUE(list.SetSelectedItem(2));
    EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), 2);
    EXPECT_EQ(list.GetNextItem(-1, LVNI_ALL), 0);
    EXPECT_EQ(list.GetItemText(1, 0), "b");
    EXPECT_EQ(list.GetItemText(1, 1), "");
    EXPECT_FALSE(list.SetSelectedItem(3));
    window.UserPressEscape();
  };
  dialog.DoModal();
  EXPECT_EQ(dialog.log, std::vector<std::string>{"changed 2"});
}

TEST_F(DialogTest, DataExchangeWithAMissingControlIsAProgrammingError) {
  class Broken : public CDialog {
   public:
    Broken() : CDialog(kInnerId) {}
    std::string text;
    void DoDataExchange(CDataExchange* pDX) override { DDX_Text(pDX, 999, text); }
  } broken;
  EXPECT_THROW(broken.DoModal(), std::logic_error);
  EXPECT_TRUE(ModalWindow::ModalStack().empty());
}

// Records what a backend would mirror.
class Recorder : public WindowObserver {
 public:
  std::vector<std::string> events;
  void OnControlChanged(const Control& control) override {
    events.push_back("control " + std::to_string(control.Id()));
  }
  void OnFocusChanged(int id) override { events.push_back("focus " + std::to_string(id)); }
  void OnTitleChanged() override { events.push_back("title"); }
  void OnTabsChanged() override { events.push_back("tabs"); }
  void OnActivePageChanged(int index) override {
    events.push_back("page " + std::to_string(index));
  }
  void OnEnded(int result) override { events.push_back("ended " + std::to_string(result)); }
};

TEST_F(DialogTest, ObserverHearsEveryChangeABackendMustMirror) {
  OuterDialog dialog;
  Recorder recorder;
  backend.onRun = [&](ModalWindow& window) {
    window.SetObserver(&recorder);
    window.UserClickButton(545);
    dialog.SetWindowText("Renamed");
    window.UserPressEscape();
  };
  dialog.DoModal();
  EXPECT_EQ(recorder.events,
            (std::vector<std::string>{"focus 545", "control 545", "title", "ended 2"}));
}

TEST_F(DialogTest, SheetObserverHearsPagesAndTabs) {
  FirstPage first;
  SecondPage second;
  CPropertySheet sheet("Quorvel");
  sheet.AddPage(&first);
  sheet.AddPage(&second);
  Recorder recorder;
  backend.onRun = [&](ModalWindow& window) {
    window.SetObserver(&recorder);
    EXPECT_EQ(window.Kind(), WindowKind::kSheet);
    EXPECT_EQ(window.ActivePageTemplate()->id, kFirstPageId);
    window.UserClickTab(1);
    second.SetTitle("Renamed");
    EXPECT_EQ(window.TabCaptions(), (std::vector<std::string>{"First", "Renamed"}));
    std::vector<int> visible;
    for (const Control* control : window.VisibleControls())
      visible.push_back(control->Id());
    EXPECT_EQ(visible, (std::vector<int>{IDOK, IDCANCEL, 571, 572}));
    window.UserPressEnter();
  };
  EXPECT_EQ(sheet.DoModal(), IDOK);
  ASSERT_GE(recorder.events.size(), 3u);
  EXPECT_EQ(recorder.events[0], "focus 0");  // the tab strip takes the focus
  EXPECT_NE(std::find(recorder.events.begin(), recorder.events.end(), "page 1"),
            recorder.events.end());
  EXPECT_NE(std::find(recorder.events.begin(), recorder.events.end(), "tabs"),
            recorder.events.end());
  EXPECT_EQ(recorder.events.back(), "ended 1");
}

TEST_F(DialogTest, SheetStartsOnTheChosenPageAndCreatesOnlyIt) {
  FirstPage first;
  SecondPage second;
  CPropertySheet sheet("Quorvel", nullptr, 1);
  sheet.AddPage(&first);
  sheet.AddPage(&second);
  backend.onRun = [](ModalWindow& window) {
    EXPECT_EQ(window.ActiveTab(), 1);
    window.UserPressEscape();
  };
  EXPECT_EQ(sheet.DoModal(), IDCANCEL);
  EXPECT_EQ(first.initCount, 0);
  EXPECT_EQ(second.initCount, 1);
}

TEST_F(DialogTest, SheetCannotRunWithoutPagesOrTheirTemplates) {
  CPropertySheet empty("Quorvel");
  EXPECT_EQ(empty.DoModal(), -1);
  CPropertySheet sheet("Quorvel");
  CPropertyPage unknown(4242);
  sheet.AddPage(&unknown);
  EXPECT_EQ(sheet.DoModal(), -1);
}

TEST_F(DialogTest, PageTitleIsItsOwnCaptionOrTheTemplates) {
  FirstPage page;
  EXPECT_EQ(page.GetTitle(), "First");
  page.SetTitle("Camera: CAM_Main");
  EXPECT_EQ(page.GetTitle(), "Camera: CAM_Main");
}

TEST_F(DialogTest, PagesAndSheetMayBeDestroyedInEitherOrder) {
  auto page = std::make_unique<FirstPage>();
  auto sheet = std::make_unique<CPropertySheet>("Quorvel");
  sheet->AddPage(page.get());
  sheet->DoModal();
  page.reset();
  sheet.reset();
}

}  // namespace
}  // namespace quorvel::ui::testing
