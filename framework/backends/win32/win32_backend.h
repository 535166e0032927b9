// Win32Backend: the framework's windows as the system's own dialogs (library
// quorvel_win32, Windows only).
//
// Each RunModal builds a dialog template in memory from the window's template table
// and runs it with DialogBoxIndirectParamA; the property sheet is a dialog of its own
// with a tab control whose single row of tabs scrolls, and its pages are child
// dialogs built when first shown. Message boxes are MessageBoxA and the file chooser
// GetOpenFileNameA (GetSaveFileNameA for a save request). Texts go through the A
// functions byte for byte. A window is owned by the topmost window open here, else by
// the thread's active window (the host's, when a host runs the plug-in).
//
//   Win32Backend backend;
//   BackendScope scope(&backend);
//   plugIn->Run(model);
//
// No exception may pass through the system's code. Whatever the framework or a script
// player raises while a window runs is caught, every open window is ended, and the
// exception is raised again from RunModal (or ShowMessageBox, ChooseFile) once the
// system's loops have unwound (window_stack_backend.h).
#pragma once

#include <optional>
#include <string>

#include "framework/backends/win32/window_handle.h"
#include "framework/core/window_stack_backend.h"

namespace quorvel::ui::win32 {

class Win32Window;

// One window open now: exactly one of the first three is set. handle is the system's
// window, once it exists.
struct OpenWindow {
  Win32Window* window = nullptr;
  const MessageBoxRequest* message = nullptr;
  const FileChooserRequest* file = nullptr;
  WindowHandle handle = nullptr;
};

class Win32Backend : public WindowStackBackend<OpenWindow> {
 public:
  Win32Backend();
  ~Win32Backend() override;
  Win32Backend(const Win32Backend&) = delete;
  Win32Backend& operator=(const Win32Backend&) = delete;

  void RunModal(ModalWindow& window) override;
  int ShowMessageBox(const MessageBoxRequest& request) override;
  std::optional<std::string> ChooseFile(const FileChooserRequest& request) override;
  // Measured in the field's own font and room, as the system's edit measures what it
  // takes.
  std::size_t FittingLength(const Control& field, std::string_view text) const override;

  // Framework of this backend: the innermost window's system window now exists.
  void Created(WindowHandle handle);

 private:
  class CreationHook;
  // The window a new one is owned by: the topmost open here, else the thread's
  // active window, else none.
  WindowHandle Owner() const;
  void Abandon(const OpenWindow& open) override;
};

}  // namespace quorvel::ui::win32
