// What the sequence does on screen at each frame, as this project reads the game's
// events: which camera is live, the wide-screen bars, the fade, the texts shown, the
// joints hidden, and the other events that fire. Computed without any window; the
// preview draws it and the timeline's bands are made from the same reading.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace quorvel::nis {

// One event of a record's list, at its frame (frames of the sequence's frame rate).
struct TimedEvent {
  std::int64_t frame = 0;
  std::string name;   // e.g. "cameraCut"
  std::string value;  // the text after the last "|", may be empty
  std::string text;   // the whole event text, for the ticker
};

enum class JointRole { kOther, kCamera, kFollower };

struct SequenceJoint {
  std::string name;
  JointRole role = JointRole::kOther;
  std::string centreOfInterest;  // a camera record's "Center Of Interest", may be empty
  std::vector<TimedEvent> events;
};

// What the state is computed from: the model's record and the joints' records.
struct SequenceInput {
  std::uint32_t frameRate = 24;         // the model record's frame rate (0 counts as 24)
  std::int64_t lastFrame = 0;           // the last frame to play
  std::vector<TimedEvent> modelEvents;  // in frame order
  std::vector<SequenceJoint> joints;    // every joint of the model, in model order
};

struct ScreenText {
  std::string text;
  std::int64_t since = 0;  // the frame it appeared at
  std::string event;       // the event that shows it: "displayCard" or "speechEvent"
};

struct NisState {
  std::int64_t frame = 0;
  int liveCamera = -1;              // joint index; -1: no camera, a free view
  int centreOfInterest = -1;        // the live camera's centre of interest joint, or -1
  float wideScreen = 0;             // 0: no bars, 1: bars fully in
  float fade = 0;                   // 0: clear, 1: black
  std::vector<ScreenText> texts;    // on screen now
  std::vector<bool> hidden;         // per joint
  std::vector<std::string> firing;  // other events at exactly this frame, for a ticker
};

// The state of every frame of a sequence, computed once: what each event does comes
// from one table (event_effects.h); the frames where something changes are kept in
// order, so that At() searches them instead of replaying the events.
class NisTimeline {
 public:
  explicit NisTimeline(SequenceInput input);
  NisState At(std::int64_t frame) const;
  const SequenceInput& Input() const { return input_; }

 private:
  // A level that moves in straight lines: each step starts at its frame from a
  // level and reaches another after a number of frames (0: at once).
  class Ramp {
   public:
    // Starts a step at `frame` (not before the last step's) from `from` to `to`.
    void Add(std::int64_t frame, float from, float to, double frames);
    // The same from the level the ramp has at `frame`.
    void MoveTo(std::int64_t frame, float to, double frames) { Add(frame, At(frame), to, frames); }
    float At(std::int64_t frame) const;  // 0 before the first step

   private:
    struct Step {
      std::int64_t frame;
      float from;
      float to;
      double frames;
    };
    std::vector<Step> steps_;
  };

  template <class T>
  struct Change {
    std::int64_t frame;
    T value;
  };

  SequenceInput input_;
  std::int64_t captionFrames_ = 1;
  int firstCamera_ = -1;
  std::vector<Change<int>> cuts_;  // the live camera from each frame on
  std::vector<int> centres_;       // each joint's centre of interest, or -1
  Ramp wideScreen_;
  Ramp fade_;
  bool stayFadedAtEnd_ = false;
  std::vector<ScreenText> texts_;  // in the order they appear
  // Per joint that hides or shows, its changes in frame order.
  std::vector<std::pair<int, std::vector<Change<bool>>>> visibility_;
  std::vector<Change<std::string>> ticker_;
};

}  // namespace quorvel::nis
