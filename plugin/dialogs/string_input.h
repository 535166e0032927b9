// CStringInput: the "Input" dialog for one line of text under a prompt (template 11008).
//
//   CStringInput input;
//   input.prompt = "Please enter desired string (no quotes):";
//   input.text = current;
//   if (input.DoModal() == IDOK) use(input.text);
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "framework/core/dialog.h"

namespace quorvel::ui {

class CStringInput : public CDialog {
 public:
  explicit CStringInput(CWnd* parent = nullptr);
  ~CStringInput() override;

  std::string text;
  std::string prompt = "Enter string:";
  // When set, OK refuses a text holding "|", CR or LF, which would break the stored
  // event line. Off, the dialog takes any text.
  bool forEventValue = false;

  bool OnInitDialog() override;
  void DoDataExchange(CDataExchange* pDX) override;
  std::span<const MessageEntry> GetMessageMap() const override;
};

inline constexpr std::string_view kLineBreakerMessage =
    "The value cannot hold the characters \"|\", carriage return or line feed: they would "
    "break the stored event. Please remove them.";

}  // namespace quorvel::ui
