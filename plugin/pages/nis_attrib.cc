#include "plugin/pages/nis_attrib.h"

#include "framework/core/constants.h"
#include "framework/core/data_exchange.h"
#include "plugin/templates/templates.h"

namespace quorvel::ui {

CNISAttrib::CNISAttrib() : AttributePage(IDD_NIS_ATTRIBUTES) {}

CNISAttrib::~CNISAttrib() = default;

void CNISAttrib::DoDataExchange(CDataExchange* pDX) {
  DDX_Text(pDX, IDC_FRAME_RATE, frameRate);
  DDV_MinMaxDWord(pDX, frameRate, kMinFrameRate, kMaxFrameRate);
}

std::span<const MessageEntry> CNISAttrib::GetMessageMap() const {
  // Not constexpr: a handler of a class with a second base converts at run time.
  static const MessageEntry kMap[] = {
      MessageEntry::Of<CNISAttrib>(BN_CLICKED, IDC_EVENT_EDITOR, &CNISAttrib::OnEventEditor),
  };
  return kMap;
}

void CNISAttrib::OnEventEditor() {
  RunEventEditor(events, /*modelLevel=*/true);
}

}  // namespace quorvel::ui
