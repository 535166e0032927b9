// Small dialogs and a sheet on templates of the tests' own, used by the framework's
// tests and by the scenario suite that every backend runs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "framework/core/framework.h"

namespace quorvel::ui::testing {

// Template ids.
inline constexpr int kNumbersId = 500;
inline constexpr int kListsId = 520;
inline constexpr int kOuterId = 540;
inline constexpr int kInnerId = 550;
inline constexpr int kFirstPageId = 560;
inline constexpr int kSecondPageId = 570;

// Every test template.
TemplateSet TestTemplates();

// An open-file request as the event editor's value entry makes it: all files,
// titled "Open", starting in `initialDir`, the chosen path and its name written to
// `file` and `title`.
template <std::size_t N>
OpenFileRequest ValueEntryRequest(char (&file)[N], char (&title)[N], const char* initialDir) {
  OpenFileRequest request{};
  request.structSize = kOpenFileRequestSize;
  request.filter = "All Files (*.*)\0*.*\0";
  request.file = file;
  request.maxFile = N;
  request.fileTitle = title;
  request.maxFileTitle = N;
  request.initialDir = initialDir;
  request.title = "Open";
  request.flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST;
  request.defaultExtension = "*.*";
  return request;
}

// 500 "Numbers": edit 501 unsigned (1..1000), 502 float, 503 text, 504 digits only,
// 505 read-only, static 506.
class NumbersDialog : public CDialog {
 public:
  NumbersDialog() : CDialog(kNumbersId) {}
  uint32_t frameRate = 24;
  float number = 0.5f;
  std::string text = "start";

  // What OnOK saw when the take-back was refused: the focus and the focused edit's
  // selection, with its text.
  struct Refusal {
    int focus = 0;
    int selStart = 0;
    int selEnd = 0;
    std::string fieldText;
  };
  std::vector<Refusal> refusals;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  void OnOK() override;
};

// 520 "Lists": combo 521 with a field and an initial list, combo 522 a drop-down list
// (filled from `choices`), list view 523 (filled from `items`), button 524 "Refill".
class ListsDialog : public CDialog {
 public:
  ListsDialog() : CDialog(kListsId) {}
  std::string kind;  // DDX_CBString with 521
  int choice = -1;   // DDX_CBIndex with 522
  std::vector<std::string> choices;
  std::vector<std::string> items;
  // SelectString(selectAfter, selectText) on 522 in OnInitDialog, when selectText is set.
  int selectAfter = -1;
  std::string selectText;
  int selectResult = 0;
  std::vector<std::string> log;  // notifications, e.g. "changed 2", "dblclk -1", "selchange 521 3"

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  bool OnInitDialog() override;
  std::span<const MessageEntry> GetMessageMap() const override;

 private:
  void OnItemChanged(const Notification& n);
  void OnDoubleClick(const Notification& n);
  void OnSelChangeKind();
  void OnSelChangeChoice();
  void OnRefill();
  CComboBox kindCombo_;
  CListCtrl list_;
};

// 550 "Inner": edit 551 with `text`.
class InnerDialog : public CDialog {
 public:
  InnerDialog() : CDialog(kInnerId) {}
  std::string text;

 protected:
  void DoDataExchange(CDataExchange* pDX) override { DDX_Text(pDX, 551, text); }
};

// 540 "Outer": button 541 opens InnerDialog; 543 asks a Yes/No/Cancel question; 544
// opens the file chooser at `folder`; 545 toggles its own caption; static 542 shows
// the outcome of the last of these.
class OuterDialog : public CDialog {
 public:
  OuterDialog() : CDialog(kOuterId) {}
  std::string folder = "C:\\Games\\ZU2\\data\\sound\\sfx\\";
  std::string outcome;

 protected:
  std::span<const MessageEntry> GetMessageMap() const override;

 private:
  void OnInner();
  void OnAsk();
  void OnFile();
  void OnToggle();
  void Show(const std::string& text);
};

// 560 "First": edit 561 unsigned (1..1000), button 562 opens InnerDialog.
class FirstPage : public CPropertyPage {
 public:
  FirstPage() : CPropertyPage(kFirstPageId) {}
  uint32_t frameRate = 24;
  int initCount = 0;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  bool OnInitDialog() override;
  std::span<const MessageEntry> GetMessageMap() const override;

 private:
  void OnOpen();
};

// 570 "Second": combo 571 with a field and an initial list, edit 572 text.
class SecondPage : public CPropertyPage {
 public:
  SecondPage() : CPropertyPage(kSecondPageId) {}
  std::string kind = "None";
  std::string name;
  int initCount = 0;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  bool OnInitDialog() override;
};

}  // namespace quorvel::ui::testing
