// The player checks each step with the framework before the backend acts, and
// reports what the backend's window did not take, worded once for every backend.
#include "framework/script/script_player.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/core/framework.h"
#include "tests/framework/core/lambda_backend.h"
#include "tests/framework/core/test_dialogs.h"

namespace quorvel::ui::testing {
namespace {

// A backend's window that shows the framework's state and records the actions it
// is asked to play instead of playing them.
class RecordingWindow : public ScriptWindow {
 public:
  explicit RecordingWindow(ModalWindow& window) : window_(&window) {}
  explicit RecordingWindow(const MessageBoxRequest& message) : message_(&message) {}

  std::vector<std::string> actions;
  InputResult outcome;  // what the window makes of every action

  ModalWindow* Model() const override { return window_; }
  const MessageBoxRequest* Message() const override { return message_; }
  std::string Title() const override {
    return message_ != nullptr ? message_->caption : window_->Title();
  }
  std::string MessageText() const override { return message_->text; }
  std::optional<ControlClass> ControlKind(int id) const override {
    const Control* control = window_->FindVisibleControl(id);
    return control != nullptr ? std::optional(control->Class()) : std::nullopt;
  }
  std::string ControlText(int id) const override { return window_->GetDlgItemText(id); }
  std::vector<std::string> ControlItems(int id) const override {
    return window_->FindVisibleControl(id)->Items();
  }
  int ControlSelection(int id) const override {
    return window_->FindVisibleControl(id)->Selection();
  }
  std::vector<std::string> TabCaptions() const override { return window_->TabCaptions(); }
  int ActiveTab() const override { return window_->ActiveTab(); }

  InputResult ClickTab(int index) override { return Record("tab " + std::to_string(index)); }
  InputResult Type(int id, const std::string& text) override {
    return Record("type " + std::to_string(id) + " " + text);
  }
  InputResult Pick(int id, int index) override {
    return Record("pick " + std::to_string(id) + " " + std::to_string(index));
  }
  InputResult DoubleClick(int id, int index) override {
    return Record("dblclick " + std::to_string(id) + " " + std::to_string(index));
  }
  InputResult Click(int id) override { return Record("click " + std::to_string(id)); }
  InputResult Answer(int answer) override { return Record("answer " + std::to_string(answer)); }
  InputResult Choose(const std::string& path) override { return Record("choose " + path); }
  InputResult Cancel() override { return Record("cancel"); }

 private:
  InputResult Record(std::string action) {
    actions.push_back(std::move(action));
    return outcome;
  }

  ModalWindow* window_ = nullptr;
  const MessageBoxRequest* message_ = nullptr;
};

// Plays script on window to its end; returns the failure, or "" when it played whole.
std::string PlayOn(const std::string& script, RecordingWindow& window) {
  ScriptPlayer player(ParseScript(script));
  try {
    while (!player.IsFinished())
      player.Play(player.Next(window), window);
  } catch (const ScriptFailure& failure) {
    return failure.what();
  }
  return {};
}

struct StepCase {
  const char* script;
  const char* failure;  // "" for none
  std::vector<std::string> actions;
};

// Plays c.script on the running Numbers dialog, whose window makes outcome of every
// action, and holds the failure and the actions to c's.
void PlayOnNumbers(const StepCase& c, const InputResult& outcome = InputResult::Accepted()) {
  SCOPED_TRACE(c.script);
  LambdaBackend backend;
  BackendScope backendScope(&backend);
  ResourceScope resources(TestTemplates());
  NumbersDialog dialog;
  backend.onRun = [&](ModalWindow& model) {
    RecordingWindow window(model);
    window.outcome = outcome;
    EXPECT_EQ(PlayOn(c.script, window), c.failure);
    EXPECT_EQ(window.actions, c.actions);
    model.UserPressEscape();
  };
  dialog.DoModal();
}

TEST(ScriptPlayer, ActsOnlyOnInputTheFrameworkWouldTake) {
  const StepCase cases[] = {
      {"set 501 7", "", {"type 501 7"}},
      {"set 504 12a", "script line 1: set 504: edit 504 takes digits only, not 'a'", {}},
      {"set 505 x", "script line 1: set 505: edit 505 is read-only", {}},
      {"pick 501 0", "script line 1: pick 501: edit 501 has no items to pick", {}},
      {"dblclick 1 0", "script line 1: dblclick 1: button 1 is not a list view", {}},
      {"click 506", "script line 1: click 506: static 506 is not a button", {}},
      {"click 999",
       "script line 1: click 999: there is no control 999 in window 500 \"Numbers\"",
       {}},
      {"tab 0",
       "script line 1: tab 0: does not apply to a dialog; the topmost window is 500 \"Numbers\"",
       {}},
      {"click 1\nexpect 501 24\nset 503 \"a\\nb\"",
       "script line 3: set 503: edit 503 holds a single line; the text has a line break",
       {"click 1"}},
  };
  for (const StepCase& c : cases)
    PlayOnNumbers(c);
}

TEST(ScriptPlayer, InputTheWindowDidNotTakeFailsTheStep) {
  PlayOnNumbers({"\nclick 1", "script line 2: click 1: button 1 is disabled", {"click 1"}},
                InputResult::Refused("button 1 is disabled"));
}

TEST(ScriptPlayer, AnswersOnlyWithAButtonTheBoxOffers) {
  const MessageBoxRequest request{"Proceed?", "Quorvel", MB_YESNO, nullptr};
  const StepCase cases[] = {
      {"window message\nexpect-message Proceed?\nanswer yes", "", {"answer 6"}},
      {"answer ok", "script line 1: answer: the message box offers only yes, no", {}},
      {"click 1",
       "script line 1: click 1: does not apply to a message box; the topmost window is message "
       "\"Proceed?\"",
       {}},
      {"cancel",
       "script line 1: cancel: does not apply to this window, only to the file chooser; the "
       "topmost window is message \"Proceed?\"",
       {}},
  };
  for (const StepCase& c : cases) {
    SCOPED_TRACE(c.script);
    RecordingWindow window(request);
    EXPECT_EQ(PlayOn(c.script, window), c.failure);
    EXPECT_EQ(window.actions, c.actions);
  }
}

}  // namespace
}  // namespace quorvel::ui::testing
