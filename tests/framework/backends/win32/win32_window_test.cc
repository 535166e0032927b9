// What is the Win32 backend's own: the windows it builds from the template tables
// (positions in dialog units of the template's font), the sheet's single row of tabs
// and its pages built when first shown, the owners of modal windows, and the file
// chooser on folders of this system.
#include "framework/backends/win32/win32_window.h"

#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "framework/backends/win32/win32_script_player.h"
#include "framework/core/framework.h"
#include "tests/framework/core/test_dialogs.h"

#include "framework/backends/win32/system.h"  // last: see system.h

namespace quorvel::ui::win32 {
namespace {

using ui::testing::FirstPage;
using ui::testing::ListsDialog;
using ui::testing::NumbersDialog;
using ui::testing::OuterDialog;
using ui::testing::SecondPage;
using ui::testing::TestTemplates;

// Plays script on the test templates; inspect runs before each step with the window
// the step acts on. Returns the failure's words, or empty when the whole script played.
std::string Play(const std::string& script, const std::function<void()>& body,
                 const std::function<void(const Step&, const OpenWindow&)>& inspect = {},
                 TemplateSet templates = TestTemplates()) {
  Win32ScriptedBackend backend(ParseScript(script));
  if (inspect) {
    backend.Player().SetBeforeStep(
        [&](const Step& step, WindowHandle) { inspect(step, backend.OpenWindows().back()); });
  }
  ResourceScope resources(templates);
  BackendScope scope(&backend);
  try {
    body();
    backend.CheckFinished();
  } catch (const ScriptFailure& failure) {
    return failure.what();
  }
  return {};
}

RECT ChildRect(HWND child) {
  RECT area{};
  GetWindowRect(child, &area);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&area), 2);
  return area;
}

TEST(Win32WindowTest, ControlsStandWhereTheTemplateSaysInDialogUnitsOfItsFont) {
  for (const DialogTemplate* entry : TestTemplates()) {
    if (entry->id != ui::testing::kNumbersId && entry->id != ui::testing::kListsId)
      continue;
    SCOPED_TRACE("template " + std::to_string(entry->id));
    int checked = 0;
    const auto inspect = [&](const Step&, const OpenWindow& open) {
      HWND dialog = open.handle;
      // The dialog's own font is the template's.
      LOGFONTA font{};
      GetObjectA(reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0)), sizeof font,
                 &font);
      EXPECT_STREQ(font.lfFaceName, "MS Sans Serif");
      RECT client{0, 0, entry->rect.width, entry->rect.height};
      MapDialogRect(dialog, &client);
      RECT shown{};
      GetClientRect(dialog, &shown);
      EXPECT_EQ(shown.right, client.right);
      EXPECT_EQ(shown.bottom, client.bottom);
      for (const ControlTemplate& control : entry->controls) {
        SCOPED_TRACE("control " + std::to_string(control.id));
        HWND child = open.window->ControlHandle(control.id);
        ASSERT_NE(child, nullptr);
        // The system maps a control's position and its size each on its own, and adds
        // them: mapping the right edge as one value may round differently.
        RECT position{control.rect.x, control.rect.y, control.rect.width, control.rect.height};
        MapDialogRect(dialog, &position);
        const RECT expected{position.left, position.top, position.left + position.right,
                            position.top + position.bottom};
        const RECT area = ChildRect(child);
        EXPECT_EQ(area.left, expected.left);
        EXPECT_EQ(area.top, expected.top);
        EXPECT_EQ(area.right, expected.right);
        // A combo box is as tall as its field; its template height includes the list.
        if (control.controlClass != ControlClass::kComboBox) {
          EXPECT_EQ(area.bottom, expected.bottom);
        }
        ++checked;
      }
    };
    if (entry->id == ui::testing::kNumbersId) {
      NumbersDialog dialog;
      EXPECT_EQ(Play(
                    "click 2\n", [&] { dialog.DoModal(); }, inspect),
                "");
    } else {
      ListsDialog dialog;
      EXPECT_EQ(Play(
                    "click 2\n", [&] { dialog.DoModal(); }, inspect),
                "");
    }
    EXPECT_EQ(checked, static_cast<int>(entry->controls.size()));
  }
}

// The focus moved onto a button by the system (the Tab key, a press released
// elsewhere) is the framework's focus too, as on an edit; and the second click of a
// quick pair, which such a button reports as a double click, presses it again.
TEST(Win32WindowTest, AButtonTellsTheFrameworkOfItsFocusAndOfEachClick) {
  NumbersDialog dialog;
  int step = 0;
  int focusSeen = -1;
  const auto inspect = [&](const Step&, const OpenWindow& open) {
    if (step == 0) {
      EXPECT_NE(open.window->Model().FocusId(), IDCANCEL);
      SetFocus(open.window->ControlHandle(IDCANCEL));
    } else if (step == 1) {
      focusSeen = open.window->Model().FocusId();
    }
    ++step;
  };
  EXPECT_EQ(Play(
                "expect-title Numbers\nexpect-title Numbers\nclick 2\n", [&] { dialog.DoModal(); },
                inspect),
            "");
  EXPECT_EQ(focusSeen, IDCANCEL);

  // Two quick clicks on Refill, the list's items changed between them: the second
  // refills the list too.
  ListsDialog lists;
  lists.items = {"a"};
  bool clicked = false;
  const auto clickTwice = [&](const Step&, const OpenWindow& open) {
    if (clicked)
      return;
    clicked = true;
    HWND refill = open.window->ControlHandle(524);
    SendMessageA(refill, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(refill, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    lists.items = {"b", "c"};
    SendMessageA(refill, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(refill, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  };
  EXPECT_EQ(Play(
                "expect-title Lists\nexpect-items 523 [\"b\",\"c\"]\nclick 2\n",
                [&] { lists.DoModal(); }, clickTwice),
            "");
}

// An item of a list view shows its whole text, however long: the list's items are
// as wide as the widest of them, and the list scrolls sideways to it.
TEST(Win32WindowTest, ListItemsShowTheirWholeText) {
  ListsDialog lists;
  lists.items = {"0|fadeSet|1", "150|cameraCut|\"CAM_Main_with_a_long_name\"",
                 "300|soundEvent|\"explosions\\big_explosion_far_away.wav\""};
  std::vector<std::string> cut;
  const auto inspect = [&](const Step&, const OpenWindow& open) {
    HWND list = open.window->ControlHandle(523);
    for (int i = 0; i < static_cast<int>(lists.items.size()); ++i) {
      const std::string& text = lists.items[static_cast<std::size_t>(i)];
      RECT label{};
      label.left = LVIR_LABEL;
      SendMessageA(list, LVM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&label));
      const auto needed = static_cast<LONG>(
          SendMessageA(list, LVM_GETSTRINGWIDTHA, 0, reinterpret_cast<LPARAM>(text.c_str())));
      if (label.right - label.left < needed)
        cut.push_back(text + ": " + std::to_string(label.right - label.left) + " < " +
                      std::to_string(needed));
    }
  };
  EXPECT_EQ(Play(
                "expect-title Lists\nclick 2\n", [&] { lists.DoModal(); }, inspect),
            "");
  EXPECT_TRUE(cut.empty()) << ::testing::PrintToString(cut);
}

// Enough pages with long captions that their tabs cannot all be seen at once.
struct ManyPages {
  FirstPage first;
  std::vector<std::unique_ptr<SecondPage>> others;
  CPropertySheet sheet{"Quorvel", nullptr, 0};
  explicit ManyPages(int count) {
    sheet.AddPage(&first);
    for (int i = 1; i < count; ++i) {
      others.push_back(std::make_unique<SecondPage>());
      others.back()->SetTitle("Actor: Fighter" + std::to_string(i) + "_with_a_long_name");
      sheet.AddPage(others.back().get());
    }
    sheet.EnableStackedTabs(false);
  }
};

TEST(Win32WindowTest, SheetShowsOneRowOfTabsThatScrollsToTheTabClicked) {
  ManyPages pages(12);
  std::vector<int> builtBefore;
  const auto inspect = [&](const Step& step, const OpenWindow& open) {
    HWND tabs = open.window->TabControl();
    ASSERT_NE(tabs, nullptr);
    EXPECT_EQ(GetWindowLongA(tabs, GWL_STYLE) & TCS_MULTILINE, 0);
    EXPECT_EQ(SendMessageA(tabs, TCM_GETROWCOUNT, 0, 0), 1);
    if (step.kind == StepKind::kTab) {
      // Arrows to scroll the row, since the last tab lies beyond the right edge.
      HWND arrows = FindWindowExA(tabs, nullptr, UPDOWN_CLASSA, nullptr);
      ASSERT_NE(arrows, nullptr);
      EXPECT_TRUE(IsWindowVisible(arrows));
      int built = 0;
      for (WindowHandle page : open.window->Pages())
        built += page != nullptr ? 1 : 0;
      builtBefore.push_back(built);
    }
  };
  EXPECT_EQ(Play(
                "tab 11\nexpect-active 11\nexpect 572 \"\"\ntab 5\nexpect-active 5\n"
                "tab 0\nexpect 561 24\nclick 1\n",
                [&] { EXPECT_EQ(pages.sheet.DoModal(), IDOK); }, inspect),
            "");
  // Pages are built when first shown: the first at once, then one for each new tab.
  EXPECT_EQ(builtBefore, (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(pages.others[10]->initCount, 1);
  EXPECT_EQ(pages.others[0]->initCount, 0);
}

// Ctrl+Tab, Ctrl+Shift+Tab, Ctrl+Page Down and Ctrl+Page Up, pressed in a page's
// field, turn the pages round.
TEST(Win32WindowTest, SheetTurnsPagesWithCtrlTabAndCtrlPageKeys) {
  struct Press {
    WPARAM key;
    bool shift;
  };
  const Press presses[] = {
      {VK_TAB, false}, {VK_TAB, false}, {VK_TAB, true}, {VK_PRIOR, false}, {VK_NEXT, false}};
  ManyPages pages(3);
  size_t next = 0;
  const auto press = [&](const Step& step, const OpenWindow& open) {
    if (step.kind != StepKind::kExpectActive || next >= std::size(presses))
      return;
    // The keys as the keyboard leaves them while the key comes down in the field.
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    keys[VK_SHIFT] = presses[next].shift ? 0x80 : 0;
    SetKeyboardState(keys);
    HWND field = open.window->ControlHandle(open.window->Model().ActiveTab() == 0 ? 561 : 572);
    PostMessageA(field, WM_KEYDOWN, presses[next].key, 1);
    ++next;
  };
  const std::string script =
      "expect-active 0\nexpect-active 1\nexpect-active 2\nexpect-active 1\n"
      "expect-active 0\nexpect-active 1\nclick 2\n";
  EXPECT_EQ(Play(
                script, [&] { pages.sheet.DoModal(); }, press),
            "");
  BYTE keys[256] = {};
  GetKeyboardState(keys);
  keys[VK_CONTROL] = keys[VK_SHIFT] = 0;
  SetKeyboardState(keys);
}

TEST(Win32WindowTest, ModalWindowsAreOwnedByTheActiveWindowAndThenByTheOneInFront) {
  // A host's main window, active when the dialogs open.
  HWND host = CreateWindowExA(0, "STATIC", "Host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200,
                              nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(host, nullptr);
  SetActiveWindow(host);
  std::vector<HWND> owners;
  std::vector<bool> hostEnabled;
  const auto inspect = [&](const Step&, const OpenWindow& open) {
    owners.push_back(GetWindow(open.handle, GW_OWNER));
    hostEnabled.push_back(IsWindowEnabled(host) != FALSE);
  };
  OuterDialog dialog;
  std::vector<HWND> dialogs;
  const auto remember = [&](const Step& step, const OpenWindow& open) {
    inspect(step, open);
    dialogs.push_back(open.handle);
  };
  EXPECT_EQ(Play(
                "click 541\nwindow 550\nclick 2\nwindow 540\nclick 543\nwindow message\n"
                "answer no\nclick 2\n",
                [&] { dialog.DoModal(); }, remember),
            "");
  ASSERT_EQ(owners.size(), 8u);
  EXPECT_EQ(owners[0], host);        // the outer dialog, over the host
  EXPECT_EQ(owners[1], dialogs[0]);  // the inner one, over the outer
  EXPECT_EQ(owners[5], dialogs[0]);  // the message box, over the outer
  for (bool enabled : hostEnabled)
    EXPECT_FALSE(enabled) << "the host waits while a modal window runs";
  EXPECT_TRUE(IsWindowEnabled(host));
  DestroyWindow(host);
}

// Fields that do not scroll sideways: an edit and the field of a combo box.
constexpr ControlTemplate kNarrowControls[] = {
    {IDOK, ControlClass::kButton, "OK", {100, 5, 50, 14}, BS_DEFPUSHBUTTON | WS_TABSTOP},
    {IDCANCEL, ControlClass::kButton, "Cancel", {100, 22, 50, 14}, WS_TABSTOP},
    {601, ControlClass::kEdit, "", {5, 5, 60, 12}, WS_BORDER | WS_TABSTOP},
    {602, ControlClass::kComboBox, "", {5, 22, 70, 40}, CBS_DROPDOWN | WS_TABSTOP},
};
constexpr DialogTemplate kNarrow{
    600, "Narrow", {0, 0, 155, 45}, kModalDialogStyle, kDialogFont, kNarrowControls, {}};
constexpr const DialogTemplate* kNarrowSet[] = {&kNarrow};

class NarrowDialog : public CDialog {
 public:
  NarrowDialog() : CDialog(600) {}
};

TEST(Win32WindowTest, FieldThatDoesNotScrollTakesWhatTheSystemsFieldTakes) {
  const std::string text = "a text far longer than either field has room for, WWWW";
  for (int id : {601, 602}) {
    SCOPED_TRACE("field " + std::to_string(id));
    size_t fits = 0;
    const auto measure = [&](const Step&, const OpenWindow& open) {
      fits = CurrentBackend()->FittingLength(*open.window->ControlOf(id), text);
    };
    NarrowDialog measured;
    EXPECT_EQ(Play(
                  "click 2\n", [&] { measured.DoModal(); }, measure, kNarrowSet),
              "");
    ASSERT_GT(fits, 3u);
    ASSERT_LT(fits, text.size());

    // What fits, the system's field takes key by key; one key more it stops.
    const std::string field = std::to_string(id);
    const std::string kept = QuoteScriptText(text.substr(0, fits));
    NarrowDialog typed;
    EXPECT_EQ(Play(
                  "set " + field + " " + kept + "\nexpect " + field + " " + kept + "\nclick 2\n",
                  [&] { typed.DoModal(); }, {}, kNarrowSet),
              "");
    std::string stopped;
    const auto typeOneMore = [&](const Step& step, const OpenWindow& open) {
      if (step.kind != StepKind::kClick)
        return;
      HWND handle = open.window->ControlHandle(id);
      if (id == 602) {
        COMBOBOXINFO info{};
        info.cbSize = sizeof info;
        ASSERT_TRUE(GetComboBoxInfo(handle, &info));
        handle = info.hwndItem;
      }
      SendMessageA(handle, EM_SETSEL, fits, fits);
      SendMessageA(handle, WM_CHAR, static_cast<unsigned char>(text[fits]), 1);
      char shown[256] = "";
      GetWindowTextA(handle, shown, sizeof shown);
      stopped = shown;
    };
    NarrowDialog full;
    EXPECT_EQ(Play(
                  "set " + field + " " + kept + "\nclick 2\n", [&] { full.DoModal(); }, typeOneMore,
                  kNarrowSet),
              "");
    EXPECT_EQ(stopped, text.substr(0, fits));

    // A script that types more is refused by the framework with what the field kept.
    NarrowDialog refused;
    const std::string failure = Play(
        "set " + field + " " + QuoteScriptText(text) + "\n", [&] { refused.DoModal(); }, {},
        kNarrowSet);
    EXPECT_NE(failure.find("took the keys as " + kept), std::string::npos) << failure;
  }
}

// A folder of this system, made for the test and removed after it.
class TemporaryFolder {
 public:
  TemporaryFolder()
      : path_(std::filesystem::temp_directory_path() /
              ("quorvel-win32-" + std::to_string(std::random_device{}()))) {
    std::filesystem::create_directories(path_ / "data" / "sound");
  }
  ~TemporaryFolder() { std::filesystem::remove_all(path_); }
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

TEST(Win32WindowTest, FileChooserStartsInTheFolderAskedAndReturnsTheFileTyped) {
  TemporaryFolder folder;
  const std::string start = (folder.Path() / "data" / "sound").string() + "\\";
  const std::string chosen = (folder.Path() / "data" / "sound" / "big.wav").string();
  std::string shownFolder;
  const auto inspect = [&](const Step& step, const OpenWindow& open) {
    if (step.kind == StepKind::kChoose) {
      char current[MAX_PATH] = "";
      SendMessageA(open.handle, CDM_GETFOLDERPATH, sizeof current,
                   reinterpret_cast<LPARAM>(current));
      shownFolder = current;
    }
  };
  OuterDialog dialog;
  dialog.folder = start;
  EXPECT_EQ(Play(
                "click 544\nwindow file\nexpect-title Open\nexpect-folder " +
                    QuoteScriptText(start) + "\nchoose " + QuoteScriptText(chosen) +
                    "\nwindow 540\nexpect 542 " + QuoteScriptText(chosen) + "\nclick 1\n",
                [&] { dialog.DoModal(); }, inspect),
            "");
  EXPECT_EQ(dialog.outcome, chosen);
  EXPECT_EQ(shownFolder + "\\", start);

  // A file in a folder that does not exist is not taken: the chooser stays open.
  OuterDialog missing;
  missing.folder = start;
  const std::string failure = Play(
      "click 544\nchoose " + QuoteScriptText((folder.Path() / "none" / "x.wav").string()) + "\n",
      [&] { missing.DoModal(); });
  EXPECT_NE(failure.find("its folder does not exist"), std::string::npos) << failure;

  // A name the chooser refuses with a message of its own: the message is answered and
  // named, and the script fails there instead of waiting for ever.
  OuterDialog refused;
  refused.folder = start;
  const std::string said =
      Play("click 544\nchoose " + QuoteScriptText((folder.Path() / "a|b.wav").string()) + "\n",
           [&] { refused.DoModal(); });
  EXPECT_NE(said.find("did not take"), std::string::npos) << said;
  EXPECT_NE(said.find("it said"), std::string::npos) << said;
  EXPECT_TRUE(ModalWindow::ModalStack().empty());
}

}  // namespace
}  // namespace quorvel::ui::win32
