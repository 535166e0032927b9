#include "tools/check/joint_rules.h"

#include <algorithm>
#include <span>

#include "plugin/attributes/attribute_text.h"
#include "plugin/attributes/record_keys.h"
#include "plugin/attributes/sob_types.h"
#include "tools/check/comment_lines.h"
#include "tools/check/near_names.h"

namespace quorvel::check {
namespace {

constexpr std::size_t kMaxNameLength = 31;

std::string Folded(std::string_view text) {
  const std::size_t begin = text.find_first_not_of(" \t");
  const std::size_t end = text.find_last_not_of(" \t");
  std::string folded;
  if (begin != std::string_view::npos) {
    for (char c : text.substr(begin, end - begin + 1)) {
      folded += LowerAscii(c);
    }
  }
  return folded;
}

Place At(const JointFacts& joint, std::string key = {}) {
  return Place{joint.index, joint.name, std::move(key)};
}

void CheckName(const JointFacts& joint, const ModelFacts& model, ProblemSink& problems) {
  if (joint.fullName.size() > kMaxNameLength) {
    Report(problems, "JOINT_NAME_TOO_LONG", At(joint), [&] {
      return "the name " + Quoted(joint.fullName) + " has " +
             std::to_string(joint.fullName.size()) +
             " characters; the host's 32-character buffer cuts it to " + Quoted(joint.name);
    });
  }
  if (joint.kind == JointKind::kSkipped) {
    return;
  }
  const JointFacts* first = model.Named(joint.name);
  if (first != nullptr && first != &joint) {
    Report(problems, "JOINT_NAME_DUPLICATE", At(joint), [&] {
      return "joint " + std::to_string(first->index) +
             " has the same name; an event or \"Center Of Interest\" naming " + Quoted(joint.name) +
             " means either";
    });
  }
}

void CheckSkipped(const JointFacts& joint, ProblemSink& problems) {
  if (joint.holdsRecord) {
    Report(problems, "RECORD_ON_SKIPPED_JOINT", At(joint), [&] {
      return "the comment holds attributes, but a joint whose name begins \"IG_\" or contains "
             "\"Root\" never gets a page; the plug-in neither reads nor changes them";
    });
  }
}

void CheckCamera(const JointFacts& joint, const ModelFacts& model, ProblemSink& problems) {
  const std::string center = LookUpAttribute(joint.comment, kCenterOfInterestKey);
  if (!center.empty() && model.Named(center) == nullptr) {
    Report(problems, "CENTER_OF_INTEREST_UNKNOWN", At(joint, std::string(kCenterOfInterestKey)),
           [&] {
             return Quoted(center) + " names no joint of the model" +
                    Suggestion(center, model.NearestName(center)) +
                    "; the Cameras page shows no choice and keeps it only while it is not changed";
           });
  }
}

void CheckFollower(const JointFacts& joint, ProblemSink& problems) {
  const std::string type = LookUpAttribute(joint.comment, kSobTypeKey);
  const Place place = At(joint, std::string(kSobTypeKey));
  if (type.empty()) {
    Report(problems, "SOB_TYPE_EMPTY", place, [&] {
      return "the record has no \"Sob Type\"; the joint is not a ship, and what the Followers "
             "page stores for it depends on what it shows";
    });
    return;
  }
  const std::span<const std::string_view> entries = kKnownSobTypes;
  if (std::find(entries.begin(), entries.end(), type) != entries.end()) {
    return;
  }
  // Folded once: a model's followers mostly share a few types.
  static const std::vector<std::string> folded = [&] {
    std::vector<std::string> all;
    for (std::string_view entry : entries) {
      all.push_back(Folded(entry));
    }
    return all;
  }();
  const auto at = std::find(folded.begin(), folded.end(), Folded(type));
  const auto like = entries.begin() + (at - folded.begin());
  if (like != entries.end()) {
    std::string message =
        Quoted(type) + " differs from the listed " + Quoted(*like) + " in letter case or blanks";
    if (*like == "ship") {
      message += "; the joint is not a ship";
    }
    Report(problems, "SOB_TYPE_CASE", place, [&] { return std::move(message); });
    return;
  }
  Report(problems, "SOB_TYPE_UNUSUAL", place, [&] {
    static const NearNames listed(std::vector<std::string_view>(entries.begin(), entries.end()));
    return Quoted(type) + " is not one of the Followers page's types" +
           Suggestion(type, listed.Nearest(type)) + "; it is kept as typed";
  });
}

}  // namespace

void CheckJoint(const JointFacts& joint, const ModelFacts& model, ProblemSink& problems) {
  CheckName(joint, model, problems);
  switch (joint.kind) {
    case JointKind::kSkipped:
      CheckSkipped(joint, problems);
      break;
    case JointKind::kCamera:
      if (joint.holdsRecord) {
        CheckCamera(joint, model, problems);
      }
      break;
    case JointKind::kShip:
    case JointKind::kOther:
      if (joint.holdsRecord) {
        CheckFollower(joint, problems);
      }
      break;
  }
}

}  // namespace quorvel::check
