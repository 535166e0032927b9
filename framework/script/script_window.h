// ScriptWindow: one open window as a backend shows it to a UI script, and the
// user's actions there. A backend implements it for each kind of window it opens;
// the ScriptPlayer does every check and words every failure, so a backend only
// reports what its window shows and performs the input.
//
// What a window shows is read back from the backend's own widgets where it has
// them, so that a script also checks that they show what the framework holds. An
// action is played only after the framework has said it would take it (the
// ModalWindow's Check* calls); a refusal from an action is what the backend's
// window itself did not take ("did not drop its list").
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "framework/core/backend.h"
#include "framework/core/dialog_template.h"
#include "framework/core/input_result.h"
#include "framework/core/modal_window.h"

namespace quorvel::ui {

class ScriptWindow {
 public:
  virtual ~ScriptWindow() = default;

  // Which window this is: the framework's dialog or sheet, a message box's
  // request, or the file chooser's request; exactly one is set.
  virtual ModalWindow* Model() const { return nullptr; }
  virtual const MessageBoxRequest* Message() const { return nullptr; }
  virtual const FileChooserRequest* File() const { return nullptr; }

  // The caption in the title bar; a message box's text.
  virtual std::string Title() const = 0;
  virtual std::string MessageText() const { return {}; }

  // Dialog or sheet. The kind of control id, or nullopt when it is not shown; what a
  // shown control shows (its text, the field of a combo, a button's caption), its
  // items and selected item.
  virtual std::optional<ControlClass> ControlKind(int id) const = 0;
  virtual std::string ControlText(int id) const = 0;
  virtual std::vector<std::string> ControlItems(int id) const = 0;
  virtual int ControlSelection(int id) const = 0;
  // Sheet: the tab captions, and the active tab.
  virtual std::vector<std::string> TabCaptions() const = 0;
  virtual int ActiveTab() const = 0;

  // The user's actions on a dialog or sheet.
  virtual InputResult ClickTab(int index) = 0;
  virtual InputResult Type(int id, const std::string& text) = 0;
  virtual InputResult Pick(int id, int index) = 0;
  virtual InputResult DoubleClick(int id, int index) = 0;
  virtual InputResult Click(int id) = 0;
  // On a message box: presses the button of answer, one the box offers.
  virtual InputResult Answer(int answer) = 0;
  // On the file chooser: takes the file with this full path, or cancels.
  virtual InputResult Choose(const std::string& path) = 0;
  virtual InputResult Cancel() = 0;
};

}  // namespace quorvel::ui
