#include <algorithm>
#include <cmath>
#include <limits>
#include <string_view>
#include <unordered_map>

#include "plugin/attributes/attribute_text.h"
#include "tools/nis/event_effects.h"
#include "tools/nis/nis_state.h"

namespace quorvel::nis {
namespace {

// The numbers of a parameter text, "0 2" or ".50", read by the number text form; a
// missing one reads as 0.
double Parameter(std::string_view value, std::size_t which) {
  std::size_t at = 0;
  for (std::size_t i = 0;; ++i) {
    at = value.find_first_not_of(" \t", at);
    if (at == std::string_view::npos) {
      return 0;
    }
    const std::size_t end = std::min(value.find_first_of(" \t", at), value.size());
    if (i == which) {
      return TextToNumber(value.substr(at, end - at));
    }
    at = end;
  }
}

float Level(double value) {
  return static_cast<float>(std::clamp(value, 0.0, 1.0));
}

std::string Unquoted(std::string_view value) {
  if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
    value = value.substr(1, value.size() - 2);
  }
  return std::string(value);
}

// One event of any list, for the pass that reads them all in frame order.
struct Placed {
  const TimedEvent* event;
  int joint;  // -1: the model's list
};

template <class Changes>
auto LastAtOrBefore(const Changes& changes, std::int64_t frame) {
  return std::upper_bound(changes.begin(), changes.end(), frame,
                          [](std::int64_t f, const auto& change) { return f < change.frame; });
}

}  // namespace

void NisTimeline::Ramp::Add(std::int64_t frame, float from, float to, double frames) {
  steps_.push_back({frame, from, to, std::max(frames, 0.0)});
}

float NisTimeline::Ramp::At(std::int64_t frame) const {
  const auto next = LastAtOrBefore(steps_, frame);
  if (next == steps_.begin()) {
    return 0;
  }
  const Step& step = *(next - 1);
  const double into = static_cast<double>(frame - step.frame);
  if (into >= step.frames) {
    return step.to;
  }
  return step.from + static_cast<float>(into / step.frames) * (step.to - step.from);
}

NisTimeline::NisTimeline(SequenceInput input) : input_(std::move(input)) {
  const double rate = input_.frameRate == 0 ? 24.0 : static_cast<double>(input_.frameRate);
  captionFrames_ = std::max<std::int64_t>(1, std::llround(kCaptionSeconds * rate));
  const std::size_t joints = input_.joints.size();

  std::unordered_map<std::string_view, int> cameras;  // the first camera of each name
  std::unordered_map<std::string_view, int> named;    // the first joint of each name
  for (std::size_t i = 0; i < joints; ++i) {
    const SequenceJoint& joint = input_.joints[i];
    named.emplace(joint.name, static_cast<int>(i));
    if (joint.role == JointRole::kCamera) {
      cameras.emplace(joint.name, static_cast<int>(i));
      if (firstCamera_ < 0) {
        firstCamera_ = static_cast<int>(i);
      }
    }
  }
  centres_.assign(joints, -1);
  for (std::size_t i = 0; i < joints; ++i) {
    const std::string& centre = input_.joints[i].centreOfInterest;
    if (const auto found = named.find(centre); !centre.empty() && found != named.end()) {
      centres_[i] = found->second;
    }
  }

  // Every event in frame order; at one frame the model's first, then the joints' in
  // model order, each list in its own order: a later event at the same frame wins.
  std::vector<Placed> events;
  for (const TimedEvent& event : input_.modelEvents) {
    events.push_back({&event, -1});
  }
  for (std::size_t i = 0; i < joints; ++i) {
    for (const TimedEvent& event : input_.joints[i].events) {
      events.push_back({&event, static_cast<int>(i)});
    }
  }
  std::stable_sort(events.begin(), events.end(), [](const Placed& a, const Placed& b) {
    return a.event->frame < b.event->frame;
  });

  std::vector<int> visibilityOf(joints, -1);  // position in visibility_, or -1
  for (const Placed& placed : events) {
    const TimedEvent& event = *placed.event;
    const std::int64_t frame = event.frame;
    const Effect effect = EffectOf(event.name, placed.joint < 0);
    switch (effect) {
      case Effect::kNone:
        break;
      case Effect::kCameraCut:
        if (const auto found = cameras.find(Unquoted(event.value)); found != cameras.end()) {
          cuts_.push_back({frame, found->second});
        }
        break;
      case Effect::kWideScreenIn:
        wideScreen_.MoveTo(frame, 1, Parameter(event.value, 0) * rate);
        break;
      case Effect::kWideScreenOut:
        wideScreen_.MoveTo(frame, 0, Parameter(event.value, 0) * rate);
        break;
      case Effect::kFadeSet:
        fade_.MoveTo(frame, Level(Parameter(event.value, 0)), 0);
        break;
      case Effect::kFadeTo:
        fade_.MoveTo(frame, Level(Parameter(event.value, 0)), Parameter(event.value, 1) * rate);
        break;
      case Effect::kCameraFadeIn:
        fade_.Add(frame, 1, 0, Parameter(event.value, 0) * rate);
        break;
      case Effect::kStayFadedAtEnd:
        stayFadedAtEnd_ = true;
        break;
      case Effect::kCaption:
        if (std::string text = Unquoted(event.value); !text.empty()) {
          texts_.push_back({std::move(text), frame, event.name});
        }
        break;
      case Effect::kHide:
      case Effect::kShow: {
        int& at = visibilityOf[static_cast<std::size_t>(placed.joint)];
        if (at < 0) {
          at = static_cast<int>(visibility_.size());
          visibility_.push_back({placed.joint, {}});
        }
        visibility_[static_cast<std::size_t>(at)].second.push_back(
            {frame, effect == Effect::kHide});
        break;
      }
      case Effect::kTicker:
        ticker_.push_back({frame, placed.joint < 0
                                      ? event.text
                                      : input_.joints[static_cast<std::size_t>(placed.joint)].name +
                                            ": " + event.text});
        break;
    }
  }
}

NisState NisTimeline::At(std::int64_t frame) const {
  NisState state;
  state.frame = frame;
  const auto cut = LastAtOrBefore(cuts_, frame);
  state.liveCamera = cut == cuts_.begin() ? firstCamera_ : (cut - 1)->value;
  if (state.liveCamera >= 0) {
    state.centreOfInterest = centres_[static_cast<std::size_t>(state.liveCamera)];
  }
  state.wideScreen = wideScreen_.At(frame);
  state.fade = stayFadedAtEnd_ && frame >= input_.lastFrame ? 1.0f : fade_.At(frame);
  // Captions last equally long, so those on screen follow one another in the list.
  const std::int64_t shownSince = frame < std::numeric_limits<std::int64_t>::min() + captionFrames_
                                      ? frame
                                      : frame - captionFrames_ + 1;
  const auto first =
      std::lower_bound(texts_.begin(), texts_.end(), shownSince,
                       [](const ScreenText& text, std::int64_t f) { return text.since < f; });
  const auto last =
      std::upper_bound(first, texts_.end(), frame,
                       [](std::int64_t f, const ScreenText& text) { return f < text.since; });
  state.texts.assign(first, last);
  state.hidden.assign(input_.joints.size(), false);
  for (const auto& [joint, changes] : visibility_) {
    const auto change = LastAtOrBefore(changes, frame);
    state.hidden[static_cast<std::size_t>(joint)] =
        change != changes.begin() && (change - 1)->value;
  }
  const auto firing = std::lower_bound(
      ticker_.begin(), ticker_.end(), frame,
      [](const Change<std::string>& change, std::int64_t f) { return change.frame < f; });
  for (auto it = firing; it != ticker_.end() && it->frame == frame; ++it) {
    state.firing.push_back(it->value);
  }
  return state;
}

}  // namespace quorvel::nis
