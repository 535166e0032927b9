#include "plugin/dialogs/event_attrib.h"

#include <cstdlib>
#include <optional>

#include "framework/core/combo_box.h"
#include "framework/core/data_exchange.h"
#include "plugin/attributes/attribute_text.h"
#include "plugin/dialogs/event_value.h"
#include "plugin/dialogs/file_chooser.h"
#include "plugin/dialogs/file_value.h"
#include "plugin/dialogs/float_input.h"
#include "plugin/dialogs/object_input.h"
#include "plugin/dialogs/string_input.h"
#include "plugin/events/event_text.h"
#include "plugin/templates/templates.h"

namespace quorvel::ui {
namespace {

void AppendNames(NameList& to, const NameList& from) {
  if (to.empty()) {
    to = from;  // shares the names until one of the lists changes
    return;
  }
  for (const std::string& name : from)
    to.push_back(name);
}

}  // namespace

CEventAttrib::CEventAttrib(CWnd* parent) : CDialog(IDD_EVENT_ATTRIBUTES, parent) {}
CEventAttrib::~CEventAttrib() = default;

void CEventAttrib::SetCatalogue(const EventCatalogue& entries) {
  catalogue = entries;
}

void CEventAttrib::SetNameLists(const NameList& ships, const NameList& cameras,
                                const NameList& others) {
  AppendNames(shipNames, ships);
  AppendNames(cameraNames, cameras);
  AppendNames(otherNames, others);
}

void CEventAttrib::SplitEventText(std::string_view source) {
  EventFields fields{frame, eventIndex, value};
  quorvel::SplitEventText(source, catalogue, fields);
  frame = fields.frame;
  eventIndex = fields.eventIndex;
  value = std::move(fields.value);
}

void CEventAttrib::ComposeEventText(std::string& destination) const {
  quorvel::ComposeEventText(EventFields{frame, eventIndex, value}, catalogue, destination);
}

bool CEventAttrib::OnInitDialog() {
  CDialog::OnInitDialog();
  if (eventIndex == -1)
    eventIndex = 0;
  SetDlgItemText(IDC_VALUE, value);
  CComboBox combo = GetComboBox(IDC_EVENT);
  // The editor builds its catalogue from one set only, so every entry is listed and a
  // combo position is a catalogue position.
  for (const EventTypeEntry& entry : catalogue) {
    if (entry.modelLevel == modelLevel)
      combo.AddString(entry.name);
  }
  combo.SetCurSel(eventIndex);
  return true;
}

void CEventAttrib::DoDataExchange(CDataExchange* pDX) {
  DDX_Text(pDX, IDC_FRAME, frame);
  DDX_CBIndex(pDX, IDC_EVENT, eventIndex);
}

std::span<const MessageEntry> CEventAttrib::GetMessageMap() const {
  static const MessageEntry kMap[] = {
      MessageEntry::Of<CEventAttrib>(BN_CLICKED, IDC_VALUE, &CEventAttrib::OnValue),
      MessageEntry::Of<CEventAttrib>(CBN_SELCHANGE, IDC_EVENT, &CEventAttrib::OnSelchangeEvent),
  };
  return kMap;
}

void CEventAttrib::OnSelchangeEvent() {
  eventIndex = GetComboBox(IDC_EVENT).GetCurSel();
}

void CEventAttrib::OnValue() {
  if (eventIndex < 0 || static_cast<size_t>(eventIndex) >= catalogue.size())
    return;
  const EventTypeEntry entry = catalogue[static_cast<size_t>(eventIndex)];
  switch (entry.valueKind) {
    case ValueKind::kRawParameters:
      EnterRawParameters();
      break;
    case ValueKind::kNumber:
      EnterNumber();
      break;
    case ValueKind::kQuotedText:
      EnterQuotedText();
      break;
    case ValueKind::kFilePath:
      EnterFilePath(entry.hint);
      break;
    case ValueKind::kObjectName:
      EnterObjectName(entry.hint);
      break;
    default:  // kNoValue, and any kind this dialog does not know
      value.clear();
      break;
  }
  SetDlgItemText(IDC_VALUE, value);
}

void CEventAttrib::EnterRawParameters() {
  CStringInput input;
  input.prompt = kRawParametersPrompt;
  input.text = value;
  input.forEventValue = true;
  if (input.DoModal() == IDOK)
    value = input.text;
}

void CEventAttrib::EnterNumber() {
  CFloatInput input;
  input.number = NarrowToFloat(TextToNumber(value));
  input.forEventValue = true;
  if (input.DoModal() == IDOK)
    value = NumberToText(static_cast<double>(input.number));
}

void CEventAttrib::EnterQuotedText() {
  CStringInput input;
  input.prompt = kQuotedTextPrompt;
  // The entry asks for the text without quotes, and OK adds a new pair.
  input.text = UnquoteValue(value);
  input.forEventValue = true;
  if (input.DoModal() == IDOK)
    value = QuoteValue(input.text);
}

void CEventAttrib::EnterFilePath(const std::string& hint) {
  const char* root = std::getenv(kGameRootVariable);
  const std::optional<std::string> chosen =
      ChooseOpenFile(FileChooserFolder(root != nullptr ? root : "", hint));
  if (!chosen)
    return;
  std::string kept = CutChosenPath(*chosen, hint);
  if (BreaksEventLine(kept)) {
    RefuseChoice("file path", kept);
    return;
  }
  value = QuoteValue(kept);
}

void CEventAttrib::EnterObjectName(const std::string& hint) {
  CObjectInput input;
  if (hint == "ship") {
    input.choices = shipNames;
  } else if (hint == "camera") {
    input.choices = cameraNames;
  } else if (hint.empty()) {
    input.choices = shipNames;
    for (const std::string& name : cameraNames)
      input.choices.push_back(name);
    for (const std::string& name : otherNames)
      input.choices.push_back(name);
  }
  if (input.DoModal() != IDOK)
    return;
  std::string name;
  if (input.selection >= 0 && static_cast<size_t>(input.selection) < input.choices.size()) {
    name = input.choices[static_cast<size_t>(input.selection)];
  }
  if (BreaksEventLine(name)) {
    RefuseChoice("object name", name);
    return;
  }
  value = QuoteValue(name);
}

void CEventAttrib::RefuseChoice(std::string_view what, std::string_view chosen) {
  std::string text = "The chosen ";
  text.append(what);
  text.append(" holds \"|\", a carriage return or a line feed, which an event cannot store: ");
  text.append(chosen);
  text.append("\nThe value was left unchanged.");
  MessageBox(text, {}, MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace quorvel::ui
