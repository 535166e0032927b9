#include "framework/backends/headless/headless_backend.h"

#include <algorithm>
#include <string>

#include "framework/core/control.h"
#include "framework/core/message_box.h"
#include "framework/core/modal_window.h"

namespace quorvel::ui {

// One open window: a dialog or sheet, a message box, or the file chooser, shown as
// the framework holds it; the user's actions go straight to the framework.
class HeadlessBackend::Frame : public ScriptWindow {
 public:
  explicit Frame(ModalWindow& window) : window_(&window) {}
  explicit Frame(const MessageBoxRequest& message) : message_(&message) {}
  explicit Frame(const FileChooserRequest& file) : file_(&file) {}

  bool Done() const { return window_ != nullptr ? window_->IsEnded() : answered_; }
  int TheAnswer() const { return answer_; }
  const std::optional<std::string>& Chosen() const { return chosen_; }

  ModalWindow* Model() const override { return window_; }
  const MessageBoxRequest* Message() const override { return message_; }
  const FileChooserRequest* File() const override { return file_; }

  std::string Title() const override {
    if (message_ != nullptr)
      return message_->caption;
    return file_ != nullptr ? file_->title : window_->Title();
  }
  std::string MessageText() const override { return message_->text; }

  std::optional<ControlClass> ControlKind(int id) const override {
    const Control* control = window_->FindVisibleControl(id);
    return control != nullptr ? std::optional(control->Class()) : std::nullopt;
  }
  std::string ControlText(int id) const override { return Shown(id).Text(); }
  std::vector<std::string> ControlItems(int id) const override { return Shown(id).Items(); }
  int ControlSelection(int id) const override { return Shown(id).Selection(); }
  std::vector<std::string> TabCaptions() const override { return window_->TabCaptions(); }
  int ActiveTab() const override { return window_->ActiveTab(); }

  InputResult ClickTab(int index) override { return window_->UserClickTab(index); }
  InputResult Type(int id, const std::string& text) override {
    return window_->UserSetText(id, text);
  }
  InputResult Pick(int id, int index) override { return window_->UserPickItem(id, index); }
  InputResult DoubleClick(int id, int index) override {
    return window_->UserDoubleClickItem(id, index);
  }
  InputResult Click(int id) override { return window_->UserClickButton(id); }
  InputResult Answer(int answer) override {
    answer_ = answer;
    answered_ = true;
    return InputResult::Accepted();
  }
  InputResult Choose(const std::string& path) override {
    chosen_ = path;
    answered_ = true;
    return InputResult::Accepted();
  }
  InputResult Cancel() override {
    chosen_.reset();
    answered_ = true;
    return InputResult::Accepted();
  }

 private:
  const Control& Shown(int id) const { return *window_->FindVisibleControl(id); }

  ModalWindow* window_ = nullptr;
  const MessageBoxRequest* message_ = nullptr;
  const FileChooserRequest* file_ = nullptr;
  bool answered_ = false;
  int answer_ = 0;
  std::optional<std::string> chosen_;
};

HeadlessBackend::HeadlessBackend(Script script)
    : own_(std::in_place, std::move(script)), player_(*own_) {}

HeadlessBackend::HeadlessBackend(ScriptPlayer& player) : player_(player) {}

HeadlessBackend::~HeadlessBackend() = default;

void HeadlessBackend::RunModal(ModalWindow& window) {
  Frame frame(window);
  Play(frame);
}

int HeadlessBackend::ShowMessageBox(const MessageBoxRequest& request) {
  Frame frame(request);
  Play(frame);
  return frame.TheAnswer();
}

std::optional<std::string> HeadlessBackend::ChooseFile(const FileChooserRequest& request) {
  Frame frame(request);
  Play(frame);
  return frame.Chosen();
}

std::size_t HeadlessBackend::FittingLength(const Control& field, std::string_view text) const {
  constexpr int kAverageCharacter = 4;  // dialog units, by their definition
  constexpr int kMargins = 3;           // border and inner margins, both sides
  constexpr int kDropDownButton = 11;
  const int room =
      field.Template().rect.width - kMargins - (field.IsComboBox() ? kDropDownButton : 0);
  return std::min(text.size(), static_cast<std::size_t>(std::max(room, 0) / kAverageCharacter));
}

// Steps play on this window until it has ended; a step that opens a further window
// plays on in that window's nested run.
void HeadlessBackend::Play(Frame& frame) {
  while (!frame.Done())
    player_.Play(player_.Next(frame), frame);
}

}  // namespace quorvel::ui
