// The one interface between the framework and a backend (headless or Qt).
//
// A backend only shows windows and reports what the user did; the framework does the
// behaviour. The host program (or a test) installs a backend before the plug-in runs:
//
//   HeadlessBackend backend(script);
//   BackendScope scope(&backend);   // restored on every way out
//   plugIn->Run(model);
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "framework/core/message_box.h"

namespace quorvel::ui {

class Control;
class ModalWindow;

struct FileFilter {
  std::string description;  // "All Files (*.*)"
  std::string pattern;      // "*.*"
};

// What the file chooser shows, taken from an OpenFileRequest.
struct FileChooserRequest {
  std::string title;          // "Open"
  std::string initialFolder;  // may be empty
  std::string initialFile;
  std::vector<FileFilter> filters;
  int filterIndex = 0;
  std::string defaultExtension;
  uint32_t flags = 0;
  ModalWindow* owner = nullptr;
  // A save request: the user names a file to write, which need not exist. Replacing
  // an existing one is asked by the framework, not by the backend.
  bool saving = false;
};

class Backend {
 public:
  virtual ~Backend() = default;

  // Shows window modally over the windows already shown and returns once
  // window.IsEnded(). Called again from inside a user action when a handler opens a
  // further modal window. May throw (a failed script): the framework tears down.
  virtual void RunModal(ModalWindow& window) = 0;
  // Returns one of request.Buttons().
  virtual int ShowMessageBox(const MessageBoxRequest& request) = 0;
  // The full path of the chosen file, or nullopt when the user cancelled.
  virtual std::optional<std::string> ChooseFile(const FileChooserRequest& request) = 0;
  // How many characters of `text`, from its start, fit in `field`, a field that does
  // not scroll sideways, in the backend's font; typing stops there. A backend whose
  // widgets stop the keys themselves can leave every text fitting.
  virtual std::size_t FittingLength(const Control& field, std::string_view text) const;
};

// The installed backend, or nullptr.
Backend* CurrentBackend();

// Installs a backend for the length of a scope and restores the previous one.
class BackendScope {
 public:
  explicit BackendScope(Backend* backend);
  ~BackendScope();
  BackendScope(const BackendScope&) = delete;
  BackendScope& operator=(const BackendScope&) = delete;

 private:
  Backend* previous_;
};

}  // namespace quorvel::ui
