// Test support: runs dialogs with a UI script playing the user, on the scripted
// backend the test program links (headless, or real Qt widgets: see
// tests/framework/core/scripted_backend.h), the plug-in's templates installed, and
// records what the windows did that a script cannot check (keyboard focus, the file
// chooser request).
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "framework/core/backend.h"

namespace quorvel::ui::testing {

// The focus arriving on a control, with the edit selection it found there.
struct FocusMove {
  int templateId = 0;
  int controlId = 0;
  int selectionStart = 0;
  int selectionEnd = 0;
  std::string text;  // the control's text at that moment
};

struct ScriptRecord {
  // The focus each window had when it was shown: (template id, control id).
  std::vector<std::pair<int, int>> initialFocus;
  std::vector<FocusMove> focusMoves;
  std::vector<FileChooserRequest> fileRequests;
  std::vector<MessageBoxRequest> messages;
};

// Plays `script` while `run` opens its dialogs; fails with the script's message (line
// and what was found) when a step does not match or steps are left over.
::testing::AssertionResult PlayScript(std::string_view script, const std::function<void()>& run,
                                      ScriptRecord* record = nullptr);

// Plays `script` while a `Dialog`, made ready by `prepare`, runs modal; `collect`
// reads it once it has closed. Returns what DoModal returned.
template <typename Dialog, typename Prepare, typename Collect>
int PlayDialog(std::string_view script, Prepare prepare, Collect collect,
               ScriptRecord* record = nullptr) {
  int result = 0;
  EXPECT_TRUE(PlayScript(
      script,
      [&] {
        Dialog dialog;
        prepare(dialog);
        result = dialog.DoModal();
        collect(dialog);
      },
      record));
  return result;
}

// Sets (or, for nullopt, removes) an environment variable for the length of a scope.
class ScopedEnvironment {
 public:
  ScopedEnvironment(const char* name, std::optional<std::string> value);
  ~ScopedEnvironment();
  ScopedEnvironment(const ScopedEnvironment&) = delete;
  ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

 private:
  std::string name_;
  std::optional<std::string> previous_;
};

}  // namespace quorvel::ui::testing
