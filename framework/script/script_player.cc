#include "framework/script/script_player.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "framework/core/control.h"
#include "framework/core/message_box.h"

namespace quorvel::ui {
namespace {

// One step on one window: the checks every step shares, and its failures.
class StepOn {
 public:
  StepOn(const Step& step, ScriptWindow& top) : step_(step), top_(top) {}

  [[noreturn]] void Fail(const std::string& what) const { FailStep(step_, what); }

  [[noreturn]] void NotFor(const char* what) const {
    Fail(std::string("does not apply to ") + what + "; the topmost window is " +
         DescribeScriptWindow(top_));
  }

  // The framework's dialog or sheet that the step acts on.
  const ModalWindow& RequireWindow() const {
    if (top_.Model() == nullptr)
      NotFor(top_.Message() != nullptr ? "a message box" : "the file chooser");
    return *top_.Model();
  }

  void RequireSheet() const {
    if (RequireWindow().Kind() != WindowKind::kSheet)
      NotFor("a dialog");
  }

  void RequireMessage() const {
    if (top_.Message() == nullptr)
      NotFor("this window, only to a message box");
  }

  void RequireFile() const {
    if (top_.File() == nullptr)
      NotFor("this window, only to the file chooser");
  }

  // The kind of the step's control, which the window must show.
  ControlClass RequireControl() const {
    RequireWindow();
    const std::optional<ControlClass> kind = top_.ControlKind(step_.id);
    if (!kind) {
      Fail("there is no control " + std::to_string(step_.id) + " in window " +
           DescribeScriptWindow(top_));
    }
    return *kind;
  }

  // A combo box or list view, for the steps about items.
  void RequireItems() const {
    const ControlClass kind = RequireControl();
    if (kind != ControlClass::kComboBox && kind != ControlClass::kListView)
      Fail("control " + std::to_string(step_.id) + " is not a combo box or list view");
  }

  // What the framework says of the input, then what the backend's window did with it.
  template <class Action>
  void Act(const InputResult& check, Action&& action) const {
    if (!check)
      Fail(check.reason);
    if (const InputResult done = action(); !done)
      Fail(done.reason);
  }

  void Expect(const std::string& expected, const std::string& found) const {
    if (found != expected)
      Fail(ExpectedFound(QuoteScriptText(expected), QuoteScriptText(found)));
  }

  void ExpectList(const std::vector<std::string>& expected,
                  const std::vector<std::string>& found) const {
    if (found != expected)
      Fail(ExpectedFound(QuoteScriptList(expected), QuoteScriptList(found)));
  }

  void ExpectNumber(const char* what, int expected, int found) const {
    if (found != expected) {
      Fail(ExpectedFound(std::string(what) + " " + std::to_string(expected),
                         std::string(what) + " " + std::to_string(found)));
    }
  }

 private:
  const Step& step_;
  ScriptWindow& top_;
};

}  // namespace

std::string ScriptWindowName(const ScriptWindow& window) {
  if (window.Message() != nullptr)
    return "message";
  if (window.File() != nullptr)
    return "file";
  const ModalWindow& model = *window.Model();
  return model.Kind() == WindowKind::kSheet ? "sheet" : std::to_string(model.TemplateId());
}

std::string DescribeScriptWindow(const ScriptWindow& window) {
  if (window.Message() != nullptr)
    return "message " + QuoteScriptText(window.MessageText());
  return ScriptWindowName(window) + " " + QuoteScriptText(window.Title());
}

ScriptPlayer::ScriptPlayer(Script script) : script_(std::move(script)) {}

const Step& ScriptPlayer::Next(const ScriptWindow& top) {
  if (next_ >= script_.steps.size()) {
    throw ScriptFailure(script_.lineCount, "the script ends while window " +
                                               DescribeScriptWindow(top) + " is still open");
  }
  return script_.steps[next_++];
}

bool ScriptPlayer::IsFinished() const {
  return next_ >= script_.steps.size();
}

void ScriptPlayer::PassStepsBefore(int line) {
  while (next_ < script_.steps.size() && script_.steps[next_].line < line)
    ++next_;
}

void ScriptPlayer::CheckFinished() const {
  if (IsFinished())
    return;
  const Step& step = script_.steps[next_];
  throw ScriptFailure(step.line,
                      StepHead(step) + ": the step is left over; the last window has closed");
}

void ScriptPlayer::Play(const Step& step, ScriptWindow& top) const {
  const StepOn on(step, top);
  const int id = step.id;
  const int number = step.number;
  switch (step.kind) {
    case StepKind::kWindow:
      if (ScriptWindowName(top) != step.name)
        on.Fail("the topmost window is " + DescribeScriptWindow(top));
      return;
    case StepKind::kTab:
      on.RequireSheet();
      on.Act(top.Model()->CheckClickTab(number), [&] { return top.ClickTab(number); });
      return;
    case StepKind::kSet:
      on.RequireControl();  // a missing control is named with its window
      on.Act(top.Model()->CheckSetText(id, step.text), [&] { return top.Type(id, step.text); });
      return;
    case StepKind::kPick:
      on.RequireControl();
      on.Act(top.Model()->CheckPickItem(id, number), [&] { return top.Pick(id, number); });
      return;
    case StepKind::kDoubleClick:
      on.RequireControl();
      on.Act(top.Model()->CheckDoubleClickItem(id, number),
             [&] { return top.DoubleClick(id, number); });
      return;
    case StepKind::kClick:
      on.RequireControl();
      on.Act(top.Model()->CheckClickButton(id), [&] { return top.Click(id); });
      return;
    case StepKind::kExpect:
      if (on.RequireControl() == ControlClass::kListView)
        on.Fail("list view " + std::to_string(id) + " shows items; use expect-items");
      on.Expect(step.text, top.ControlText(id));
      return;
    case StepKind::kExpectItems:
      on.RequireItems();
      on.ExpectList(step.items, top.ControlItems(id));
      return;
    case StepKind::kExpectSelected:
      on.RequireItems();
      on.ExpectNumber("item", number, top.ControlSelection(id));
      return;
    case StepKind::kExpectTabs:
      on.RequireSheet();
      on.ExpectList(step.items, top.TabCaptions());
      return;
    case StepKind::kExpectActive:
      on.RequireSheet();
      on.ExpectNumber("page", number, top.ActiveTab());
      return;
    case StepKind::kExpectTitle:
      on.Expect(step.text, top.Title());
      return;
    case StepKind::kExpectMessage:
      on.RequireMessage();
      on.Expect(step.text, top.MessageText());
      return;
    case StepKind::kAnswer: {
      on.RequireMessage();
      const int answer = AnswerFromWord(step.text);
      const std::vector<int> offered = top.Message()->Buttons();
      if (std::find(offered.begin(), offered.end(), answer) == offered.end()) {
        std::string words;
        for (int button : offered)
          words += (words.empty() ? "" : ", ") + std::string(AnswerWord(button));
        on.Fail("the message box offers only " + words);
      }
      on.Act(InputResult::Accepted(), [&] { return top.Answer(answer); });
      return;
    }
    case StepKind::kExpectFolder:
      on.RequireFile();
      on.Expect(step.text, top.File()->initialFolder);
      return;
    case StepKind::kChoose:
      on.RequireFile();
      on.Act(InputResult::Accepted(), [&] { return top.Choose(step.text); });
      return;
    case StepKind::kCancel:
      on.RequireFile();
      on.Act(InputResult::Accepted(), [&] { return top.Cancel(); });
      return;
  }
}

}  // namespace quorvel::ui
