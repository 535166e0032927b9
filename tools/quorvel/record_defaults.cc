#include "tools/quorvel/record_defaults.h"

#include "plugin/attributes/attribute_text.h"
#include "plugin/attributes/event_block.h"
#include "plugin/attributes/record_keys.h"

namespace quorvel::app {

std::vector<std::string> DefaultedValues(RecordShape shape, std::string_view comment) {
  std::vector<std::string> defaults;
  switch (shape) {
    case RecordShape::kModel:
      if (LookUpAttribute(comment, kFrameRateKey).empty()) {
        defaults.emplace_back("frameRate");
      }
      break;
    case RecordShape::kFollower:
      if (!KeyOccurs(comment, kSobTypeKey)) {
        defaults.emplace_back("sobGroupType");
      }
      if (!KeyOccurs(comment, kSobNameKey)) {
        defaults.emplace_back("sobGroupName");
      }
      break;
    case RecordShape::kCamera:
      if (!KeyOccurs(comment, kCenterOfInterestKey)) {
        defaults.emplace_back("centerOfInterest");
      }
      break;
  }
  const std::string count = LookUpAttribute(comment, kEventCountKey);
  if (count.empty()) {
    defaults.emplace_back("events");
    return defaults;
  }
  std::vector<std::size_t> keyEnds;
  const std::size_t events = FindEventBlock(comment, count, keyEnds);
  for (std::size_t i = 0; i < events; ++i) {
    if (keyEnds[i] == std::string_view::npos) {
      defaults.push_back("events/" + std::to_string(i));
    }
  }
  return defaults;
}

}  // namespace quorvel::app
