#include "plugin/pages/folw_attrib.h"

#include "framework/core/constants.h"
#include "framework/core/data_exchange.h"
#include "plugin/templates/templates.h"

namespace quorvel::ui {

CFOLWAttrib::CFOLWAttrib() : AttributePage(IDD_FOLLOWERS) {}

CFOLWAttrib::~CFOLWAttrib() = default;

void CFOLWAttrib::SetCaption(std::string_view name) {
  followerName = name;
  std::string caption = "Actor: ";
  caption += name;
  SetTitle(caption);
}

void CFOLWAttrib::DoDataExchange(CDataExchange* pDX) {
  DDX_Text(pDX, IDC_FOLLOWER_NAME, followerName);
  DDX_Text(pDX, IDC_SOB_GROUP_NAME, sobGroupName);
  // Selects by prefix over the whole list, else shows the text itself; an empty text
  // matches no entry, so it shows and comes back empty.
  DDX_CBString(pDX, IDC_SOB_GROUP_TYPE, sobGroupType);
}

std::span<const MessageEntry> CFOLWAttrib::GetMessageMap() const {
  // Not constexpr: a handler of a class with a second base converts at run time.
  static const MessageEntry kMap[] = {
      MessageEntry::Of<CFOLWAttrib>(BN_CLICKED, IDC_EVENT_EDITOR, &CFOLWAttrib::OnEventEditor),
  };
  return kMap;
}

void CFOLWAttrib::OnEventEditor() {
  RunEventEditor(events, /*modelLevel=*/false);
}

}  // namespace quorvel::ui
