#include "framework/backends/win32/win32_script_player.h"

#include <exception>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "framework/backends/win32/control_state.h"
#include "framework/backends/win32/win32_window.h"
#include "framework/core/control.h"
#include "framework/core/message_box.h"

#include "framework/backends/win32/system.h"  // last: see system.h

namespace quorvel::ui::win32 {
namespace {

constexpr UINT kPlayMessage = WM_APP + 1;
constexpr const char* kPumpClass = "QuorvelScriptPump";
// The control of a message box that holds its text.
constexpr int kMessageTextId = 0xFFFF;
// The file chooser's file name field: a combo box with a field, or an edit.
constexpr int kFileNameCombo = 0x047C;
constexpr int kFileNameEdit = 0x0480;

void Press(HWND control, POINT point, UINT down, UINT up) {
  const LPARAM at = MAKELPARAM(point.x, point.y);
  SendMessageA(control, down, MK_LBUTTON, at);
  SendMessageA(control, up, 0, at);
}

POINT Centre(const RECT& area) {
  return {(area.left + area.right) / 2, (area.top + area.bottom) / 2};
}

// A left click at the centre of the control, as the mouse sends it.
void ClickControl(HWND control) {
  RECT area{};
  GetClientRect(control, &area);
  Press(control, Centre(area), WM_LBUTTONDOWN, WM_LBUTTONUP);
}

// Types text as keys would into field, its whole text selected first: printable
// ASCII as characters, anything else (a tab, a character beyond ASCII) as an input
// method commits it.
void TypeInto(HWND field, const std::string& text) {
  ClickControl(field);
  SendMessageA(field, EM_SETSEL, 0, -1);
  if (text.empty() && GetWindowTextLengthA(field) > 0)
    SendMessageA(field, WM_CHAR, VK_BACK, 1);
  for (char c : text) {
    const auto code = static_cast<unsigned char>(c);
    if (code >= 0x20 && code < 0x7F) {
      SendMessageA(field, WM_CHAR, code, 1);
    } else {
      const char one[2] = {c, '\0'};
      SendMessageA(field, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(one));
    }
  }
}

// A point of the list view where no item is, or nothing when items cover it all.
std::optional<POINT> EmptySpot(HWND list) {
  RECT area{};
  GetClientRect(list, &area);
  // Items start at the top left: the far corner is the likeliest empty place.
  for (LONG y = area.bottom - 2; y > area.top; y -= 4) {
    for (LONG x = area.right - 2; x > area.left; x -= 4) {
      LVHITTESTINFO hit{};
      hit.pt = {x, y};
      SendMessageA(list, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
      if ((hit.flags & LVHT_ONITEM) == 0)
        return POINT{x, y};
    }
  }
  return std::nullopt;
}

// Where item index of a list view shows, scrolled into view as the user would.
POINT ListItemPoint(HWND list, int index) {
  SendMessageA(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(index), FALSE);
  RECT area{};
  area.left = LVIR_LABEL;
  SendMessageA(list, LVM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&area));
  return Centre(area);
}

bool FolderExists(const std::string& path) {
  const size_t slash = path.find_last_of("\\/");
  if (slash == std::string::npos)
    return true;  // a bare name: the chooser's own folder
  const std::string folder =
      path.substr(0, slash == 0 || path[slash - 1] == ':' ? slash + 1 : slash);
  const DWORD attributes = GetFileAttributesA(folder.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// The push button of dialog with this id (other controls of the chooser may share it).
HWND ButtonOf(HWND dialog, int id) {
  for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    char kind[16] = "";
    GetClassNameA(child, kind, sizeof kind);
    if (GetDlgCtrlID(child) == id && lstrcmpiA(kind, "Button") == 0)
      return child;
  }
  return nullptr;
}

// The field of the chooser's file name: an extended combo box's, a combo box's, or an
// edit.
HWND FileNameField(HWND chooser) {
  if (HWND edit = GetDlgItem(chooser, kFileNameEdit))
    return edit;
  HWND combo = GetDlgItem(chooser, kFileNameCombo);
  if (combo == nullptr)
    return nullptr;
  if (auto edit = reinterpret_cast<HWND>(SendMessageA(combo, CBEM_GETEDITCONTROL, 0, 0)))
    return edit;
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  return GetComboBoxInfo(combo, &info) ? info.hwndItem : nullptr;
}

// While the user's click on the chooser's Open button runs: a message box that the
// chooser opens on its own (a name it does not take, a folder that is not there) is
// heard, its text kept, and answered, so that the click returns and the step can say
// what the chooser said.
class ChooserMessages {
 public:
  explicit ChooserMessages(HWND chooser) : chooser_(chooser), previous_(current) {
    current = this;
    hook_ = SetWindowsHookExA(WH_CBT, &Hear, nullptr, GetCurrentThreadId());
  }
  ~ChooserMessages() {
    if (hook_ != nullptr)
      UnhookWindowsHookEx(hook_);
    current = previous_;
  }
  ChooserMessages(const ChooserMessages&) = delete;
  ChooserMessages& operator=(const ChooserMessages&) = delete;

  // What the chooser said; empty when it said nothing.
  const std::string& Said() const { return said_; }

 private:
  static LRESULT CALLBACK Hear(int code, WPARAM wParam, LPARAM lParam) {
    const auto box = reinterpret_cast<HWND>(wParam);
    // Only a window the chooser owns: closing the chooser activates its own owner.
    if (code == HCBT_ACTIVATE && current != nullptr && current->said_.empty() &&
        GetWindow(box, GW_OWNER) == current->chooser_) {
      HWND text = GetDlgItem(box, kMessageTextId);
      current->said_ = WindowText(text != nullptr ? text : box);
      if (current->said_.empty())
        current->said_ = "a message without text";
      // Heard by the box's own loop once it runs: OK where it has one, else Cancel.
      PostMessageA(box, WM_COMMAND, IDOK, 0);
      PostMessageA(box, WM_COMMAND, IDCANCEL, 0);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }

  static inline thread_local ChooserMessages* current = nullptr;
  HWND chooser_;
  ChooserMessages* previous_;
  HHOOK hook_ = nullptr;
  std::string said_;
};

// One open window as the system shows it; the user's actions as input messages.
class Win32ScriptWindow : public OpenScriptWindow<OpenWindow> {
 public:
  using OpenScriptWindow::OpenScriptWindow;

  const MessageBoxRequest* Message() const override { return open_.message; }
  const FileChooserRequest* File() const override { return open_.file; }
  std::string Title() const override { return WindowText(open_.handle); }
  std::string MessageText() const override;

  std::optional<ControlClass> ControlKind(int id) const override {
    const Control* control = open_.window->ControlOf(id);
    HWND handle = open_.window->ControlHandle(id);
    if (control == nullptr || handle == nullptr ||
        (GetWindowLongA(handle, GWL_STYLE) & WS_VISIBLE) == 0) {
      return std::nullopt;
    }
    return control->Class();
  }
  std::string ControlText(int id) const override { return WindowText(Handle(id)); }
  std::vector<std::string> ControlItems(int id) const override {
    return ShownItems(Kind(id), Handle(id));
  }
  int ControlSelection(int id) const override { return ShownSelection(Kind(id), Handle(id)); }
  std::vector<std::string> TabCaptions() const override;
  int ActiveTab() const override {
    return static_cast<int>(SendMessageA(open_.window->TabControl(), TCM_GETCURSEL, 0, 0));
  }

  InputResult ClickTab(int index) override;
  InputResult Type(int id, const std::string& text) override;
  InputResult Pick(int id, int index) override;
  InputResult DoubleClick(int id, int index) override;
  InputResult Click(int id) override;
  InputResult Answer(int answer) override;
  InputResult Choose(const std::string& path) override;
  InputResult Cancel() override;

 private:
  HWND Handle(int id) const { return open_.window->ControlHandle(id); }
  ControlClass Kind(int id) const { return open_.window->ControlOf(id)->Class(); }
  InputResult Refused(int id, const std::string& what) const {
    return InputResult::Refused(open_.window->ControlOf(id)->Describe() + what);
  }
};

std::string Win32ScriptWindow::MessageText() const {
  if (HWND text = GetDlgItem(open_.handle, kMessageTextId))
    return WindowText(text);
  return {};
}

std::vector<std::string> Win32ScriptWindow::TabCaptions() const {
  HWND tabs = open_.window->TabControl();
  std::vector<std::string> captions;
  const auto count = static_cast<int>(SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    char text[1024] = "";
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(tabs, TCM_GETITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    captions.emplace_back(item.pszText);
  }
  return captions;
}

InputResult Win32ScriptWindow::ClickTab(int index) {
  HWND tabs = open_.window->TabControl();
  const auto count = static_cast<int>(SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0));
  // Scroll the row with its arrows until the whole tab can be seen: each press of
  // an arrow tells the tab control to scroll by one tab.
  for (int guard = 0; guard <= count; ++guard) {
    RECT area{};
    SendMessageA(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&area));
    RECT inside{};
    GetClientRect(tabs, &inside);
    HWND arrows = FindWindowExA(tabs, nullptr, UPDOWN_CLASSA, nullptr);
    LONG visibleRight = inside.right;
    if (arrows != nullptr && IsWindowVisible(arrows)) {
      RECT arrowArea{};
      GetWindowRect(arrows, &arrowArea);
      MapWindowPoints(nullptr, tabs, reinterpret_cast<POINT*>(&arrowArea), 2);
      visibleRight = arrowArea.left;
    }
    // The arrows hold the first tab shown.
    const int first = arrows != nullptr && IsWindowVisible(arrows)
                          ? LOWORD(SendMessageA(arrows, UDM_GETPOS, 0, 0))
                          : 0;
    if (index < first || area.left < 0) {
      SendMessageA(tabs, WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 0),
                   reinterpret_cast<LPARAM>(arrows));
    } else if (area.right > visibleRight && arrows != nullptr) {
      SendMessageA(tabs, WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, count),
                   reinterpret_cast<LPARAM>(arrows));
    } else {
      Press(tabs, Centre(area), WM_LBUTTONDOWN, WM_LBUTTONUP);
      return InputResult::Accepted();
    }
  }
  return InputResult::Refused("the sheet could not scroll tab " + std::to_string(index) +
                              " into view");
}

InputResult Win32ScriptWindow::Type(int id, const std::string& text) {
  HWND handle = Handle(id);
  HWND field = nullptr;
  if (Kind(id) == ControlClass::kEdit) {
    field = handle;
  } else if (Kind(id) == ControlClass::kComboBox) {
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    if (GetComboBoxInfo(handle, &info) && info.hwndItem != handle)
      field = info.hwndItem;
  }
  if (field == nullptr)
    return Refused(id, " shows no field to type into");
  TypeInto(field, text);
  const std::string shown = WindowText(field);
  if (shown == text)
    return InputResult::Accepted();
  return Refused(id, " took the keys as " + QuoteScriptText(shown));
}

InputResult Win32ScriptWindow::Pick(int id, int index) {
  HWND handle = Handle(id);
  if (Kind(id) == ControlClass::kComboBox) {
    SendMessageA(handle, CB_SHOWDROPDOWN, TRUE, 0);
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    if (!SendMessageA(handle, CB_GETDROPPEDSTATE, 0, 0) || !GetComboBoxInfo(handle, &info))
      return Refused(id, " did not drop its list");
    HWND list = info.hwndList;
    RECT inside{};
    GetClientRect(list, &inside);
    RECT item{};
    SendMessageA(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    if (item.top < inside.top || item.bottom > inside.bottom) {
      SendMessageA(list, LB_SETTOPINDEX, static_cast<WPARAM>(index), 0);
      SendMessageA(list, LB_GETITEMRECT, static_cast<WPARAM>(index),
                   reinterpret_cast<LPARAM>(&item));
    }
    Press(list, Centre(item), WM_LBUTTONDOWN, WM_LBUTTONUP);
    if (SendMessageA(handle, CB_GETDROPPEDSTATE, 0, 0)) {
      SendMessageA(handle, CB_SHOWDROPDOWN, FALSE, 0);
      return Refused(id,
                     ": the dropped list did not take the click on item " + std::to_string(index));
    }
    return InputResult::Accepted();
  }
  if (Kind(id) == ControlClass::kListView) {
    const std::optional<POINT> point = index < 0 ? EmptySpot(handle) : ListItemPoint(handle, index);
    if (!point)
      return Refused(id, " has no empty space left to click");
    Press(handle, *point, WM_LBUTTONDOWN, WM_LBUTTONUP);
    return InputResult::Accepted();
  }
  return Refused(id, " shows no items to pick");
}

InputResult Win32ScriptWindow::DoubleClick(int id, int index) {
  HWND handle = Handle(id);
  if (Kind(id) != ControlClass::kListView)
    return Refused(id, " shows no list to click");
  const std::optional<POINT> point = index < 0 ? EmptySpot(handle) : ListItemPoint(handle, index);
  if (!point)
    return Refused(id, " has no empty space left to click");
  // Press and release, then the second press that the system reports as a double
  // click, and its release.
  Press(handle, *point, WM_LBUTTONDOWN, WM_LBUTTONUP);
  if (IsWindow(handle))
    Press(handle, *point, WM_LBUTTONDBLCLK, WM_LBUTTONUP);
  return InputResult::Accepted();
}

InputResult Win32ScriptWindow::Click(int id) {
  HWND button = Handle(id);
  if (Kind(id) != ControlClass::kButton)
    return Refused(id, " shows no button to press");
  if (!IsWindowEnabled(button))
    return Refused(id, " is disabled");
  ClickControl(button);
  return InputResult::Accepted();
}

InputResult Win32ScriptWindow::Answer(int answer) {
  HWND button = GetDlgItem(open_.handle, answer);
  if (button == nullptr) {
    return InputResult::Refused("the message box shows no button " +
                                std::string(AnswerWord(answer)));
  }
  ClickControl(button);
  return InputResult::Accepted();
}

InputResult Win32ScriptWindow::Choose(const std::string& path) {
  HWND field = FileNameField(open_.handle);
  if (field == nullptr)
    return InputResult::Refused("the file chooser has no file name field");
  // The chooser would answer a folder that does not exist with a message of its own.
  if ((open_.file->flags & OFN_PATHMUSTEXIST) != 0 && !FolderExists(path))
    return InputResult::Refused("the file chooser does not take " + QuoteScriptText(path) +
                                ": its folder does not exist");
  HWND open = ButtonOf(open_.handle, IDOK);
  if (open == nullptr)
    return InputResult::Refused("the file chooser has no Open button");
  TypeInto(field, path);
  std::string said;
  {
    const ChooserMessages messages(open_.handle);
    ClickControl(open);
    said = messages.Said();
  }
  if (!said.empty()) {
    return InputResult::Refused("the file chooser did not take " + QuoteScriptText(path) +
                                ": it said " + QuoteScriptText(said));
  }
  if (IsWindowVisible(open_.handle))
    return InputResult::Refused("the file chooser did not take " + QuoteScriptText(path));
  return InputResult::Accepted();
}

InputResult Win32ScriptWindow::Cancel() {
  HWND cancel = ButtonOf(open_.handle, IDCANCEL);
  if (cancel == nullptr)
    return InputResult::Refused("the file chooser has no Cancel button");
  ClickControl(cancel);
  return InputResult::Accepted();
}

LRESULT CALLBACK PumpProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kPlayMessage) {
    if (auto* player = reinterpret_cast<Win32ScriptPlayer*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA)))
      player->PlayNext();
    return 0;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

HWND CreatePump() {
  static const ATOM registered = [] {
    WNDCLASSA kind{};
    kind.lpfnWndProc = &PumpProcedure;
    kind.hInstance = GetModuleHandleA(nullptr);
    kind.lpszClassName = kPumpClass;
    return RegisterClassA(&kind);
  }();
  if (registered == 0)
    return nullptr;
  return CreateWindowExA(0, kPumpClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                         GetModuleHandleA(nullptr), nullptr);
}

}  // namespace

Win32ScriptPlayer::Win32ScriptPlayer(Win32Backend& backend, Script script)
    : backend_(backend), steps_(std::move(script)), pump_(CreatePump()) {
  if (pump_ == nullptr)
    throw std::runtime_error("the script player could not create its message window");
  SetWindowLongPtrA(pump_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  backend_.SetWindowShownHandler([this] {
    if (!steps_.Failed())
      Post();
  });
}

Win32ScriptPlayer::~Win32ScriptPlayer() {
  backend_.SetWindowShownHandler(nullptr);
  DestroyWindow(pump_);
}

void Win32ScriptPlayer::Post() {
  if (posted_)
    return;
  posted_ = true;
  PostMessageA(pump_, kPlayMessage, 0, 0);
}

void Win32ScriptPlayer::PlayNext() {
  posted_ = false;
  if (steps_.Failed() || backend_.IsAborting())
    return;
  const std::vector<OpenWindow>& open = backend_.OpenWindows();
  // With no window open there is nothing to act on; the next window restarts the pump.
  if (open.empty())
    return;
  const OpenWindow top = open.back();
  // A window not created yet, or one whose step is still running (its loop is
  // dispatching while the step waits), takes the step later.
  if (top.handle == nullptr || steps_.Busy(top.handle)) {
    Post();
    return;
  }
  Win32ScriptWindow window(top);
  steps_.PlayOn(
      window, top.handle,
      [&](const Step& step) {
        if (beforeStep_)
          beforeStep_(step, top.handle);
      },
      [&] { Post(); }, [&](std::exception_ptr error) { backend_.Abort(std::move(error)); });
}

}  // namespace quorvel::ui::win32
