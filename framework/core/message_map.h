// Message maps without macros: a table from (notification, control id) to a handler.
//
// A dialog or page overrides GetMessageMap() and returns a static table:
//
//   std::span<const MessageEntry> CEventEditor::GetMessageMap() const {
//     static const MessageEntry kMap[] = {
//         MessageEntry::Of<CEventEditor>(BN_CLICKED, 11007, &CEventEditor::OnAdd),
//         MessageEntry::Of<CEventEditor>(LVN_ITEMCHANGED, 11006,
//                                        &CEventEditor::OnItemchangedEventList),
//     };
//     return kMap;
//   }
//
// A handler takes no arguments, or a `const Notification&` when it needs the item
// that a list view notification carries (LVN_ITEMCHANGED, NM_DBLCLK).
#pragma once

#include <type_traits>

namespace quorvel::ui {

class CWnd;

// One notification from a control to the window that holds it.
struct Notification {
  int code = 0;  // BN_CLICKED, CBN_SELCHANGE, LVN_ITEMCHANGED, NM_DBLCLK, ...
  int controlId = 0;
  int item = -1;  // list views: the item concerned, -1 for empty space
};

class MessageEntry {
 public:
  using PlainHandler = void (CWnd::*)();
  using NotifyHandler = void (CWnd::*)(const Notification&);

  template <class T>
  static MessageEntry Of(int code, int controlId, void (T::*handler)()) {
    static_assert(std::is_base_of_v<CWnd, T>, "handlers belong to a window class");
    return MessageEntry(code, controlId, static_cast<PlainHandler>(handler), nullptr);
  }
  template <class T>
  static MessageEntry Of(int code, int controlId, void (T::*handler)(const Notification&)) {
    static_assert(std::is_base_of_v<CWnd, T>, "handlers belong to a window class");
    return MessageEntry(code, controlId, nullptr, static_cast<NotifyHandler>(handler));
  }

  int Code() const { return code_; }
  int ControlId() const { return controlId_; }
  bool Matches(const Notification& n) const { return n.code == code_ && n.controlId == controlId_; }
  // Calls the handler on window, which must be of the class the entry was made for.
  void Invoke(CWnd& window, const Notification& n) const;

 private:
  MessageEntry(int code, int controlId, PlainHandler plain, NotifyHandler notify)
      : code_(code), controlId_(controlId), plain_(plain), notify_(notify) {}

  int code_;
  int controlId_;
  PlainHandler plain_;
  NotifyHandler notify_;
};

}  // namespace quorvel::ui
