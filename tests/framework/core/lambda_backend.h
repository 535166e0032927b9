// A backend for the framework's own tests: each call is handed to a function the
// test supplies, so that a test can act as the user with the User* calls directly.
#pragma once

#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "framework/core/backend.h"
#include "framework/core/modal_window.h"

namespace quorvel::ui::testing {

class LambdaBackend : public Backend {
 public:
  std::function<void(ModalWindow&)> onRun = [](ModalWindow& window) { window.UserPressEscape(); };
  std::function<int(const MessageBoxRequest&)> onMessage = [](const MessageBoxRequest& r) {
    return r.DefaultButton();
  };
  std::function<std::optional<std::string>(const FileChooserRequest&)> onFile =
      [](const FileChooserRequest&) { return std::nullopt; };

  std::vector<MessageBoxRequest> messages;
  std::vector<FileChooserRequest> files;

  void RunModal(ModalWindow& window) override {
    onRun(window);
    // A real backend keeps the window open until it ends; a test that forgot to end
    // it would otherwise hang nothing but mislead.
    if (!window.IsEnded())
      throw std::logic_error("the test left the window open");
  }
  int ShowMessageBox(const MessageBoxRequest& request) override {
    messages.push_back(request);
    return onMessage(request);
  }
  std::optional<std::string> ChooseFile(const FileChooserRequest& request) override {
    files.push_back(request);
    return onFile(request);
  }
};

}  // namespace quorvel::ui::testing
