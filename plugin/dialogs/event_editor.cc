#include "plugin/dialogs/event_editor.h"

#include "framework/core/list_ctrl.h"
#include "plugin/dialogs/event_attrib.h"
#include "plugin/events/event_insert.h"
#include "plugin/events/event_order.h"
#include "plugin/templates/templates.h"

namespace quorvel::ui {
namespace {

constexpr std::string_view kSelectFirstMessage = "Please select an event first!";
constexpr std::string_view kCaption = "Quorvel";

// One item per event, in order, labelled with the whole event text.
void FillList(CListCtrl& list, const EventList& events) {
  list.DeleteAllItems();
  for (size_t i = 0; i < events.size(); ++i) {
    list.InsertItem(static_cast<int>(i), events[i]);
  }
}

}  // namespace

CEventEditor::CEventEditor(CWnd* parent) : CDialog(IDD_EVENT_EDITOR, parent) {}
CEventEditor::~CEventEditor() = default;

void CEventEditor::SetNameLists(const NameList& ships, const NameList& cameras,
                                const NameList& others) {
  shipNames = ships;
  cameraNames = cameras;
  otherNames = others;
}

void CEventEditor::SetEvents(const EventList& list) {
  events = list;
}

void CEventEditor::GetEvents(EventList& list) const {
  list = events;
}

void CEventEditor::BuildCatalogue() {
  quorvel::BuildCatalogue(catalogue, modelLevel);
}

void CEventEditor::AddEventType(std::string name, ValueKind valueKind, bool entryModelLevel,
                                std::string hint) {
  quorvel::AddEventType(catalogue, std::move(name), valueKind, entryModelLevel, std::move(hint));
}

EventCatalogue CEventEditor::CopyCatalogue() const {
  return catalogue;
}

void CEventEditor::SortEvents() {
  quorvel::SortEvents(events);
}

void CEventEditor::RefillList() {
  CListCtrl list = GetListCtrl(IDC_EVENT_LIST);
  FillList(list, events);
  // The element that Edit, Remove and a double click act on is the one shown
  // selected; showing it leaves selectedIndex as it is.
  if (HasSelection())
    list.ShowSelectedItem(selectedIndex);
  list.RedrawItems(0, static_cast<int>(events.size()) - 1);
}

bool CEventEditor::OnInitDialog() {
  CDialog::OnInitDialog();
  // Once a run: the editor is the only one that builds it, and it starts empty.
  catalogue.clear();
  BuildCatalogue();
  // The list first shows the events in the order the page handed them over.
  CListCtrl list = GetListCtrl(IDC_EVENT_LIST);
  FillList(list, events);
  return true;
}

void CEventEditor::DoDataExchange(CDataExchange* /*pDX*/) {}

std::span<const MessageEntry> CEventEditor::GetMessageMap() const {
  static const MessageEntry kMap[] = {
      MessageEntry::Of<CEventEditor>(BN_CLICKED, IDC_ADD, &CEventEditor::OnAdd),
      MessageEntry::Of<CEventEditor>(BN_CLICKED, IDC_EDIT, &CEventEditor::OnEdit),
      MessageEntry::Of<CEventEditor>(BN_CLICKED, IDC_REMOVE, &CEventEditor::OnRemove),
      MessageEntry::Of<CEventEditor>(LVN_ITEMCHANGED, IDC_EVENT_LIST,
                                     &CEventEditor::OnItemchangedEventList),
      MessageEntry::Of<CEventEditor>(NM_DBLCLK, IDC_EVENT_LIST, &CEventEditor::OnDblclkEventList),
  };
  return kMap;
}

bool CEventEditor::HasSelection() const {
  return selectedIndex >= 0 && static_cast<size_t>(selectedIndex) < events.size();
}

bool CEventEditor::RunEventAttrib(const std::string* source, std::string& destination) {
  CEventAttrib dialog;
  dialog.SetCatalogue(CopyCatalogue());
  dialog.SetNameLists(shipNames, cameraNames, otherNames);
  dialog.modelLevel = modelLevel;
  if (source != nullptr)
    dialog.SplitEventText(*source);
  if (dialog.DoModal() != IDOK)
    return false;
  dialog.ComposeEventText(destination);
  return true;
}

void CEventEditor::OnAdd() {
  std::string added;
  if (!RunEventAttrib(nullptr, added))
    return;
  // The order is that of appending and sorting the whole list, without its cost.
  InsertEvent(events, std::move(added));
  RefillList();
}

void CEventEditor::OnEdit() {
  // An index past the end (left from before a removal) selects nothing.
  if (!HasSelection()) {
    MessageBox(kSelectFirstMessage, kCaption, MB_OK);
    return;
  }
  const auto index = static_cast<size_t>(selectedIndex);
  const std::string source = events[index];
  std::string edited = source;
  if (!RunEventAttrib(&source, edited))
    return;
  events[index] = std::move(edited);
  SortEvents();
  RefillList();
}

void CEventEditor::OnRemove() {
  if (!HasSelection()) {
    MessageBox(kSelectFirstMessage, kCaption, MB_OK);
    return;
  }
  events.erase(events.begin() + selectedIndex);
  SortEvents();
  RefillList();
}

void CEventEditor::OnItemchangedEventList(const Notification& notification) {
  selectedIndex = notification.item;
}

void CEventEditor::OnDblclkEventList() {
  if (!HasSelection()) {
    SortEvents();
    RefillList();
    return;
  }
  OnEdit();
}

}  // namespace quorvel::ui
