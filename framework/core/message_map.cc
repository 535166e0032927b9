#include "framework/core/message_map.h"

namespace quorvel::ui {

void MessageEntry::Invoke(CWnd& window, const Notification& n) const {
  if (plain_ != nullptr) {
    (window.*plain_)();
  } else if (notify_ != nullptr) {
    (window.*notify_)(n);
  }
}

}  // namespace quorvel::ui
