// Feeds arbitrary bytes to the comment text and the three records as comments.
// For each record: a load, a save and a load again give the same record unless one
// of its values holds the text of one of its keys (then a key may be found inside
// another line, which `quorvel check` reports); a record that loaded something else
// before loads the same as a new one; the saved text is lines of key, "=", value and
// "\r\n". The number text form is checked on what the input reads as.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "plugin/attributes/attribute_text.h"
#include "plugin/attributes/camera_record.h"
#include "plugin/attributes/follower_record.h"
#include "plugin/attributes/model_record.h"

namespace {

using namespace quorvel;

[[noreturn]] void Fail() {
  __builtin_trap();
}

std::vector<std::string_view> ValuesOf(const ModelRecord&) {
  return {};
}
std::vector<std::string_view> ValuesOf(const FollowerRecord& record) {
  return {record.sobGroupType, record.sobGroupName};
}
std::vector<std::string_view> ValuesOf(const CameraRecord& record) {
  return {record.centerOfInterest};
}

bool HoldsAKeyText(const std::vector<std::string_view>& values, const EventList& events,
                   const std::vector<std::string_view>& keys) {
  std::vector<std::string_view> all = values;
  all.insert(all.end(), events.begin(), events.end());
  for (std::string_view value : all) {
    for (std::string_view key : keys) {
      if (value.find(key) != std::string_view::npos) {
        return true;
      }
    }
  }
  return false;
}

// Every line of a saved record: key, "=", a value without CR or LF, "\r\n".
void CheckSavedForm(std::string_view saved) {
  if (!saved.empty() && !saved.ends_with("\r\n")) {
    Fail();
  }
  std::size_t start = 0;
  while (start < saved.size()) {
    const std::size_t end = saved.find("\r\n", start);
    const std::string_view line = saved.substr(start, end - start);
    if (line.find('=') == std::string_view::npos || line.find_first_of("\r\n") != line.npos) {
      Fail();
    }
    start = end + 2;
  }
}

template <class Record>
void CheckRecord(std::string_view text, std::string_view other,
                 const std::vector<std::string_view>& keys) {
  Record first;
  first.LoadAttributes(text);
  for (std::string_view value : ValuesOf(first)) {
    if (value.find_first_of("\r\n") != std::string_view::npos) {
      Fail();
    }
  }
  for (const std::string& event : first.events) {
    if (event.find_first_of("\r\n") != std::string::npos) {
      Fail();
    }
  }
  Record reused;
  reused.LoadAttributes(other);
  reused.LoadAttributes(text);
  if (!(reused == first)) {
    Fail();
  }
  std::string saved;
  first.SaveAttributes(saved);
  CheckSavedForm(saved);
  Record second;
  second.LoadAttributes(saved);
  if (!(second == first) && !HoldsAKeyText(ValuesOf(first), first.events, keys)) {
    Fail();
  }
}

void CheckLookUp(std::string_view text, std::string_view key) {
  const std::string value = LookUpAttribute(text, key);
  std::string raw(RawLookUp(text, key));
  std::erase(raw, '\r');
  std::string into = "left over from before";
  LookUpAttribute(text, key, into);
  if (value != raw || into != value || value.find('\n') != std::string::npos) {
    Fail();
  }
}

// No sign, no exponent, no leading zero before ".", at most one "."; it reads back
// as a number of the same whole part.
void CheckNumberText(double value) {
  const std::string text = NumberToText(value);
  if (text.find_first_not_of("0123456789.") != std::string::npos ||
      text.find('.') != text.rfind('.') || text.starts_with("0.") ||
      (text.size() > 1 && text.starts_with("0"))) {
    Fail();
  }
  const double back = TextToNumber(text);
  if (!std::isfinite(back) || back < 0 ||
      (value >= 1 && value < 1e15 && std::trunc(back) != std::trunc(value))) {
    Fail();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const std::string_view other = text.substr(size / 2);
  CheckRecord<ModelRecord>(text, other, {"OPT_FPS", "Num Events", "Event"});
  CheckRecord<FollowerRecord>(text, other, {"Sob Type", "Sob Name", "Num Events", "Event"});
  CheckRecord<CameraRecord>(text, other, {"Center Of Interest", "Num Events", "Event"});
  for (std::string_view key : {"OPT_FPS", "Sob Type", "Num Events", "Event0", "Event1"}) {
    CheckLookUp(text, key);
  }
  const double number = TextToNumber(text);
  if (!std::isfinite(number)) {
    Fail();
  }
  CheckNumberText(number);
  CheckNumberText(-number);
  TruncateToUInt32(number);
  LowBits32(number);
  TruncateToInt32(number);
  return 0;
}
