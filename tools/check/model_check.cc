#include "tools/check/model_check.h"

#include <algorithm>

#include "host/ms_model_handle.h"
#include "plugin/attributes/attribute_text.h"
#include "plugin/attributes/record_keys.h"
#include "plugin/joints/host_text.h"
#include "plugin/joints/joint_mark.h"
#include "tools/check/comment_lines.h"
#include "tools/check/event_rules.h"
#include "tools/check/joint_rules.h"
#include "tools/check/storage_rules.h"
#include "tools/check/written_record.h"

namespace quorvel::check {
namespace {

constexpr std::uint32_t kMinFrameRate = 1;
constexpr std::uint32_t kMaxFrameRate = 1000;

void CheckFrameRate(std::string_view comment, ProblemSink& problems) {
  const Place place{-1, {}, std::string(kFrameRateKey)};
  const std::string text = LookUpAttribute(comment, kFrameRateKey);
  if (text.empty()) {
    Report(problems, "FRAME_RATE_MISSING", place,
           [&] { return "the model has no frame rate; 24 is used"; });
    return;
  }
  const std::uint32_t rate = TruncateToUInt32(TextToNumber(text));
  const bool whole = AllDigits(text);
  // One fault, one problem: a rate the page refuses is that, whatever its text.
  if (rate < kMinFrameRate || rate > kMaxFrameRate) {
    Report(problems, "FRAME_RATE_OUT_OF_RANGE", place, [&] {
      return "the frame rate " + (whole ? std::string() : Quoted(text) + " ") + "reads as " +
             std::to_string(rate) +
             "; the NIS Attributes page refuses OK until it lies between 1 and 1000";
    });
  } else if (!whole) {
    Report(problems, "FRAME_RATE_NOT_WHOLE", place, [&] {
      return "the frame rate " + Quoted(text) + " is not a whole number; it reads as " +
             std::to_string(rate);
    });
  }
}

// A comment that gets a page but holds none of its record's keys: the page starts
// from empty fields, and a save after Yes replaces the text.
void ReportNotARecord(std::string_view comment, const Place& place, ProblemSink& problems) {
  Report(problems, "NOT_A_RECORD", place, [&] {
    return "the comment " + Quoted(comment) +
           " holds no attributes; its page starts empty, and saving it after \"Yes\" "
           "replaces the text";
  });
}

void CheckRecord(RecordKind kind, std::string_view comment, bool holdsRecord, bool getsPage,
                 const Place& place, ModelFacts& model, ProblemSink& problems) {
  if (comment.empty()) {
    return;
  }
  if (!holdsRecord) {
    if (getsPage) {
      ReportNotARecord(comment, place, problems);
    }
    return;
  }
  // A record as a save writes it breaks no storage rule: its events are read where
  // they stand.
  thread_local WrittenRecord written;
  if (ReadWrittenRecord(kind, comment, written)) {
    for (const std::string_view line : written.foreign) {
      ReportLineNotAKey(line, place, problems);
    }
    if (written.events.size() < written.count) {
      thread_local std::vector<std::uint32_t> missing;
      missing.clear();
      for (std::size_t i = written.events.size(); i < written.count; ++i) {
        missing.push_back(static_cast<std::uint32_t>(i));
      }
      ReportMissingLines(written.countText, missing, place, problems);
    }
    CheckEvents(written.events, false, place, model, problems);
    return;
  }
  const EventList events = CheckStorage(kind, comment, place, problems);
  if (kind == RecordKind::kModel) {
    CheckFrameRate(comment, problems);
  }
  CheckEvents(events, kind == RecordKind::kModel, place, model, problems);
}

}  // namespace

ModelFacts ReadModelFacts(msModel* model, const CheckOptions& options) {
  ModelFacts facts;
  HostTextReader text;
  facts.comment = text.ModelComment(model);
  const host::ModelDocument* document = host::DocumentOf(model);
  facts.lastFrame = document == nullptr ? 0 : std::max(document->Model().totalFrames, 0);
  const int count = msModel_GetBoneCount(model);
  facts.joints.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    msBone* bone = msModel_GetBoneAt(model, i);
    JointFacts joint;
    joint.index = i;
    if (document != nullptr) {
      // Viewed where the model keeps it, cut by the getter's own rule.
      const host::Joint& stored = document->Model().joints[static_cast<std::size_t>(i)];
      joint.fullName = stored.name;
      joint.name = host::HandedOutName(stored, HostTextReader::kNameBufferSize);
    } else {
      joint.name = text.JointName(bone);
    }
    // Viewed, not copied: as the plug-in's session views it through the same host,
    // and as long as a HostTextReader reads a comment at most.
    joint.comment = host::HandedOutComment(bone).substr(0, HostTextReader::kMaxCommentSize - 1);
    joint.kind = ClassifyJoint(joint.name, joint.comment);
    joint.marked = IsJointMarked(bone);
    switch (joint.kind) {
      case JointKind::kSkipped:
        joint.holdsRecord = HoldsRecord(RecordKind::kFollower, joint.comment) ||
                            HoldsRecord(RecordKind::kCamera, joint.comment);
        break;
      case JointKind::kCamera:
        joint.holdsRecord = HoldsRecord(RecordKind::kCamera, joint.comment);
        break;
      default:
        joint.holdsRecord = HoldsRecord(RecordKind::kFollower, joint.comment);
    }
    facts.joints.push_back(std::move(joint));
  }
  facts.IndexNames();
  if (options.gameRoot) {
    facts.gameFiles.emplace(*options.gameRoot);
  }
  return facts;
}

void CheckModelComment(ModelFacts& model, ProblemSink& problems) {
  CheckRecord(RecordKind::kModel, model.comment, HoldsRecord(RecordKind::kModel, model.comment),
              true, Place{}, model, problems);
}

void CheckJointAndRecord(const JointFacts& joint, ModelFacts& model, ProblemSink& problems) {
  CheckJoint(joint, model, problems);
  if (joint.kind == JointKind::kSkipped) {
    return;
  }
  const RecordKind kind =
      joint.kind == JointKind::kCamera ? RecordKind::kCamera : RecordKind::kFollower;
  CheckRecord(kind, joint.comment, joint.holdsRecord, joint.marked,
              Place{joint.index, joint.name, {}}, model, problems);
}

bool CheckModel(ModelFacts& model, ProblemSink& problems) {
  CheckModelComment(model, problems);
  // The comments were read through once, so a model at the format's limits holds
  // them no longer in the processor's cache: the comments a few joints ahead are
  // asked for while this one is checked.
  constexpr std::size_t kAhead = 4;
  constexpr std::size_t kCacheLine = 64;
  for (std::size_t i = 0; i < model.joints.size(); ++i) {
    if (problems.Enough()) {
      return false;
    }
    if (i + kAhead < model.joints.size()) {
      const std::string_view ahead = model.joints[i + kAhead].comment;
      for (std::size_t at = 0; at < ahead.size(); at += kCacheLine) {
        __builtin_prefetch(ahead.data() + at);
      }
    }
    CheckJointAndRecord(model.joints[i], model, problems);
  }
  return true;
}

ProblemList CheckModel(ModelFacts& model) {
  ProblemCollector collector;
  CheckModel(model, collector);
  return std::move(collector.problems);
}

ProblemList CheckModel(msModel* model, const CheckOptions& options) {
  ModelFacts facts = ReadModelFacts(model, options);
  return CheckModel(facts);
}

}  // namespace quorvel::check
