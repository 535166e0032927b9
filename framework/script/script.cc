#include "framework/script/script.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <optional>

#include <nlohmann/json.hpp>

#include "framework/core/latin1.h"
#include "framework/script/script_file.h"

namespace quorvel::ui {
namespace {

// The most a script may hold, and how deep a LIST may nest its brackets. A real
// script is a few kilobytes and a LIST one level deep; the bounds only keep a
// hostile file from exhausting memory or the stack.
constexpr std::uint64_t kMaxScriptSize = std::uint64_t{16} << 20;
constexpr int kMaxNesting = 32;

// The code point of the first character above U+00FF in valid UTF-8 `text`, or 0.
char32_t FirstBeyondLatin1(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    if (lead >= 0xC4) {  // 0xC4 0x80 is U+0100
      char32_t code = length == 2 ? lead & 0x1F : length == 3 ? lead & 0x0F : lead & 0x07;
      for (std::size_t k = 1; k < length; ++k) {
        code = code << 6 | (static_cast<unsigned char>(text[i + k]) & 0x3F);
      }
      return code;
    }
    i += length;
  }
  return 0;
}

// How deep the brackets of JSON `text` nest, outside its strings; counting stops
// past `limit`.
int NestingDepth(std::string_view text, int limit) {
  int depth = 0;
  int deepest = 0;
  bool inString = false;
  for (std::size_t i = 0; i < text.size() && deepest <= limit; ++i) {
    const char c = text[i];
    if (inString) {
      if (c == '\\') {
        ++i;
      } else if (c == '"') {
        inString = false;
      }
    } else if (c == '"') {
      inString = true;
    } else if (c == '[' || c == '{') {
      deepest = std::max(deepest, ++depth);
    } else if (c == ']' || c == '}') {
      --depth;
    }
  }
  return deepest;
}

enum class Args { kNone, kName, kNumber, kId, kIdText, kIdNumber, kIdList, kList, kText, kWord };

struct StepForm {
  std::string_view word;
  StepKind kind;
  Args args;
};

constexpr StepForm kForms[] = {
    {"window", StepKind::kWindow, Args::kName},
    {"tab", StepKind::kTab, Args::kNumber},
    {"set", StepKind::kSet, Args::kIdText},
    {"pick", StepKind::kPick, Args::kIdNumber},
    {"dblclick", StepKind::kDoubleClick, Args::kIdNumber},
    {"click", StepKind::kClick, Args::kId},
    {"expect", StepKind::kExpect, Args::kIdText},
    {"expect-items", StepKind::kExpectItems, Args::kIdList},
    {"expect-selected", StepKind::kExpectSelected, Args::kIdNumber},
    {"expect-tabs", StepKind::kExpectTabs, Args::kList},
    {"expect-active", StepKind::kExpectActive, Args::kNumber},
    {"expect-title", StepKind::kExpectTitle, Args::kText},
    {"expect-message", StepKind::kExpectMessage, Args::kText},
    {"answer", StepKind::kAnswer, Args::kWord},
    {"expect-folder", StepKind::kExpectFolder, Args::kText},
    {"choose", StepKind::kChoose, Args::kText},
    {"cancel", StepKind::kCancel, Args::kNone},
};

class LineParser {
 public:
  LineParser(int line, std::string_view rest) : line_(line), rest_(rest) {}

  [[noreturn]] void Fail(const std::string& message) const { throw ScriptFailure(line_, message); }

  // Scripts are UTF-8 text and the system's texts are 8-bit: a text whose characters
  // are all U+00FF or below stands for those bytes. A text that is no UTF-8 is kept
  // as written, so a script saved as 8-bit text reads byte for byte. A character
  // beyond U+00FF cannot be part of any text of the system, and neither can a NUL:
  // the host takes texts as C strings, which end there.
  std::string ModelText(std::string_view text) const {
    if (text.find('\0') != std::string_view::npos) {
      Fail(
          "a text holds U+0000 (NUL), which no text of the system can hold: the host "
          "would end the text there");
    }
    if (!IsUtf8(text)) {
      return std::string(text);
    }
    if (std::optional<std::string> bytes = Utf8ToLatin1(text)) {
      return std::move(*bytes);
    }
    char code[16];
    std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(FirstBeyondLatin1(text)));
    Fail(std::string("a text holds ") + code +
         ", but texts are 8-bit: they hold characters up to U+00FF only");
  }

  // The next blank-separated argument; the blank after it is consumed.
  std::string_view Token(const char* what) {
    if (rest_.empty())
      Fail("missing " + std::string(what));
    const size_t blank = rest_.find(' ');
    const std::string_view token = rest_.substr(0, blank);
    rest_ = blank == std::string_view::npos ? std::string_view() : rest_.substr(blank + 1);
    if (token.empty())
      Fail(std::string(what) + " expected, found a second blank");
    return token;
  }

  int Number(const char* what) {
    const std::string_view token = Token(what);
    int value = 0;
    const auto [ptr, error] = std::from_chars(token.data(), token.data() + token.size(), value);
    if (error != std::errc() || ptr != token.data() + token.size()) {
      Fail(std::string(what) + " expected, found " + QuoteScriptText(token));
    }
    return value;
  }

  // TEXT: the rest as it stands, or one JSON string when it starts with a quote.
  std::string Text() {
    const std::string_view rest = rest_;
    rest_ = {};
    if (rest.empty() || rest.front() != '"')
      return ModelText(rest);
    const nlohmann::json value = Json(rest, "a JSON string");
    if (!value.is_string())
      Fail("a JSON string expected, found " + QuoteScriptText(rest));
    return ModelText(value.get<std::string>());
  }

  std::vector<std::string> List() {
    const std::string_view rest = rest_;
    rest_ = {};
    const nlohmann::json value = Json(rest, "a JSON array of strings");
    if (!value.is_array())
      Fail("a JSON array of strings expected, found " + QuoteScriptText(rest));
    std::vector<std::string> items;
    for (const auto& item : value) {
      if (!item.is_string())
        Fail("the list holds " + item.dump() + ", which is not a string");
      items.push_back(ModelText(item.get<std::string>()));
    }
    return items;
  }

  void End() const {
    if (!rest_.empty())
      Fail("unexpected " + QuoteScriptText(rest_) + " at the end of the step");
  }

 private:
  nlohmann::json Json(std::string_view text, const char* what) const {
    if (NestingDepth(text, kMaxNesting) > kMaxNesting) {
      Fail(std::string(what) + " expected, found brackets nested more than " +
           std::to_string(kMaxNesting) + " deep");
    }
    try {
      // A script saved as 8-bit text holds bytes that are no UTF-8; JSON takes them
      // as the characters of the same numbers.
      return nlohmann::json::parse(IsUtf8(text) ? std::string(text) : Latin1ToUtf8(text));
    } catch (const nlohmann::json::exception&) {
      Fail(std::string(what) + " expected, found " + QuoteScriptText(text));
    }
  }

  int line_;
  std::string_view rest_;
};

Step ParseStep(int line, std::string_view text) {
  const size_t blank = text.find(' ');
  const std::string_view word = text.substr(0, blank);
  const StepForm* form = nullptr;
  for (const StepForm& candidate : kForms) {
    if (candidate.word == word)
      form = &candidate;
  }
  if (form == nullptr)
    throw ScriptFailure(line, "unknown step " + QuoteScriptText(word));

  Step step;
  step.line = line;
  step.kind = form->kind;
  step.word = std::string(word);
  LineParser args(line,
                  blank == std::string_view::npos ? std::string_view() : text.substr(blank + 1));
  switch (form->args) {
    case Args::kNone:
      break;
    case Args::kName: {
      step.name = std::string(args.Token("a window name"));
      int id = 0;
      const auto [ptr, error] =
          std::from_chars(step.name.data(), step.name.data() + step.name.size(), id);
      const bool isNumber = error == std::errc() && ptr == step.name.data() + step.name.size();
      if (!isNumber && step.name != "sheet" && step.name != "message" && step.name != "file") {
        args.Fail("a window is a template number, sheet, message or file; found " +
                  QuoteScriptText(step.name));
      }
      break;
    }
    case Args::kNumber:
      step.number = args.Number("a number");
      break;
    case Args::kId:
      step.id = args.Number("a control id");
      break;
    case Args::kIdText:
      step.id = args.Number("a control id");
      step.text = args.Text();
      break;
    case Args::kIdNumber:
      step.id = args.Number("a control id");
      step.number = args.Number("an item number");
      break;
    case Args::kIdList:
      step.id = args.Number("a control id");
      step.items = args.List();
      break;
    case Args::kList:
      step.items = args.List();
      break;
    case Args::kText:
      step.text = args.Text();
      break;
    case Args::kWord:
      step.text = std::string(args.Token("an answer"));
      if (step.text != "ok" && step.text != "yes" && step.text != "no" && step.text != "cancel") {
        args.Fail("an answer is ok, yes, no or cancel; found " + QuoteScriptText(step.text));
      }
      break;
  }
  args.End();
  return step;
}

}  // namespace

ScriptFailure::ScriptFailure(int line, const std::string& message)
    : std::runtime_error(line > 0 ? "script line " + std::to_string(line) + ": " + message
                                  : "script: " + message),
      line_(line) {}

Script ParseScript(std::string_view text) {
  if (text.size() > kMaxScriptSize) {
    throw ScriptFailure(0, "the script holds " + std::to_string(text.size()) +
                               " bytes; a script may hold at most " +
                               std::to_string(kMaxScriptSize));
  }
  Script script;
  int line = 0;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos)
      end = text.size();
    std::string_view content = text.substr(start, end - start);
    start = end + 1;
    ++line;
    if (!content.empty() && content.back() == '\r')
      content.remove_suffix(1);
    if (content.find_first_not_of(" \t") == std::string_view::npos)
      continue;
    if (content.front() == '#')
      continue;
    script.steps.push_back(ParseStep(line, content));
  }
  script.lineCount = line;
  return script;
}

Script LoadScript(const std::string& path) {
  return ParseScript(ReadScriptFile(path, kMaxScriptSize));
}

std::string StepHead(const Step& step) {
  switch (step.kind) {
    case StepKind::kSet:
    case StepKind::kPick:
    case StepKind::kDoubleClick:
    case StepKind::kClick:
    case StepKind::kExpect:
    case StepKind::kExpectItems:
    case StepKind::kExpectSelected:
      return step.word + " " + std::to_string(step.id);
    case StepKind::kWindow:
      return step.word + " " + step.name;
    case StepKind::kTab:
    case StepKind::kExpectActive:
      return step.word + " " + std::to_string(step.number);
    default:
      return step.word;
  }
}

void FailStep(const Step& step, const std::string& what) {
  throw ScriptFailure(step.line, StepHead(step) + ": " + what);
}

std::string ExpectedFound(const std::string& expected, const std::string& found) {
  return "expected " + expected + ", found " + found;
}

std::string QuoteScriptText(std::string_view text) {
  std::string quoted = "\"";
  for (const char c : text) {
    switch (c) {
      case '"':
        quoted += "\\\"";
        break;
      case '\\':
        quoted += "\\\\";
        break;
      case '\n':
        quoted += "\\n";
        break;
      case '\r':
        quoted += "\\r";
        break;
      case '\t':
        quoted += "\\t";
        break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          static constexpr char kHex[] = "0123456789abcdef";
          quoted += "\\u00";
          quoted += kHex[(c >> 4) & 0xF];
          quoted += kHex[c & 0xF];
        } else {
          quoted += Latin1ToUtf8(std::string_view(&c, 1));
        }
    }
  }
  quoted += '"';
  return quoted;
}

std::string QuoteScriptList(const std::vector<std::string>& items) {
  std::string quoted = "[";
  for (size_t i = 0; i < items.size(); ++i) {
    if (i > 0)
      quoted += ",";
    quoted += QuoteScriptText(items[i]);
  }
  quoted += "]";
  return quoted;
}

}  // namespace quorvel::ui
