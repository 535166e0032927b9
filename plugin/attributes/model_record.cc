#include "plugin/attributes/model_record.h"

#include <utility>

#include "plugin/attributes/attribute_text.h"
#include "plugin/attributes/record_keys.h"

namespace quorvel {

void ModelRecord::LoadAttributes(std::string_view text) {
  const std::string fps = LookUpAttribute(text, kFrameRateKey);
  const std::string count = LookUpAttribute(text, kEventCountKey);
  // Only a missing (empty) value takes the default; "abc" is read as the number 0.
  const std::string_view fpsText = fps.empty() ? std::string_view("24") : fps;
  const std::string_view countText = count.empty() ? std::string_view("0") : count;
  // Read everything before changing a field: `text` may be a view of one of them.
  EventList loaded;
  LoadEventBlock(text, countText, loaded);
  frameRate = TruncateToUInt32(TextToNumber(fpsText));
  events = std::move(loaded);
}

void ModelRecord::SaveAttributes(std::string& out) const {
  out.clear();
  AppendAttribute(out, kFrameRateKey, NumberToText(frameRate));
  SaveEventBlock(events, out);
}

}  // namespace quorvel
