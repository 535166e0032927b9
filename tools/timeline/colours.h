#pragma once

#include <string>
#include <string_view>

// The picture's colours, one table for the SVG drawing and the window's painter.
namespace quorvel::timeline {

inline constexpr std::string_view kTextColour = "#222";        // titles and texts
inline constexpr std::string_view kAxisColour = "#444";        // the axis and its ticks
inline constexpr std::string_view kLaneColour = "#666";        // the band lanes' names
inline constexpr std::string_view kNoteColour = "#888";        // notes
inline constexpr std::string_view kMutedColour = "#999";       // a muted row's texts
inline constexpr std::string_view kGridColour = "#e4e4e4";     // the grid lines
inline constexpr std::string_view kPastEndColour = "#f4f0e8";  // the time past the end
inline constexpr std::string_view kRowEvenColour = "#fbfbfb";
inline constexpr std::string_view kRowOddColour = "#f2f4f7";
inline constexpr std::string_view kBandLabelColour = "#123";  // a band's label
inline constexpr std::string_view kBackgroundColour = "#ffffff";

// The fill colour of a legend or event kind: a category name, "band-<kind>",
// "problem" or "muted".
std::string ColourOf(const std::string& kind);

}  // namespace quorvel::timeline
