#include "plugin/events/event_text.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "plugin/attributes/attribute_text.h"

namespace quorvel {

void ComposeEventText(const EventFields& fields, const EventCatalogue& catalogue,
                      std::string& destination) {
  if (fields.eventIndex < 0 || static_cast<size_t>(fields.eventIndex) >= catalogue.size()) {
    return;
  }
  const std::string& name = catalogue[static_cast<size_t>(fields.eventIndex)].name;
  // Built aside: the value may be a view of the destination's old text.
  std::string text = NumberToText(fields.frame);
  text.reserve(text.size() + name.size() + fields.value.size() + 2);
  text += '|';
  text += name;
  text += '|';
  text += fields.value;
  destination = std::move(text);
}

void SplitEventText(std::string_view source, const EventCatalogue& catalogue, EventFields& fields) {
  if (source.empty()) {
    return;
  }
  // Fields that a hand-edited text lacks read as empty: "7" is frame 7 alone,
  // "7|hide" is frame 7 and event hide.
  const size_t first = source.find('|');
  const size_t last = source.rfind('|');
  const std::string_view frameText = source.substr(0, first);
  std::string_view name;
  std::string_view value;
  if (first != std::string_view::npos) {
    if (last == first) {
      name = source.substr(first + 1);
    } else {
      name = source.substr(first + 1, last - first - 1);
      value = source.substr(last + 1);
    }
  }
  fields.frame = LowBits32(TextToNumber(frameText));
  std::string newValue(value);  // `source` may be a view of the old value
  if (first != std::string_view::npos) {
    const size_t limit =
        std::min(catalogue.size(), static_cast<size_t>(std::numeric_limits<int32_t>::max()));
    for (size_t i = 0; i < limit; ++i) {
      if (catalogue[i].name == name) {
        fields.eventIndex = static_cast<int32_t>(i);
        break;
      }
    }
  }
  fields.value = std::move(newValue);
}

}  // namespace quorvel
