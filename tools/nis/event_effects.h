// What each event of the catalogue does in the preview: this project's own reading of
// the game's events, kept in one table. The preview's state (nis_timeline.h) and the
// timeline's bands are both made from it, so that a correction made here reaches
// both views.
#pragma once

#include <span>
#include <string_view>

namespace quorvel::nis {

enum class Effect {
  kNone,            // not shown: a name the catalogue lacks, or an event in the wrong list
  kCameraCut,       // the named camera joint becomes the live camera
  kWideScreenIn,    // the bars slide in over the value, in seconds
  kWideScreenOut,   // the bars slide out over the value, in seconds
  kFadeSet,         // the fade jumps to the value (0 clear, 1 black)
  kFadeTo,          // "LEVEL SECONDS": the fade moves to LEVEL over SECONDS
  kCameraFadeIn,    // "SECONDS": from black to clear over SECONDS
  kStayFadedAtEnd,  // the last frame is black: the sequence ends faded out
  kCaption,         // the parameters are shown as a caption for kCaptionSeconds
  kHide,            // the geometry bound to the joint is hidden from this frame on
  kShow,            // the joint is shown again
  kTicker,          // shown only in the ticker, at its frame
};

// How long a caption stays on screen.
inline constexpr double kCaptionSeconds = 4;

struct EventEffect {
  std::string_view name;  // the catalogue's name, exactly
  bool modelLevel;        // the list it lives in: the model's, or a joint's
  Effect effect;
};

// Every event of the catalogue, in catalogue order: the model's set, then the joints'.
std::span<const EventEffect> EventEffects();

// What event `name` does when it stands in the model's list (`modelLevel`) or in a
// joint's: kNone for a name the catalogue lacks or an event of the other list.
Effect EffectOf(std::string_view name, bool modelLevel);

}  // namespace quorvel::nis
