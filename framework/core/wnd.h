// CWnd: a window that holds controls built from a template, with data exchange and
// a message map. Dialogs, pages and the sheet derive from it.
//
// A derived class overrides DoDataExchange() to move its fields to and from its
// controls (see data_exchange.h) and GetMessageMap() to hear its controls (see
// message_map.h). UpdateData(false) shows the fields; UpdateData(true) takes them back
// and returns false when a field was refused (the user has been told, and the focus
// is back on the control with its text selected).
#pragma once

#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "framework/core/constants.h"
#include "framework/core/control.h"
#include "framework/core/dialog_template.h"
#include "framework/core/message_map.h"

namespace quorvel::ui {

class CDataExchange;
class CComboBox;
class CListCtrl;
class CEdit;
class CButton;
class CStatic;
class ModalWindow;

class CWnd {
 public:
  CWnd();
  virtual ~CWnd();
  CWnd(const CWnd&) = delete;
  CWnd& operator=(const CWnd&) = delete;

  // Whether the window exists (between creation and the end of its modal run).
  bool HasWindow() const { return created_; }

  // The caption: the title bar of a dialog or sheet.
  std::string GetWindowText() const { return title_; }
  void SetWindowText(std::string_view text);

  // Controls, in template order; empty while the window does not exist.
  const std::vector<std::unique_ptr<Control>>& Controls() const { return controls_; }
  // The first control with this id, or nullptr.
  Control* GetDlgItem(int id) const;
  std::string GetDlgItemText(int id) const;
  void SetDlgItemText(int id, std::string_view text);

  // Handles on controls of this window (see the handle headers). A handle stays
  // safe to use after the window closes: it then finds no control and does nothing.
  CComboBox GetComboBox(int id);
  CListCtrl GetListCtrl(int id);
  CButton GetButton(int id);

  // Keyboard focus, shared by everything shown in the same top-level window.
  int GetFocusId() const;  // 0: no control has it
  // Moves the focus to control id; an edit gets its whole text selected.
  void GotoDlgCtrl(int id);

  // Runs DoDataExchange in one direction. false when a field was refused.
  bool UpdateData(bool saveAndValidate = true);
  virtual void DoDataExchange(CDataExchange* pDX);
  virtual std::span<const MessageEntry> GetMessageMap() const;

  // A message box owned by this window's top-level window; the caption defaults to
  // the application's name.
  int MessageBox(std::string_view text, std::string_view caption = {}, unsigned flags = MB_OK);

  // The top-level window that shows this one: itself for a dialog or sheet, the
  // sheet for a page that is on one; nullptr when there is none.
  virtual ModalWindow* TopLevelWindow() = 0;
  const ModalWindow* TopLevelWindow() const;

  // Framework use: a control reports a change; a notification reaches the message
  // map (returns whether a handler took it).
  void ControlChanged(const Control& control);
  virtual bool OnNotify(const Notification& notification);

 protected:
  // Builds the controls of the template (and the combos' initial lists); the caption
  // becomes the template's unless one was set. DestroyWindow() drops them again.
  void CreateFromTemplate(const DialogTemplate& entry);
  void DestroyWindow();
  // Sets the caption without telling an observer (before the window is shown).
  void SetTitleQuietly(std::string_view text) { title_ = text; }

 private:
  bool created_ = false;
  std::string title_;
  std::vector<std::unique_ptr<Control>> controls_;
};

}  // namespace quorvel::ui
