#include "framework/backends/win32/win32_window.h"

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "framework/backends/win32/control_state.h"
#include "framework/backends/win32/in_memory_template.h"
#include "framework/backends/win32/win32_backend.h"
#include "framework/core/control.h"
#include "framework/core/sheet_page_area.h"

#include "framework/backends/win32/system.h"  // last: see system.h

namespace quorvel::ui::win32 {
namespace {

// The sheet's layout, in dialog units: the margin around everything, the gap
// between the tabs and the buttons and between the buttons, a button's size.
constexpr int kSheetMargin = 7;
constexpr int kButtonGap = 4;
constexpr int kButtonWidth = 50;
constexpr int kButtonHeight = 14;

HINSTANCE Instance() {
  return GetModuleHandleA(nullptr);
}

std::string SystemError(const std::string& what) {
  return what + " (system error " + std::to_string(GetLastError()) + ")";
}

// The sheet's own window: the tab control, then its OK and Cancel. The layout
// follows once the tabs are there (LayOutSheet).
InMemoryTemplate SheetFrame(const ModalWindow& sheet) {
  std::vector<TemplateItem> items;
  TemplateItem tabs;
  tabs.id = kSheetTabId;
  tabs.className = kTabControlClass;
  tabs.rect = {kSheetMargin, kSheetMargin, 100, 50};
  tabs.style = kChildStyles | WS_TABSTOP | WS_CLIPSIBLINGS;
  items.push_back(tabs);
  for (const auto& control : sheet.Controls())
    items.push_back(ItemFor(control->Template()));
  return InMemoryTemplate({"", {0, 0, 200, 100}, kModalDialogStyle | WS_VISIBLE, 0, kDialogFont},
                          items);
}

int HitListItem(HWND list, int x, int y) {
  LVHITTESTINFO hit{};
  hit.pt = {x, y};
  const auto index =
      static_cast<int>(SendMessageA(list, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
  return (hit.flags & LVHT_ONITEM) != 0 ? index : -1;
}

std::optional<ListKey> ListKeyOf(WPARAM key) {
  switch (key) {
    case VK_UP:
      return ListKey::kUp;
    case VK_DOWN:
      return ListKey::kDown;
    case VK_HOME:
      return ListKey::kHome;
    case VK_END:
      return ListKey::kEnd;
    default:
      return std::nullopt;
  }
}

}  // namespace

// The system's calls into a window: the dialog procedures of the window and of its
// pages, and the subclass procedures of the controls whose input the framework
// decides (the list views and the sheet's tabs).
class WindowProcedures {
 public:
  static INT_PTR CALLBACK Frame(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
      auto* window = reinterpret_cast<Win32Window*>(lParam);
      SetWindowLongPtrA(hwnd, DWLP_USER, lParam);
      window->backend_.Guard([&] { window->Created(hwnd); });
      return FALSE;  // the framework places the focus
    }
    auto* window = reinterpret_cast<Win32Window*>(GetWindowLongPtrA(hwnd, DWLP_USER));
    if (window == nullptr)
      return FALSE;
    if (message == WM_DESTROY) {
      window->Destroyed();
      return FALSE;
    }
    return Common(*window, hwnd, message, wParam, lParam);
  }

  static INT_PTR CALLBACK Page(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
      SetWindowLongPtrA(hwnd, DWLP_USER, lParam);
      return FALSE;
    }
    auto* window = reinterpret_cast<Win32Window*>(GetWindowLongPtrA(hwnd, DWLP_USER));
    return window != nullptr ? Common(*window, hwnd, message, wParam, lParam) : FALSE;
  }

  static LRESULT CALLBACK List(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                               DWORD_PTR data) {
    auto& window = *reinterpret_cast<Win32Window*>(data);
    const Win32Window::Bound* bound = window.FindBound(hwnd);
    switch (message) {
      case WM_LBUTTONDOWN:
      case WM_LBUTTONDBLCLK:
        if (bound != nullptr) {
          window.ListInput(*bound, message, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        }
        return 0;
      // Dragging, the right button and the release select nothing: the framework only
      // hears clicks.
      case WM_LBUTTONUP:
      case WM_MOUSEMOVE:
      case WM_RBUTTONDOWN:
      case WM_RBUTTONUP:
        return 0;
      case WM_KEYDOWN:
        if (bound != nullptr)
          return ListKeyDown(window, *bound, hwnd, message, wParam, lParam);
        break;
      case WM_NCDESTROY:
        RemoveWindowSubclass(hwnd, &List, 0);
        break;
      default:
        break;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
  }

  static LRESULT CALLBACK Tabs(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                               DWORD_PTR data) {
    auto& window = *reinterpret_cast<Win32Window*>(data);
    switch (message) {
      case WM_LBUTTONDOWN:
        window.TabClicked(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
      case WM_KEYDOWN:
        if (wParam == VK_LEFT || wParam == VK_RIGHT) {
          window.TabKey(static_cast<unsigned>(wParam));
          return 0;
        }
        break;
      case WM_NCDESTROY:
        RemoveWindowSubclass(hwnd, &Tabs, 0);
        break;
      default:
        break;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
  }

  // While a sheet runs: Ctrl+Tab and Ctrl+Page Down turn to the next page, with
  // Shift or Page Up to the previous one, wherever the focus stands in the sheet. The
  // dialog manager's loop hands each message to the thread's message filter first.
  class PageKeys {
   public:
    explicit PageKeys(Win32Window* sheet) : sheet_(sheet), previous_(current) {
      current = this;
      if (sheet_ != nullptr)
        hook_ = SetWindowsHookExA(WH_MSGFILTER, &Filter, nullptr, GetCurrentThreadId());
    }
    ~PageKeys() {
      if (hook_ != nullptr)
        UnhookWindowsHookEx(hook_);
      current = previous_;
    }
    PageKeys(const PageKeys&) = delete;
    PageKeys& operator=(const PageKeys&) = delete;

   private:
    static int Step(WPARAM key) {
      if (GetKeyState(VK_CONTROL) >= 0)
        return 0;
      switch (key) {
        case VK_TAB:
          return GetKeyState(VK_SHIFT) < 0 ? -1 : 1;
        case VK_NEXT:
          return 1;
        case VK_PRIOR:
          return -1;
        default:
          return 0;
      }
    }

    static LRESULT CALLBACK Filter(int code, WPARAM wParam, LPARAM lParam) {
      const auto* message = reinterpret_cast<const MSG*>(lParam);
      Win32Window* sheet = current != nullptr ? current->sheet_ : nullptr;
      if (code == MSGF_DIALOGBOX && sheet != nullptr && sheet->handle_ != nullptr &&
          message->message == WM_KEYDOWN &&
          (message->hwnd == sheet->handle_ || IsChild(sheet->handle_, message->hwnd))) {
        if (const int step = Step(message->wParam); step != 0) {
          sheet->Report([&] { return sheet->model_.UserTurnPage(step); });
          return TRUE;
        }
      }
      return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    static inline thread_local PageKeys* current = nullptr;
    Win32Window* sheet_;
    PageKeys* previous_;
    HHOOK hook_ = nullptr;
  };

 private:
  static INT_PTR Common(Win32Window& window, HWND hwnd, UINT message, WPARAM wParam,
                        LPARAM lParam) {
    switch (message) {
      case WM_COMMAND:
        window.backend_.Guard([&] {
          window.Command(reinterpret_cast<HWND>(lParam), LOWORD(wParam), HIWORD(wParam));
        });
        return TRUE;
      case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->code == TCN_SELCHANGING) {
          // The framework changes pages; the tab control only shows it.
          SetWindowLongPtrA(hwnd, DWLP_MSGRESULT, TRUE);
          return TRUE;
        }
        if (header->code == static_cast<UINT>(NM_SETFOCUS) && window.mirroring_ == 0) {
          if (const Win32Window::Bound* bound = window.FindBound(header->hwndFrom)) {
            const int id = bound->control->Id();
            window.Report([&] {
              return window.model_.FocusId() == id ? InputResult::Accepted()
                                                   : window.model_.UserSetFocus(id);
            });
          }
        }
        return FALSE;
      }
      default:
        return FALSE;
    }
  }

  // The four keys that move the selection are the framework's; any other key the
  // list view handles, and an item it selects is reported as the user's pick.
  static LRESULT ListKeyDown(Win32Window& window, const Win32Window::Bound& bound, HWND hwnd,
                             UINT message, WPARAM wParam, LPARAM lParam) {
    if (const std::optional<ListKey> key = ListKeyOf(wParam)) {
      const int id = bound.control->Id();
      window.Report([&] { return window.model_.UserPressListKey(id, *key); });
      return 0;
    }
    const int before = ShownSelection(ControlClass::kListView, hwnd);
    const LRESULT result = DefSubclassProc(hwnd, message, wParam, lParam);
    const int after = ShownSelection(ControlClass::kListView, hwnd);
    if (after != before) {
      const int id = bound.control->Id();
      window.Report([&] { return window.model_.UserPickItem(id, after); });
      window.backend_.Guard([&] { window.MirrorAll(); });
    }
    return result;
  }
};

Win32Window::Win32Window(ModalWindow& model, Win32Backend& backend, WindowHandle owner)
    : model_(model), backend_(backend), owner_(owner) {}

Win32Window::~Win32Window() {
  if (model_.Observer() == this)
    model_.SetObserver(previous_);
}

void Win32Window::Run() {
  if (model_.Kind() != WindowKind::kSheet && model_.Template() == nullptr)
    throw std::runtime_error("dialog " + std::to_string(model_.TemplateId()) + " has no template");
  const InMemoryTemplate bytes = model_.Kind() == WindowKind::kSheet
                                     ? SheetFrame(model_)
                                     : DialogFromTemplate(*model_.Template());
  // A nested dialog's loop runs without the sheet's keys.
  const WindowProcedures::PageKeys keys(model_.Kind() == WindowKind::kSheet ? this : nullptr);
  const INT_PTR result =
      DialogBoxIndirectParamA(Instance(), static_cast<LPCDLGTEMPLATEA>(bytes.Data()), owner_,
                              &WindowProcedures::Frame, reinterpret_cast<LPARAM>(this));
  if (result == -1 && !abandoned_ && !model_.IsEnded()) {
    const std::string name = model_.Kind() == WindowKind::kSheet
                                 ? std::string("the property sheet")
                                 : "dialog " + std::to_string(model_.TemplateId());
    throw std::runtime_error(SystemError("the system could not show " + name));
  }
}

void Win32Window::Abandon() {
  abandoned_ = true;
  if (handle_ != nullptr)
    EndDialog(handle_, IDCANCEL);
}

void Win32Window::Created(WindowHandle handle) {
  handle_ = handle;
  SetWindowTextA(handle_, model_.Title().c_str());
  if (model_.Kind() == WindowKind::kSheet) {
    BuildSheet();
  } else {
    own_ = BindChildren(handle_, model_.VisibleControls());
  }
  previous_ = model_.Observer();
  model_.SetObserver(this);
  MirrorAll();
  ApplyFocus(model_.FocusId());
  backend_.Created(handle_);
  if (abandoned_ || model_.IsEnded())
    EndDialog(handle_, model_.IsEnded() ? model_.Result() : IDCANCEL);
}

void Win32Window::Destroyed() {
  if (model_.Observer() == this)
    model_.SetObserver(previous_);
  handle_ = nullptr;
  tabs_ = nullptr;
  own_.clear();
  pages_.clear();
  pageBound_.clear();
  activePage_ = -1;
}

std::vector<Win32Window::Bound> Win32Window::BindChildren(WindowHandle parent,
                                                          const std::vector<Control*>& controls) {
  // A dialog's children stand in template order.
  std::vector<Bound> bound;
  HWND child = GetWindow(parent, GW_CHILD);
  for (Control* control : controls) {
    if (child == nullptr)
      break;
    bound.push_back({control, child});
    if (control->IsListView())
      SetWindowSubclass(child, &WindowProcedures::List, 0, reinterpret_cast<DWORD_PTR>(this));
    child = GetWindow(child, GW_HWNDNEXT);
  }
  return bound;
}

void Win32Window::BuildSheet() {
  tabs_ = GetDlgItem(handle_, kSheetTabId);
  SetWindowSubclass(tabs_, &WindowProcedures::Tabs, 0, reinterpret_cast<DWORD_PTR>(this));
  for (const auto& control : model_.Controls())
    own_.push_back({control.get(), GetDlgItem(handle_, control->Id())});
  const int count = static_cast<int>(model_.TabCaptions().size());
  pages_.assign(static_cast<size_t>(count), nullptr);
  pageBound_.assign(static_cast<size_t>(count), {});
  MirrorTabs();
  LayOutSheet();
  ShowPage(model_.ActiveTab());
}

void Win32Window::LayOutSheet() {
  RECT spacing{kSheetMargin, kSheetMargin, kButtonGap, kButtonGap};
  MapDialogRect(handle_, &spacing);
  RECT button{0, 0, kButtonWidth, kButtonHeight};
  MapDialogRect(handle_, &button);
  // The page area is as large as the largest page, so that the sheet keeps its size
  // whichever page is active.
  const DialogRect area = SheetPageArea(model_);
  RECT page{0, 0, area.width, area.height};
  MapDialogRect(handle_, &page);

  // The tab control around that area, its top left corner at the margin.
  RECT tabs = page;
  SendMessageA(tabs_, TCM_ADJUSTRECT, TRUE, reinterpret_cast<LPARAM>(&tabs));
  const int dx = spacing.left - tabs.left;
  const int dy = spacing.top - tabs.top;
  OffsetRect(&tabs, dx, dy);
  pageLeft_ = page.left + dx;
  pageTop_ = page.top + dy;
  SetWindowPos(tabs_, nullptr, tabs.left, tabs.top, tabs.right - tabs.left, tabs.bottom - tabs.top,
               SWP_NOZORDER | SWP_NOACTIVATE);

  // OK and Cancel, right-aligned under the tabs.
  const int width = button.right;
  const int height = button.bottom;
  const int top = tabs.bottom + spacing.bottom;
  int right = tabs.right;
  for (auto it = own_.rbegin(); it != own_.rend(); ++it) {
    SetWindowPos(it->handle, nullptr, right - width, top, width, height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    right -= width + spacing.right;
  }
  RECT frame{0, 0, tabs.right + spacing.left, top + height + spacing.top};
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongA(handle_, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongA(handle_, GWL_EXSTYLE)));
  SetWindowPos(handle_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Window::MirrorTabs() {
  if (tabs_ == nullptr)
    return;
  ++mirroring_;
  SendMessageA(tabs_, TCM_DELETEALLITEMS, 0, 0);
  int index = 0;
  for (const std::string& caption : model_.TabCaptions()) {
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>(caption.c_str());
    SendMessageA(tabs_, TCM_INSERTITEMA, static_cast<WPARAM>(index++),
                 reinterpret_cast<LPARAM>(&item));
  }
  SendMessageA(tabs_, TCM_SETCURSEL, static_cast<WPARAM>(model_.ActiveTab()), 0);
  --mirroring_;
}

void Win32Window::ShowPage(int index) {
  if (handle_ == nullptr || index < 0)
    return;
  if (static_cast<size_t>(index) >= pages_.size()) {
    pages_.resize(static_cast<size_t>(index) + 1, nullptr);
    pageBound_.resize(static_cast<size_t>(index) + 1);
  }
  if (pages_[static_cast<size_t>(index)] == nullptr) {
    const DialogTemplate* entry = model_.ActivePageTemplate();
    if (entry == nullptr)
      return;
    const InMemoryTemplate bytes = PageFromTemplate(*entry);
    HWND page =
        CreateDialogIndirectParamA(Instance(), static_cast<LPCDLGTEMPLATEA>(bytes.Data()), handle_,
                                   &WindowProcedures::Page, reinterpret_cast<LPARAM>(this));
    if (page == nullptr)
      throw std::runtime_error(
          SystemError("the system could not show page " + std::to_string(index)));
    // After the tabs in the order of the keyboard, over them on the screen.
    SetWindowPos(page, tabs_, pageLeft_, pageTop_, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
    std::vector<Control*> controls;
    const auto& own = model_.Controls();
    for (Control* control : model_.VisibleControls()) {
      bool isOwn = false;
      for (const auto& mine : own)
        isOwn = isOwn || mine.get() == control;
      if (!isOwn)
        controls.push_back(control);
    }
    pages_[static_cast<size_t>(index)] = page;
    pageBound_[static_cast<size_t>(index)] = BindChildren(page, controls);
  }
  for (size_t i = 0; i < pages_.size(); ++i) {
    if (pages_[i] != nullptr && static_cast<int>(i) != index)
      ShowWindow(pages_[i], SW_HIDE);
  }
  ShowWindow(pages_[static_cast<size_t>(index)], SW_SHOW);
  activePage_ = index;
  ++mirroring_;
  SendMessageA(tabs_, TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
  --mirroring_;
  MirrorAll();
  ApplyFocus(model_.FocusId());
}

void Win32Window::MirrorAll() {
  ++mirroring_;
  for (const Bound& bound : own_)
    MirrorControl(*bound.control, bound.handle);
  if (activePage_ >= 0 && static_cast<size_t>(activePage_) < pageBound_.size()) {
    for (const Bound& bound : pageBound_[static_cast<size_t>(activePage_)])
      MirrorControl(*bound.control, bound.handle);
  }
  --mirroring_;
  if (tabs_ != nullptr && SendMessageA(tabs_, TCM_GETCURSEL, 0, 0) != model_.ActiveTab()) {
    ++mirroring_;
    SendMessageA(tabs_, TCM_SETCURSEL, static_cast<WPARAM>(model_.ActiveTab()), 0);
    --mirroring_;
  }
}

void Win32Window::ApplyFocus(int id) {
  HWND target = id == 0 ? tabs_ : ControlHandle(id);
  if (target == nullptr || GetFocus() == target)
    return;
  ++mirroring_;
  SetFocus(target);
  --mirroring_;
}

const Win32Window::Bound* Win32Window::FindBound(int id) const {
  for (const Bound& bound : own_) {
    if (bound.control->Id() == id)
      return &bound;
  }
  if (activePage_ >= 0 && static_cast<size_t>(activePage_) < pageBound_.size()) {
    for (const Bound& bound : pageBound_[static_cast<size_t>(activePage_)]) {
      if (bound.control->Id() == id)
        return &bound;
    }
  }
  return nullptr;
}

const Win32Window::Bound* Win32Window::FindBound(WindowHandle handle) const {
  for (const Bound& bound : own_) {
    if (bound.handle == handle)
      return &bound;
  }
  for (const auto& page : pageBound_) {
    for (const Bound& bound : page) {
      if (bound.handle == handle)
        return &bound;
    }
  }
  return nullptr;
}

const Win32Window::Bound* Win32Window::FindBound(const Control& control) const {
  for (const Bound& bound : own_) {
    if (bound.control == &control)
      return &bound;
  }
  for (const auto& page : pageBound_) {
    for (const Bound& bound : page) {
      if (bound.control == &control)
        return &bound;
    }
  }
  return nullptr;
}

WindowHandle Win32Window::ControlHandle(int id) const {
  const Bound* bound = FindBound(id);
  return bound != nullptr ? bound->handle : nullptr;
}

WindowHandle Win32Window::HandleOf(const Control& control) const {
  const Bound* bound = FindBound(control);
  return bound != nullptr ? bound->handle : nullptr;
}

const Control* Win32Window::ControlOf(int id) const {
  const Bound* bound = FindBound(id);
  return bound != nullptr ? bound->control : nullptr;
}

template <class Action>
void Win32Window::Report(Action&& action) {
  backend_.Guard([&] {
    if (model_.IsEnded() || abandoned_ || handle_ == nullptr)
      return;
    if (!action())
      MirrorAll();
  });
}

void Win32Window::Command(WindowHandle from, int id, int code) {
  if (from == nullptr) {
    // Enter and Esc where the window has no such button.
    if (id == IDOK)
      Report([&] { return model_.UserPressEnter(); });
    if (id == IDCANCEL)
      Report([&] { return model_.UserPressEscape(); });
    return;
  }
  const Bound* bound = FindBound(from);
  if (bound == nullptr || mirroring_ != 0)
    return;
  const Control& control = *bound->control;
  const auto focus = [&] {
    Report(
        [&] { return model_.FocusId() == id ? InputResult::Accepted() : model_.UserSetFocus(id); });
  };
  const auto typed = [&] {
    const std::string text = WindowText(from);
    typing_ = &control;
    Report([&] { return model_.UserSetText(id, text); });
    typing_ = nullptr;
    // What the framework made of the keys, once it has heard them all: the field
    // keeps its caret where the keys put it when the text is the one typed.
    if (handle_ != nullptr && FindBound(from) != nullptr) {
      ++mirroring_;
      MirrorControl(control, from, true);
      --mirroring_;
    }
  };
  switch (control.Class()) {
    case ControlClass::kButton:
      // With BS_NOTIFY the second click of a quick pair comes as BN_DOUBLECLICKED
      // alone: it is a press all the same.
      if (code == BN_CLICKED || code == BN_DOUBLECLICKED)
        Report([&] { return model_.UserClickButton(id); });
      if (code == BN_SETFOCUS)
        focus();
      return;
    case ControlClass::kEdit:
      if (code == EN_CHANGE)
        typed();
      if (code == EN_SETFOCUS)
        focus();
      return;
    case ControlClass::kComboBox:
      if (code == CBN_SELCHANGE) {
        const int index = ShownSelection(ControlClass::kComboBox, from);
        Report([&] { return model_.UserPickItem(id, index); });
      }
      if (code == CBN_EDITCHANGE)
        typed();
      if (code == CBN_SETFOCUS)
        focus();
      return;
    case ControlClass::kStatic:
    case ControlClass::kListView:
      return;
  }
}

void Win32Window::ListInput(const Bound& bound, unsigned message, int x, int y) {
  const int id = bound.control->Id();
  const int index = HitListItem(bound.handle, x, y);
  if (GetFocus() != bound.handle)
    SetFocus(bound.handle);
  if (message == WM_LBUTTONDBLCLK) {
    Report([&] { return model_.UserDoubleClickItem(id, index); });
  } else {
    Report([&] { return model_.UserPickItem(id, index); });
  }
}

void Win32Window::TabClicked(int x, int y) {
  TCHITTESTINFO hit{};
  hit.pt = {x, y};
  const auto index =
      static_cast<int>(SendMessageA(tabs_, TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
  if (index >= 0)
    Report([&] { return model_.UserClickTab(index); });
}

void Win32Window::TabKey(unsigned key) {
  const int target = model_.ActiveTab() + (key == VK_LEFT ? -1 : 1);
  if (target >= 0 && target < static_cast<int>(model_.TabCaptions().size()))
    Report([&] { return model_.UserClickTab(target); });
}

void Win32Window::OnControlChanged(const Control& control) {
  // The field the user is typing into is shown once the framework has taken the keys.
  const Bound* bound = &control == typing_ ? nullptr : FindBound(control);
  if (bound != nullptr) {
    ++mirroring_;
    MirrorControl(control, bound->handle);
    --mirroring_;
  }
  if (previous_ != nullptr)
    previous_->OnControlChanged(control);
}

void Win32Window::OnFocusChanged(int controlId) {
  ApplyFocus(controlId);
  if (previous_ != nullptr)
    previous_->OnFocusChanged(controlId);
}

void Win32Window::OnTitleChanged() {
  if (handle_ != nullptr)
    SetWindowTextA(handle_, model_.Title().c_str());
  if (previous_ != nullptr)
    previous_->OnTitleChanged();
}

void Win32Window::OnTabsChanged() {
  MirrorTabs();
  if (previous_ != nullptr)
    previous_->OnTabsChanged();
}

void Win32Window::OnActivePageChanged(int index) {
  ShowPage(index);
  if (previous_ != nullptr)
    previous_->OnActivePageChanged(index);
}

void Win32Window::OnEnded(int result) {
  if (handle_ != nullptr)
    EndDialog(handle_, result);
  if (previous_ != nullptr)
    previous_->OnEnded(result);
}

}  // namespace quorvel::ui::win32
