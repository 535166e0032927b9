#include "tools/timeline/colours.h"

#include <map>

namespace quorvel::timeline {

std::string ColourOf(const std::string& kind) {
  static const std::map<std::string, std::string> colours = {
      {"camera", "#1f77b4"},      {"screen", "#9467bd"},
      {"sound", "#2ca02c"},       {"ship", "#ff7f0e"},
      {"effect", "#8c564b"},      {"unknown", "#7f7f7f"},
      {"band-camera", "#c6dbef"}, {"band-wide screen", "#dadaeb"},
      {"band-fade", "#d9d9d9"},   {"problem", "#d62728"},
      {"muted", "#bbbbbb"},
  };
  const auto found = colours.find(kind);
  return found == colours.end() ? "#7f7f7f" : found->second;
}

}  // namespace quorvel::timeline
