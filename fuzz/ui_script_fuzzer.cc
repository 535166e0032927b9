// Feeds arbitrary bytes to the UI script parser. Besides not crashing, it must fail
// only with a ScriptFailure that names a line of the text, and what it reads must
// survive being written again: every TEXT and LIST of a parsed step, written as a
// script writes it (QuoteScriptText, QuoteScriptList), reads back the same. The
// input as a whole, quoted as one text, must read back byte for byte too.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "framework/script/script.h"

namespace {

using quorvel::ui::ParseScript;
using quorvel::ui::QuoteScriptList;
using quorvel::ui::QuoteScriptText;
using quorvel::ui::Script;
using quorvel::ui::ScriptFailure;
using quorvel::ui::Step;
using quorvel::ui::StepKind;

[[noreturn]] void Fail() {
  __builtin_trap();
}

// The one step of a script of one line, or nothing when the parser refuses it.
bool ParseOne(const std::string& line, Step& step) {
  try {
    Script script = ParseScript(line);
    if (script.steps.size() != 1) {
      Fail();
    }
    step = std::move(script.steps.front());
    return true;
  } catch (const ScriptFailure& failure) {
    if (failure.Line() != 1) {
      Fail();
    }
    return false;
  }
}

void CheckTextRoundTrip(const std::string& text) {
  Step again;
  if (!ParseOne("expect 7 " + QuoteScriptText(text), again)) {
    // Only a text the system cannot hold may be refused.
    if (text.find('\0') == std::string::npos) {
      Fail();
    }
    return;
  }
  if (again.kind != StepKind::kExpect || again.id != 7 || again.text != text) {
    Fail();
  }
}

void CheckListRoundTrip(const std::vector<std::string>& items) {
  Step again;
  if (!ParseOne("expect-items 7 " + QuoteScriptList(items), again)) {
    for (const std::string& item : items) {
      if (item.find('\0') != std::string::npos) {
        return;
      }
    }
    Fail();
  }
  if (again.kind != StepKind::kExpectItems || again.id != 7 || again.items != items) {
    Fail();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  CheckTextRoundTrip(std::string(bytes));

  Script script;
  try {
    script = ParseScript(bytes);
  } catch (const ScriptFailure& failure) {
    // A failure names a line of the text (0: the text as a whole).
    const std::size_t lines =
        static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n'));
    if (failure.Line() < 0 || static_cast<std::size_t>(failure.Line()) > lines + 1) {
      Fail();
    }
    return 0;
  }
  for (const Step& step : script.steps) {
    if (step.line < 1 || step.line > script.lineCount) {
      Fail();
    }
    switch (step.kind) {
      case StepKind::kSet:
      case StepKind::kExpect:
      case StepKind::kExpectTitle:
      case StepKind::kExpectMessage:
      case StepKind::kExpectFolder:
      case StepKind::kChoose:
        CheckTextRoundTrip(step.text);
        break;
      case StepKind::kExpectItems:
      case StepKind::kExpectTabs:
        CheckListRoundTrip(step.items);
        break;
      default:
        break;
    }
  }
  return 0;
}
