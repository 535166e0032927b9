#include "ui/backends/headless/headless_backend.h"

#include <algorithm>
#include <string>

#include "ui/framework/control.h"
#include "ui/framework/message_box.h"
#include "ui/framework/modal_window.h"

namespace quorvel::ui {

// One open window: a dialog or sheet, a message box, or the file chooser.
struct HeadlessBackend::Frame {
  ModalWindow* window = nullptr;
  const MessageBoxRequest* message = nullptr;
  const FileChooserRequest* file = nullptr;
  bool answered = false;
  int answer = 0;
  std::optional<std::string> chosen;

  bool Done() const { return window != nullptr ? window->IsEnded() : answered; }

  // The name a script gives the window.
  std::string Name() const {
    if (message != nullptr)
      return "message";
    if (file != nullptr)
      return "file";
    if (window->Kind() == WindowKind::kSheet)
      return "sheet";
    return std::to_string(window->TemplateId());
  }

  // The name and what it shows, for failure messages.
  std::string Describe() const {
    if (message != nullptr)
      return "message " + QuoteScriptText(message->text);
    if (file != nullptr)
      return "file " + QuoteScriptText(file->title);
    return Name() + " " + QuoteScriptText(window->Title());
  }
};

namespace {

// Keeps the stack of open windows right on every way out of a window's run.
template <class FrameType>
class FramePush {
 public:
  FramePush(std::vector<FrameType*>& frames, FrameType& frame) : frames_(frames) {
    frames_.push_back(&frame);
  }
  ~FramePush() { frames_.pop_back(); }
  FramePush(const FramePush&) = delete;
  FramePush& operator=(const FramePush&) = delete;

 private:
  std::vector<FrameType*>& frames_;
};

}  // namespace

HeadlessBackend::HeadlessBackend(Script script) : script_(std::move(script)) {}

HeadlessBackend::~HeadlessBackend() = default;

void HeadlessBackend::RunModal(ModalWindow& window) {
  Frame frame;
  frame.window = &window;
  FramePush push(frames_, frame);
  Play(frame);
}

int HeadlessBackend::ShowMessageBox(const MessageBoxRequest& request) {
  Frame frame;
  frame.message = &request;
  FramePush push(frames_, frame);
  Play(frame);
  return frame.answer;
}

std::optional<std::string> HeadlessBackend::ChooseFile(const FileChooserRequest& request) {
  Frame frame;
  frame.file = &request;
  FramePush push(frames_, frame);
  Play(frame);
  return frame.chosen;
}

std::size_t HeadlessBackend::FittingLength(const Control& field, std::string_view text) const {
  constexpr int kAverageCharacter = 4;  // dialog units, by their definition
  constexpr int kMargins = 3;           // border and inner margins, both sides
  constexpr int kDropDownButton = 11;
  const int room =
      field.Template().rect.width - kMargins - (field.IsComboBox() ? kDropDownButton : 0);
  return std::min(text.size(), static_cast<std::size_t>(std::max(room, 0) / kAverageCharacter));
}

bool HeadlessBackend::IsFinished() const {
  return next_ >= script_.steps.size();
}

const Step* HeadlessBackend::NextStep() const {
  return IsFinished() ? nullptr : &script_.steps[next_];
}

void HeadlessBackend::CheckFinished() const {
  if (IsFinished())
    return;
  const Step& step = script_.steps[next_];
  throw ScriptFailure(step.line,
                      StepHead(step) + ": the step is left over; the last window has closed");
}

void HeadlessBackend::Play(Frame& frame) {
  while (!frame.Done()) {
    if (next_ >= script_.steps.size())
      FailAtEnd(frame);
    const Step& step = script_.steps[next_++];
    PlayStep(frame, step);
  }
}

void HeadlessBackend::FailAtEnd(const Frame& frame) const {
  throw ScriptFailure(script_.lineCount,
                      "the script ends while window " + frame.Describe() + " is still open");
}

void HeadlessBackend::PlayStep(Frame& frame, const Step& step) {
  const auto notFor = [&](const char* what) {
    FailStep(step, std::string("does not apply to ") + what + "; the topmost window is " +
                       frame.Describe());
  };
  const auto requireWindow = [&]() -> ModalWindow& {
    if (frame.window == nullptr)
      notFor(frame.message != nullptr ? "a message box" : "the file chooser");
    return *frame.window;
  };
  const auto requireSheet = [&]() -> ModalWindow& {
    ModalWindow& window = requireWindow();
    if (window.Kind() != WindowKind::kSheet)
      notFor("a dialog");
    return window;
  };
  const auto control = [&](ModalWindow& window) -> Control& {
    Control* found = window.FindVisibleControl(step.id);
    if (found == nullptr) {
      FailStep(step,
               "there is no control " + std::to_string(step.id) + " in window " + frame.Describe());
    }
    return *found;
  };
  // A combo box or list view, for the steps about items.
  const auto itemControl = [&]() -> const Control& {
    const Control& found = control(requireWindow());
    if (!found.IsComboBox() && !found.IsListView())
      FailStep(step, "control " + std::to_string(step.id) + " is not a combo box or list view");
    return found;
  };
  const auto check = [&](const InputResult& result) {
    if (!result)
      FailStep(step, result.reason);
  };

  switch (step.kind) {
    case StepKind::kWindow:
      if (frame.Name() != step.name)
        FailStep(step, "the topmost window is " + frame.Describe());
      return;
    case StepKind::kTab:
      check(requireSheet().UserClickTab(step.number));
      return;
    case StepKind::kSet: {
      ModalWindow& window = requireWindow();
      control(window);  // a missing control is named with its window
      check(window.UserSetText(step.id, step.text));
      return;
    }
    case StepKind::kPick: {
      ModalWindow& window = requireWindow();
      control(window);  // a missing control is named with its window
      check(window.UserPickItem(step.id, step.number));
      return;
    }
    case StepKind::kDoubleClick: {
      ModalWindow& window = requireWindow();
      control(window);  // a missing control is named with its window
      check(window.UserDoubleClickItem(step.id, step.number));
      return;
    }
    case StepKind::kClick: {
      ModalWindow& window = requireWindow();
      control(window);  // a missing control is named with its window
      check(window.UserClickButton(step.id));
      return;
    }
    case StepKind::kExpect: {
      const Control& found = control(requireWindow());
      if (found.IsListView()) {
        FailStep(step, "list view " + std::to_string(step.id) + " shows items; use expect-items");
      }
      if (found.Text() != step.text) {
        FailStep(step, ExpectedFound(QuoteScriptText(step.text), QuoteScriptText(found.Text())));
      }
      return;
    }
    case StepKind::kExpectItems: {
      const Control& found = itemControl();
      if (found.Items() != step.items) {
        FailStep(step, ExpectedFound(QuoteScriptList(step.items), QuoteScriptList(found.Items())));
      }
      return;
    }
    case StepKind::kExpectSelected: {
      const Control& found = itemControl();
      if (found.Selection() != step.number) {
        FailStep(step, ExpectedFound("item " + std::to_string(step.number),
                                     "item " + std::to_string(found.Selection())));
      }
      return;
    }
    case StepKind::kExpectTabs: {
      const std::vector<std::string> tabs = requireSheet().TabCaptions();
      if (tabs != step.items)
        FailStep(step, ExpectedFound(QuoteScriptList(step.items), QuoteScriptList(tabs)));
      return;
    }
    case StepKind::kExpectActive: {
      const int active = requireSheet().ActiveTab();
      if (active != step.number) {
        FailStep(step, ExpectedFound("page " + std::to_string(step.number),
                                     "page " + std::to_string(active)));
      }
      return;
    }
    case StepKind::kExpectTitle: {
      const std::string title = frame.message != nullptr ? frame.message->caption
                                : frame.file != nullptr  ? frame.file->title
                                                         : frame.window->Title();
      if (title != step.text)
        FailStep(step, ExpectedFound(QuoteScriptText(step.text), QuoteScriptText(title)));
      return;
    }
    case StepKind::kExpectMessage:
      if (frame.message == nullptr)
        notFor("this window, only to a message box");
      if (frame.message->text != step.text) {
        FailStep(step,
                 ExpectedFound(QuoteScriptText(step.text), QuoteScriptText(frame.message->text)));
      }
      return;
    case StepKind::kAnswer: {
      if (frame.message == nullptr)
        notFor("this window, only to a message box");
      const int answer = AnswerFromWord(step.text);
      const std::vector<int> offered = frame.message->Buttons();
      if (std::find(offered.begin(), offered.end(), answer) == offered.end()) {
        std::string words;
        for (int button : offered)
          words += (words.empty() ? "" : ", ") + std::string(AnswerWord(button));
        FailStep(step, "the message box offers only " + words);
      }
      frame.answer = answer;
      frame.answered = true;
      return;
    }
    case StepKind::kExpectFolder:
      if (frame.file == nullptr)
        notFor("this window, only to the file chooser");
      if (frame.file->initialFolder != step.text) {
        FailStep(step, ExpectedFound(QuoteScriptText(step.text),
                                     QuoteScriptText(frame.file->initialFolder)));
      }
      return;
    case StepKind::kChoose:
      if (frame.file == nullptr)
        notFor("this window, only to the file chooser");
      frame.chosen = step.text;
      frame.answered = true;
      return;
    case StepKind::kCancel:
      if (frame.file == nullptr)
        notFor("this window, only to the file chooser");
      frame.chosen.reset();
      frame.answered = true;
      return;
  }
}

}  // namespace quorvel::ui
