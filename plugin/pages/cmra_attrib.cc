#include "plugin/pages/cmra_attrib.h"

#include "framework/core/constants.h"
#include "framework/core/data_exchange.h"
#include "plugin/templates/templates.h"

namespace quorvel::ui {

CCMRAAttrib::CCMRAAttrib() : AttributePage(IDD_CAMERAS) {}

CCMRAAttrib::~CCMRAAttrib() = default;

void CCMRAAttrib::SetCaption(std::string_view name) {
  cameraName = name;
  std::string caption = "Camera: ";
  caption += name;
  SetTitle(caption);
}

void CCMRAAttrib::SetObjectNames(const NameList& objectNames) {
  objectNames_ = objectNames;
}

bool CCMRAAttrib::OnInitDialog() {
  AttributePage::OnInitDialog();  // binds the combo and shows the camera's name
  centerOfInterestControl_.AddString("");
  for (const std::string& name : objectNames_) {
    centerOfInterestControl_.AddString(name);
  }
  // Searched after the empty entry first, so that it is found only by an empty
  // search. An empty name selects nothing: the field stays empty rather than showing
  // a joint that was never chosen.
  if (!centerOfInterest.empty()) {
    centerOfInterestControl_.SelectString(0, centerOfInterest);
  }
  return true;
}

void CCMRAAttrib::DoDataExchange(CDataExchange* pDX) {
  DDX_Control(pDX, IDC_CENTER_OF_INTEREST, centerOfInterestControl_);
  DDX_Text(pDX, IDC_CAMERA_NAME, cameraName);
}

std::span<const MessageEntry> CCMRAAttrib::GetMessageMap() const {
  // Not constexpr: a handler of a class with a second base converts at run time.
  static const MessageEntry kMap[] = {
      MessageEntry::Of<CCMRAAttrib>(CBN_SELCHANGE, IDC_CENTER_OF_INTEREST,
                                    &CCMRAAttrib::OnSelchangeCenterOfInterest),
      MessageEntry::Of<CCMRAAttrib>(BN_CLICKED, IDC_EVENT_EDITOR, &CCMRAAttrib::OnEventEditor),
  };
  return kMap;
}

void CCMRAAttrib::OnSelchangeCenterOfInterest() {
  // No selection leaves the text as it is rather than emptying it.
  centerOfInterestControl_.GetLBText(centerOfInterestControl_.GetCurSel(), centerOfInterest);
}

void CCMRAAttrib::OnEventEditor() {
  RunEventEditor(events, /*modelLevel=*/false);
}

}  // namespace quorvel::ui
