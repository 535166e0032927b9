#include "attributes/model_record.h"

#include <utility>

#include "attributes/attribute_text.h"

namespace quorvel {

void ModelRecord::LoadAttributes(std::string_view text) {
  std::string fps = LookUpAttribute(text, "OPT_FPS");
  std::string count = LookUpAttribute(text, "Num Events");
  // Only a missing (empty) value takes the default; "abc" is read as the number 0.
  if (fps.empty()) {
    fps = "24";
  }
  if (count.empty()) {
    count = "0";
  }
  // Read everything before changing a field: `text` may be a view of one of them.
  EventList loaded;
  LoadEventBlock(text, count, loaded);
  frameRate = TruncateToUInt32(TextToNumber(fps));
  events = std::move(loaded);
}

void ModelRecord::SaveAttributes(std::string& out) const {
  out.clear();
  AppendAttribute(out, "OPT_FPS", NumberToText(frameRate));
  SaveEventBlock(events, out);
}

}  // namespace quorvel
