#include "framework/backends/win32/win32_backend.h"

#include <algorithm>
#include <stdexcept>

#include "framework/backends/win32/win32_window.h"
#include "framework/core/control.h"
#include "framework/core/message_box.h"

#include "framework/backends/win32/system.h"  // last: see system.h

namespace quorvel::ui::win32 {
namespace {

// Room for any path the chooser can return; the framework decides whether it fits
// the caller's buffer.
constexpr DWORD kPathRoom = 32768;

// The filter list of the request: pairs of description and pattern, each ended by a
// NUL, the list by a second NUL.
std::string FilterList(const std::vector<FileFilter>& filters) {
  std::string list;
  for (const FileFilter& filter : filters) {
    list += filter.description;
    list += '\0';
    list += filter.pattern;
    list += '\0';
  }
  list += '\0';
  return list;
}

}  // namespace

// While a message box or the file chooser runs: the system creates its window, and
// the thread's hook learns it when it is first activated.
class Win32Backend::CreationHook {
 public:
  explicit CreationHook(Win32Backend& backend) : previous_(hooked) {
    hooked = &backend;
    hook_ = SetWindowsHookExA(WH_CBT, &Hear, nullptr, GetCurrentThreadId());
  }
  ~CreationHook() {
    if (hook_ != nullptr)
      UnhookWindowsHookEx(hook_);
    hooked = previous_;
  }
  CreationHook(const CreationHook&) = delete;
  CreationHook& operator=(const CreationHook&) = delete;

 private:
  static LRESULT CALLBACK Hear(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE && hooked != nullptr) {
      const auto& open = hooked->OpenWindows();
      const HWND window = reinterpret_cast<HWND>(wParam);
      if (!open.empty() && open.back().handle == nullptr && open.back().window == nullptr &&
          (GetWindowLongA(window, GWL_STYLE) & WS_CHILD) == 0) {
        hooked->Guard([&] { hooked->Created(window); });
      }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }

  static inline thread_local Win32Backend* hooked = nullptr;
  Win32Backend* previous_;
  HHOOK hook_ = nullptr;
};

Win32Backend::Win32Backend() {
  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = sizeof controls;
  controls.dwICC = ICC_LISTVIEW_CLASSES | ICC_TAB_CLASSES | ICC_STANDARD_CLASSES;
  InitCommonControlsEx(&controls);
}

Win32Backend::~Win32Backend() = default;

WindowHandle Win32Backend::Owner() const {
  for (auto it = OpenWindows().rbegin(); it != OpenWindows().rend(); ++it) {
    if (it->handle != nullptr)
      return it->handle;
  }
  return GetActiveWindow();
}

void Win32Backend::Created(WindowHandle handle) {
  if (Stack().empty() || Stack().back().handle != nullptr)
    return;
  Stack().back().handle = handle;
  WindowShown();
}

void Win32Backend::RunModal(ModalWindow& window) {
  RaiseKept();
  Win32Window view(window, *this, Owner());
  RunOpen({&view, nullptr, nullptr, nullptr}, [&] { view.Run(); });
}

int Win32Backend::ShowMessageBox(const MessageBoxRequest& request) {
  RaiseKept();
  // Owned by the window in front, so that the window stays put while the box asks.
  const HWND owner = Owner();
  int answer = 0;
  RunOpen({nullptr, &request, nullptr, nullptr}, [&] {
    CreationHook hook(*this);
    answer = MessageBoxA(owner, request.text.c_str(), request.caption.c_str(), request.flags);
  });
  if (answer == 0)
    throw std::runtime_error("the system could not show the message box \"" + request.text + "\"");
  return answer;
}

std::optional<std::string> Win32Backend::ChooseFile(const FileChooserRequest& request) {
  RaiseKept();
  std::vector<char> path(kPathRoom, '\0');
  request.initialFile.copy(path.data(),
                           std::min<size_t>(request.initialFile.size(), kPathRoom - 1));
  const std::string filters = FilterList(request.filters);
  OPENFILENAMEA chooser{};
  chooser.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
  chooser.hwndOwner = Owner();
  chooser.lpstrFilter = request.filters.empty() ? nullptr : filters.c_str();
  chooser.nFilterIndex = static_cast<DWORD>(request.filterIndex);
  chooser.lpstrFile = path.data();
  chooser.nMaxFile = kPathRoom;
  chooser.lpstrInitialDir = request.initialFolder.empty() ? nullptr : request.initialFolder.c_str();
  chooser.lpstrTitle = request.title.empty() ? nullptr : request.title.c_str();
  // Replacing a file is asked by the framework. The host's current folder stays
  // where it was.
  chooser.Flags =
      (request.flags & ~static_cast<DWORD>(OFN_OVERWRITEPROMPT)) | OFN_EXPLORER | OFN_NOCHANGEDIR;
  // A pattern is no extension to append to a name typed without one.
  const bool plainExtension = request.defaultExtension.find_first_of("*?") == std::string::npos;
  chooser.lpstrDefExt = request.defaultExtension.empty() || !plainExtension
                            ? nullptr
                            : request.defaultExtension.c_str();
  BOOL chosen = FALSE;
  RunOpen({nullptr, nullptr, &request, nullptr}, [&] {
    CreationHook hook(*this);
    chosen = request.saving ? GetSaveFileNameA(&chooser) : GetOpenFileNameA(&chooser);
  });
  if (chosen == FALSE)
    return std::nullopt;
  return std::string(path.data());
}

std::size_t Win32Backend::FittingLength(const Control& field, std::string_view text) const {
  HWND shown = nullptr;
  for (const OpenWindow& open : OpenWindows()) {
    if (open.window != nullptr && shown == nullptr)
      shown = open.window->HandleOf(field);
  }
  if (shown != nullptr && field.IsComboBox()) {
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    shown = GetComboBoxInfo(shown, &info) ? info.hwndItem : nullptr;
  }
  if (shown == nullptr || text.empty())
    return text.size();
  // The edit takes characters while the whole text fits its formatting rectangle.
  RECT room{};
  SendMessageA(shown, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&room));
  HDC context = GetDC(shown);
  const HGDIOBJ before =
      SelectObject(context, reinterpret_cast<HFONT>(SendMessageA(shown, WM_GETFONT, 0, 0)));
  int fit = 0;
  SIZE extent{};
  const BOOL measured = GetTextExtentExPointA(context, text.data(), static_cast<int>(text.size()),
                                              room.right - room.left, &fit, nullptr, &extent);
  SelectObject(context, before);
  ReleaseDC(shown, context);
  if (!measured)
    return text.size();
  return std::min(static_cast<std::size_t>(std::max(fit, 0)), text.size());
}

void Win32Backend::Abandon(const OpenWindow& open) {
  if (open.window != nullptr) {
    open.window->Abandon();
  } else if (open.handle != nullptr) {
    EndDialog(open.handle, 0);
  }
}

}  // namespace quorvel::ui::win32
