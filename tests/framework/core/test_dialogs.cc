#include "tests/framework/core/test_dialogs.h"

#include <cstring>

namespace quorvel::ui::testing {
namespace {

using enum ControlClass;

constexpr uint32_t kPush = BS_PUSHBUTTON | WS_TABSTOP;
constexpr uint32_t kDefPush = BS_DEFPUSHBUTTON | WS_TABSTOP;
constexpr uint32_t kField = ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP;

constexpr ControlTemplate kNumbersControls[] = {
    {IDOK, kButton, "OK", {100, 5, 50, 14}, kDefPush},
    {IDCANCEL, kButton, "Cancel", {100, 22, 50, 14}, kPush},
    {501, kEdit, "", {5, 5, 90, 12}, kField},
    {502, kEdit, "", {5, 20, 90, 12}, kField},
    {503, kEdit, "", {5, 35, 90, 12}, kField},
    {504, kEdit, "", {5, 50, 90, 12}, kField | ES_NUMBER},
    {505, kEdit, "fixed", {5, 65, 90, 12}, kField | ES_READONLY},
    {506, kStatic, "Label", {5, 80, 90, 10}, SS_LEFT},
};
constexpr DialogTemplate kNumbers{
    kNumbersId, "Numbers", {0, 0, 155, 95}, kModalDialogStyle, kDialogFont, kNumbersControls, {}};

constexpr std::string_view kKinds[] = {"asteroid", "camera", "camera_target", "Effect",
                                       "None",     "ship",   "resource",      "salvage"};
constexpr ControlTemplate kListsControls[] = {
    {IDOK, kButton, "OK", {200, 5, 50, 14}, kDefPush},
    {IDCANCEL, kButton, "Cancel", {200, 22, 50, 14}, kPush},
    {521, kComboBox, "", {5, 5, 150, 15}, CBS_DROPDOWN | WS_VSCROLL | WS_TABSTOP},
    {522, kComboBox, "", {5, 22, 150, 15}, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP},
    {523,
     kListView,
     "List1",
     {5, 40, 150, 60},
     LVS_SMALLICON | LVS_SINGLESEL | WS_BORDER | WS_TABSTOP},
    {524, kButton, "Refill", {200, 40, 50, 14}, kPush},
};
constexpr ComboInitList kListsInit[] = {{521, kKinds}};
constexpr DialogTemplate kLists{kListsId,    "Lists",        {0, 0, 255, 105}, kModalDialogStyle,
                                kDialogFont, kListsControls, kListsInit};

constexpr ControlTemplate kOuterControls[] = {
    {IDOK, kButton, "OK", {150, 5, 50, 14}, kDefPush},
    {IDCANCEL, kButton, "Cancel", {150, 22, 50, 14}, kPush},
    {541, kButton, "Inner", {5, 5, 50, 14}, kPush},
    {542, kStatic, "", {5, 60, 140, 10}, SS_LEFT},
    {543, kButton, "Ask", {5, 22, 50, 14}, kPush},
    {544, kButton, "File", {60, 5, 50, 14}, kPush},
    {545, kButton, "Off", {60, 22, 50, 14}, kPush},
};
constexpr DialogTemplate kOuter{
    kOuterId, "Outer", {0, 0, 205, 75}, kModalDialogStyle, kDialogFont, kOuterControls, {}};

constexpr ControlTemplate kInnerControls[] = {
    {IDOK, kButton, "OK", {100, 5, 50, 14}, kDefPush},
    {IDCANCEL, kButton, "Cancel", {100, 22, 50, 14}, kPush},
    {551, kEdit, "", {5, 5, 90, 12}, kField},
};
constexpr DialogTemplate kInner{
    kInnerId, "Inner", {0, 0, 155, 40}, kModalDialogStyle, kDialogFont, kInnerControls, {}};

constexpr ControlTemplate kFirstControls[] = {
    {IDC_STATIC, kStatic, "Rate:", {5, 5, 70, 12}, SS_LEFT},
    {561, kEdit, "", {80, 5, 100, 12}, kField},
    {562, kButton, "Open", {130, 20, 50, 15}, kPush},
};
constexpr DialogTemplate kFirstPage{
    kFirstPageId, "First", {0, 0, 200, 40}, kPropertyPageStyle, kDialogFont, kFirstControls, {}};

constexpr ControlTemplate kSecondControls[] = {
    {571, kComboBox, "", {80, 5, 100, 15}, CBS_DROPDOWN | WS_VSCROLL | WS_TABSTOP},
    {572, kEdit, "", {80, 22, 100, 12}, kField},
};
constexpr ComboInitList kSecondInit[] = {{571, kKinds}};
constexpr DialogTemplate kSecondPage{kSecondPageId,      "Second",    {0, 0, 200, 40},
                                     kPropertyPageStyle, kDialogFont, kSecondControls,
                                     kSecondInit};

constexpr const DialogTemplate* kTemplates[] = {&kNumbers, &kLists,     &kOuter,
                                                &kInner,   &kFirstPage, &kSecondPage};

}  // namespace

TemplateSet TestTemplates() {
  return kTemplates;
}

void NumbersDialog::DoDataExchange(CDataExchange* pDX) {
  DDX_Text(pDX, 501, frameRate);
  DDV_MinMaxDWord(pDX, frameRate, 1, 1000);
  DDX_Text(pDX, 502, number);
  DDX_Text(pDX, 503, text);
}

void NumbersDialog::OnOK() {
  CDialog::OnOK();
  if (IsEnded())
    return;
  Refusal refusal;
  refusal.focus = GetFocusId();
  if (Control* field = GetDlgItem(refusal.focus)) {
    refusal.selStart = field->SelectionStart();
    refusal.selEnd = field->SelectionEnd();
    refusal.fieldText = field->Text();
  }
  refusals.push_back(refusal);
}

void ListsDialog::DoDataExchange(CDataExchange* pDX) {
  DDX_Control(pDX, 521, kindCombo_);
  DDX_Control(pDX, 523, list_);
  DDX_CBString(pDX, 521, kind);
  DDX_CBIndex(pDX, 522, choice);
}

bool ListsDialog::OnInitDialog() {
  // Fill before the show exchange, so that the index can select an item.
  CComboBox choiceCombo = GetComboBox(522);
  for (const std::string& name : choices)
    choiceCombo.AddString(name);
  CDialog::OnInitDialog();
  for (size_t i = 0; i < items.size(); ++i)
    list_.InsertItem(static_cast<int>(i), items[i]);
  if (!selectText.empty())
    selectResult = choiceCombo.SelectString(selectAfter, selectText);
  return true;
}

std::span<const MessageEntry> ListsDialog::GetMessageMap() const {
  static const MessageEntry kMap[] = {
      MessageEntry::Of<ListsDialog>(LVN_ITEMCHANGED, 523, &ListsDialog::OnItemChanged),
      MessageEntry::Of<ListsDialog>(NM_DBLCLK, 523, &ListsDialog::OnDoubleClick),
      MessageEntry::Of<ListsDialog>(CBN_SELCHANGE, 521, &ListsDialog::OnSelChangeKind),
      MessageEntry::Of<ListsDialog>(CBN_SELCHANGE, 522, &ListsDialog::OnSelChangeChoice),
      MessageEntry::Of<ListsDialog>(BN_CLICKED, 524, &ListsDialog::OnRefill),
  };
  return kMap;
}

void ListsDialog::OnItemChanged(const Notification& n) {
  log.push_back("changed " + std::to_string(n.item));
}

void ListsDialog::OnDoubleClick(const Notification& n) {
  log.push_back("dblclk " + std::to_string(n.item));
}

void ListsDialog::OnSelChangeKind() {
  log.push_back("selchange 521 " + std::to_string(kindCombo_.GetCurSel()));
}

void ListsDialog::OnSelChangeChoice() {
  log.push_back("selchange 522 " + std::to_string(GetComboBox(522).GetCurSel()));
}

void ListsDialog::OnRefill() {
  list_.DeleteAllItems();
  for (size_t i = 0; i < items.size(); ++i)
    list_.InsertItem(static_cast<int>(i), items[i]);
  list_.RedrawItems(0, static_cast<int>(items.size()) - 1);
}

std::span<const MessageEntry> OuterDialog::GetMessageMap() const {
  static const MessageEntry kMap[] = {
      MessageEntry::Of<OuterDialog>(BN_CLICKED, 541, &OuterDialog::OnInner),
      MessageEntry::Of<OuterDialog>(BN_CLICKED, 543, &OuterDialog::OnAsk),
      MessageEntry::Of<OuterDialog>(BN_CLICKED, 544, &OuterDialog::OnFile),
      MessageEntry::Of<OuterDialog>(BN_CLICKED, 545, &OuterDialog::OnToggle),
  };
  return kMap;
}

void OuterDialog::Show(const std::string& text) {
  outcome = text;
  SetDlgItemText(542, text);
}

void OuterDialog::OnInner() {
  InnerDialog inner;
  inner.text = "first";
  Show(inner.DoModal() == IDOK ? inner.text : "cancelled");
}

void OuterDialog::OnAsk() {
  const int answer =
      ui::MessageBox(nullptr, "Proceed?", "Quorvel", MB_YESNOCANCEL | MB_ICONQUESTION);
  Show(std::string(AnswerWord(answer)));
}

void OuterDialog::OnFile() {
  char file[260] = "";
  char title[260];
  char initialDir[260];
  std::strncpy(initialDir, folder.c_str(), sizeof initialDir - 1);
  initialDir[sizeof initialDir - 1] = '\0';
  OpenFileRequest request = ValueEntryRequest(file, title, initialDir);
  Show(GetOpenFileName(request) != 0 ? std::string(file) : "none");
}

void OuterDialog::OnToggle() {
  CButton button = GetButton(545);
  button.SetWindowText(button.GetWindowText() == "Off" ? "On" : "Off");
}

void FirstPage::DoDataExchange(CDataExchange* pDX) {
  DDX_Text(pDX, 561, frameRate);
  DDV_MinMaxDWord(pDX, frameRate, 1, 1000);
}

bool FirstPage::OnInitDialog() {
  ++initCount;
  return CPropertyPage::OnInitDialog();
}

std::span<const MessageEntry> FirstPage::GetMessageMap() const {
  static const MessageEntry kMap[] = {
      MessageEntry::Of<FirstPage>(BN_CLICKED, 562, &FirstPage::OnOpen),
  };
  return kMap;
}

void FirstPage::OnOpen() {
  InnerDialog inner;
  inner.DoModal();
}

void SecondPage::DoDataExchange(CDataExchange* pDX) {
  DDX_CBString(pDX, 571, kind);
  DDX_Text(pDX, 572, name);
}

bool SecondPage::OnInitDialog() {
  ++initCount;
  return CPropertyPage::OnInitDialog();
}

}  // namespace quorvel::ui::testing
