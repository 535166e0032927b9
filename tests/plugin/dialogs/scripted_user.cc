#include "tests/plugin/dialogs/scripted_user.h"

#include <cstdlib>

#include "framework/core/control.h"
#include "framework/core/modal_window.h"
#include "framework/core/resource_scope.h"
#include "framework/core/window_observer.h"
#include "framework/script/script.h"
#include "plugin/templates/templates.h"
#include "tests/framework/core/scripted_backend.h"
#include "tests/support/environment.h"

namespace quorvel::ui::testing {
namespace {

class FocusObserver : public WindowObserver {
 public:
  FocusObserver(ModalWindow& window, ScriptRecord& record) : window_(window), record_(record) {}

  void OnFocusChanged(int controlId) override {
    FocusMove move{window_.TemplateId(), controlId, 0, 0, {}};
    if (const Control* control = window_.FindVisibleControl(controlId)) {
      move.selectionStart = control->SelectionStart();
      move.selectionEnd = control->SelectionEnd();
      move.text = control->Text();
    }
    record_.focusMoves.push_back(move);
  }

 private:
  ModalWindow& window_;
  ScriptRecord& record_;
};

// Hands everything to the backend playing the script, watching on the way.
class RecordingBackend : public Backend {
 public:
  RecordingBackend(Backend& inner, ScriptRecord& record) : inner_(inner), record_(record) {}

  void RunModal(ModalWindow& window) override {
    record_.initialFocus.emplace_back(window.TemplateId(), window.FocusId());
    FocusObserver observer(window, record_);
    window.SetObserver(&observer);
    // Off again before the observer goes, also when a failed step unwinds.
    struct Detach {
      ModalWindow& window;
      ~Detach() { window.SetObserver(nullptr); }
    } detach{window};
    inner_.RunModal(window);
  }
  int ShowMessageBox(const MessageBoxRequest& request) override {
    record_.messages.push_back(request);
    return inner_.ShowMessageBox(request);
  }
  std::optional<std::string> ChooseFile(const FileChooserRequest& request) override {
    record_.fileRequests.push_back(request);
    return inner_.ChooseFile(request);
  }

 private:
  Backend& inner_;
  ScriptRecord& record_;
};

}  // namespace

::testing::AssertionResult PlayScript(std::string_view script, const std::function<void()>& run,
                                      ScriptRecord* record) {
  ScriptRecord ignored;
  try {
    ScriptedBackend scripted = MakeScriptedBackend(ParseScript(script));
    RecordingBackend backend(*scripted.backend, record != nullptr ? *record : ignored);
    BackendScope backendScope(&backend);
    ResourceScope resources(PlugInTemplates());
    run();
    scripted.checkFinished();
  } catch (const ScriptFailure& failure) {
    return ::testing::AssertionFailure() << failure.what();
  }
  return ::testing::AssertionSuccess();
}

ScopedEnvironment::ScopedEnvironment(const char* name, std::optional<std::string> value)
    : name_(name) {
  if (const char* old = std::getenv(name))
    previous_ = old;
  quorvel::testing::SetVariable(name, value);
}

ScopedEnvironment::~ScopedEnvironment() {
  quorvel::testing::SetVariable(name_.c_str(), previous_);
}

}  // namespace quorvel::ui::testing
