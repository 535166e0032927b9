#include "tools/quorvel/apply_command.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <memory>
#include <set>
#include <sstream>
#include <vector>

#include "framework/core/latin1.h"
#include "plugin/attributes/record_keys.h"
#include "plugin/joints/host_text.h"
#include "plugin/joints/joint_kind.h"
#include "plugin/joints/joint_mark.h"
#include "tools/check/comment_lines.h"
#include "tools/check/model_check.h"
#include "tools/quorvel/apply_file.h"
#include "tools/quorvel/check_command.h"
#include "tools/quorvel/check_report.h"
#include "tools/quorvel/command_error.h"
#include "tools/quorvel/comment_diff.h"
#include "tools/quorvel/model_file.h"
#include "tools/quorvel/record_defaults.h"
#include "tools/quorvel/standard_output.h"

namespace quorvel::app {
namespace {

// The most a file may hold: the form of a model at the format's limits takes some
// 80 MB.
constexpr std::size_t kLargestFile = std::size_t{1} << 29;

std::string ReadAll(std::istream& in, const std::string& source) {
  std::string text;
  char block[1 << 16];
  while (in.read(block, sizeof block) || in.gcount() > 0) {
    text.append(block, static_cast<std::size_t>(in.gcount()));
    if (text.size() > kLargestFile) {
      throw CommandError(kExitFileRefused, source + ": larger than " +
                                               std::to_string(kLargestFile >> 20) +
                                               " MB; nothing was written");
    }
  }
  if (in.bad()) {
    throw CommandError(kExitFileRefused, source + ": cannot be read; nothing was written");
  }
  return text;
}

std::string ReadInput(const std::string& path) {
  if (path == "-") {
    return ReadAll(std::cin, "standard input");
  }
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    throw CommandError(kExitFileRefused, path + ": cannot be opened; nothing was written");
  }
  return ReadAll(file, path);
}

// The edit distance of two names, for the nearest one to suggest.
std::size_t Distance(std::string_view a, std::string_view b) {
  std::vector<std::size_t> row(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j) {
    row[j] = j;
  }
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t above = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
      diagonal = above;
    }
  }
  return row[b.size()];
}

// One joint of the model as the session reads it.
struct ModelJoint {
  std::string name;
  std::string comment;
  JointKind kind = JointKind::kOther;
  bool marked = false;
};

// A comment the apply rewrites.
struct Change {
  int joint = -1;     // -1: the model's comment
  std::string place;  // "model" or joint 4 "Fighter1", as check names it
  std::string before;
  std::string after;
  std::vector<std::string> dropped;  // lines of `before` beyond its record
};

bool IsFollower(JointKind kind) {
  return kind == JointKind::kShip || kind == JointKind::kOther;
}

// Why `event` would not read back as the frame, name and value it seems to hold, or
// empty text.
std::string EventFault(std::string_view event) {
  const std::size_t bars = static_cast<std::size_t>(std::count(event.begin(), event.end(), '|'));
  if (bars < 2) {
    return "is not frame|name|value";
  }
  if (bars > 2) {
    return "has a \"|\" in its value: it would read back with another name and value";
  }
  const std::string_view frame = event.substr(0, event.find('|'));
  bool digit = false;
  bool point = false;
  bool number = !frame.empty();
  for (const char c : frame) {
    if (c >= '0' && c <= '9') {
      digit = true;
    } else if (c == '.' && !point) {
      point = true;
    } else {
      number = false;
    }
  }
  if (!number || !digit) {
    return "has a frame \"" + ui::Latin1ToUtf8(frame) + "\" that is no number";
  }
  return {};
}

// Refuses the new or changed events of `events` (those not among `old`) whose text
// would not read back the same; `place` names the list.
void CheckEvents(const EventList& events, const EventList& old, const std::string& place,
                 const std::string& source) {
  const std::multiset<std::string> kept(old.begin(), old.end());
  for (std::size_t i = 0; i < events.size(); ++i) {
    if (kept.count(events[i]) != 0) {
      continue;
    }
    const std::string fault = EventFault(events[i]);
    if (!fault.empty()) {
      throw CommandError(kExitFileRefused, source + ": " + place + "[" + std::to_string(i) +
                                               "]: \"" + ui::Latin1ToUtf8(events[i]) + "\" " +
                                               fault + "; nothing was written");
    }
  }
}

// The record's written form without the lines of the values `defaults` names that
// still hold what their absent key reads as, so that no key is added that the
// comment did not have; the whole written form when that would read back otherwise.
template <class Record>
std::string WrittenForm(const Record& record, const std::vector<std::string>& defaults,
                        const std::vector<std::pair<std::string, std::string>>& defaultLines) {
  std::string full;
  record.SaveAttributes(full);
  std::set<std::string> left;
  for (const auto& [path, line] : defaultLines) {
    if (std::find(defaults.begin(), defaults.end(), path) != defaults.end()) {
      left.insert(line);
    }
  }
  if (left.empty()) {
    return full;
  }
  std::string trimmed;
  for (std::size_t at = 0; at < full.size();) {
    const std::size_t end = full.find('\n', at) + 1;
    const std::string line = full.substr(at, end - at);
    if (left.count(line) == 0) {
      trimmed += line;
    }
    at = end;
  }
  Record back;
  back.LoadAttributes(trimmed);
  return back == record ? trimmed : full;
}

// The lines of the event block a record writes for a value that holds its default,
// each with the value's path as "defaults" names it.
std::vector<std::pair<std::string, std::string>> EventDefaultLines(const EventList& events) {
  std::vector<std::pair<std::string, std::string>> lines;
  if (events.empty()) {
    lines.emplace_back("events", "Num Events=0\r\n");
  }
  for (std::size_t i = 0; i < events.size(); ++i) {
    if (events[i].empty()) {
      lines.emplace_back("events/" + std::to_string(i),
                         std::string(kEventKeyWord) + std::to_string(i) + "=\r\n");
    }
  }
  return lines;
}

// The first field of `back` that differs from `record`, as a path in the record.
std::string FirstDifference(const EventList& events, const EventList& back) {
  for (std::size_t i = 0; i < std::max(events.size(), back.size()); ++i) {
    if (i >= events.size() || i >= back.size() || events[i] != back[i]) {
      return "events[" + std::to_string(i) + "]";
    }
  }
  return "events";
}

// Lines of `comment` that are no part of the record of `kind` it loads to: other
// keys, text without a key, and event lines past its count. A save drops them.
std::vector<std::string> LinesBeyondRecord(check::RecordKind kind, std::string_view comment,
                                           std::size_t eventCount) {
  std::vector<std::string> dropped;
  for (const check::CommentLine& line : check::SplitCommentLines(comment)) {
    if (line.text.empty()) {
      continue;
    }
    const check::KeyRole role =
        line.hasEquals ? check::RoleOfKey(kind, line.key) : check::KeyRole{};
    if (role.kind == check::KeyRole::kNone ||
        (role.kind == check::KeyRole::kEvent && role.eventIndex >= eventCount)) {
      dropped.emplace_back(line.text);
    }
  }
  return dropped;
}

class Applier {
 public:
  Applier(const AppliedFile& file, msModel* model, const std::string& source)
      : file_(file), source_(source) {
    modelComment_ = text_.ModelComment(model);
    for (int i = 0; i < msModel_GetBoneCount(model); ++i) {
      msBone* bone = msModel_GetBoneAt(model, i);
      ModelJoint joint;
      joint.name = text_.JointName(bone);
      joint.comment = text_.JointComment(bone);
      joint.kind = ClassifyJoint(joint.name, joint.comment);
      joint.marked = IsJointMarked(bone);
      joints_.push_back(std::move(joint));
    }
  }

  // Every comment the file changes, in model order; refuses what cannot be written.
  std::vector<Change> Plan() {
    std::vector<Change> changes;
    PlanModel(changes);
    std::vector<bool> named(joints_.size(), false);
    std::vector<std::pair<int, const AppliedJoint*>> targets;
    for (const AppliedJoint& entry : file_.joints) {
      const int index = Find(entry);
      if (named[static_cast<std::size_t>(index)]) {
        Refuse(JointPlace(entry), "names a joint that an earlier entry names already");
      }
      named[static_cast<std::size_t>(index)] = true;
      targets.emplace_back(index, &entry);
    }
    std::sort(targets.begin(), targets.end());
    for (const auto& [index, entry] : targets) {
      PlanJoint(index, *entry, changes);
    }
    return changes;
  }

 private:
  [[noreturn]] void Refuse(const std::string& place, const std::string& what) const {
    throw CommandError(kExitFileRefused,
                       source_ + ": " + place + ": " + what + "; nothing was written");
  }

  // The joint an entry names, checked against what it says of it.
  int Find(const AppliedJoint& entry) const {
    const std::string place = JointPlace(entry);
    std::vector<int> named;
    for (std::size_t i = 0; i < joints_.size(); ++i) {
      if (joints_[i].name == entry.name) {
        named.push_back(static_cast<int>(i));
      }
    }
    if (named.empty()) {
      std::string nearest;
      std::size_t best = SIZE_MAX;
      for (const ModelJoint& joint : joints_) {
        const std::size_t distance = Distance(joint.name, entry.name);
        if (distance < best) {
          best = distance;
          nearest = joint.name;
        }
      }
      Refuse(place,
             "the model has no joint of this name" +
                 (best == SIZE_MAX ? std::string()
                                   : " (the nearest is \"" + ui::Latin1ToUtf8(nearest) + "\")"));
    }
    int index = named.front();
    if (entry.index) {
      if (std::find(named.begin(), named.end(), *entry.index) == named.end()) {
        Refuse(place + ": index",
               *entry.index < static_cast<int>(joints_.size())
                   ? "joint " + std::to_string(*entry.index) + " is \"" +
                         ui::Latin1ToUtf8(joints_[static_cast<std::size_t>(*entry.index)].name) +
                         "\", not this one"
                   : "the model has " + std::to_string(joints_.size()) + " joints");
      }
      index = *entry.index;
    } else if (named.size() > 1) {
      Refuse(place, std::to_string(named.size()) +
                        " joints have this name; give the index of the one meant");
    }
    const ModelJoint& joint = joints_[static_cast<std::size_t>(index)];
    if (entry.kind) {
      const std::string_view kind = JointKindName(joint.kind);
      const bool bothFollowers =
          IsFollower(joint.kind) && (*entry.kind == "ship" || *entry.kind == "other");
      if (*entry.kind != kind && !bothFollowers) {
        Refuse(place + ": kind", "the joint is of kind \"" + std::string(kind) + "\", not \"" +
                                     *entry.kind + "\" (a kind follows from the name)");
      }
    }
    if (entry.marked && *entry.marked != joint.marked) {
      Refuse(place + ": marked", std::string("the joint is ") +
                                     (joint.marked ? "marked" : "not marked") +
                                     " in the model, and apply does not change marks");
    }
    return index;
  }

  void PlanModel(std::vector<Change>& changes) {
    ModelRecord old;
    old.LoadAttributes(modelComment_);
    const ModelRecord& record = file_.model;
    if (record == old) {
      return;
    }
    if (record.frameRate < 1 || record.frameRate > 1000) {
      Refuse("model.frameRate", std::to_string(record.frameRate) +
                                    " lies outside 1 to 1000, which the NIS Attributes page "
                                    "refuses");
    }
    CheckEvents(record.events, old.events, "model.events", source_);
    auto lines = EventDefaultLines(record.events);
    if (record.frameRate == 24) {
      lines.emplace_back("frameRate", "OPT_FPS=24\r\n");
    }
    Change change;
    change.place = "model";
    change.before = modelComment_;
    change.after = WrittenForm(record, file_.modelDefaults, lines);
    ModelRecord back;
    back.LoadAttributes(change.after);
    if (back != record) {
      Refuse(std::string("model.") + (back.frameRate != record.frameRate
                                          ? "frameRate"
                                          : FirstDifference(record.events, back.events)),
             "would not read back the same from the comment (a value holds the text of a key)");
    }
    change.dropped = LinesBeyondRecord(check::RecordKind::kModel, change.before, old.events.size());
    changes.push_back(std::move(change));
  }

  void PlanJoint(int index, const AppliedJoint& entry, std::vector<Change>& changes) {
    if (!entry.follower && !entry.camera) {
      return;
    }
    const ModelJoint& joint = joints_[static_cast<std::size_t>(index)];
    const std::string place = JointPlace(entry) + ": record";
    if (joint.kind == JointKind::kSkipped) {
      Refuse(place,
             "the joint is skipped (its name begins \"IG_\" or holds \"Root\"): it gets "
             "no page and carries no record");
    }
    if (joint.kind == JointKind::kCamera && !entry.camera) {
      Refuse(place,
             "the joint is a camera (its name begins \"CAM_\"): it carries a camera's "
             "record (centerOfInterest, events), not a follower's");
    }
    if (IsFollower(joint.kind) && !entry.follower) {
      Refuse(place,
             "the joint is a follower: it carries a follower's record (sobGroupType, "
             "sobGroupName, events), not a camera's");
    }
    Change change;
    change.joint = index;
    change.place = "joint " + std::to_string(index) + " \"" + ui::Latin1ToUtf8(joint.name) + "\"";
    change.before = joint.comment;
    std::string difference;
    std::size_t oldCount = 0;
    check::RecordKind kind;
    if (entry.camera) {
      kind = check::RecordKind::kCamera;
      CameraRecord old;
      old.LoadAttributes(joint.comment);
      if (*entry.camera == old) {
        return;
      }
      CheckEvents(entry.camera->events, old.events, place + ".events", source_);
      auto lines = EventDefaultLines(entry.camera->events);
      if (entry.camera->centerOfInterest.empty()) {
        lines.emplace_back("centerOfInterest", "Center Of Interest=\r\n");
      }
      change.after = WrittenForm(*entry.camera, entry.defaults, lines);
      CameraRecord back;
      back.LoadAttributes(change.after);
      if (back != *entry.camera) {
        difference = back.centerOfInterest != entry.camera->centerOfInterest
                         ? "centerOfInterest"
                         : FirstDifference(entry.camera->events, back.events);
      }
      oldCount = old.events.size();
    } else {
      kind = check::RecordKind::kFollower;
      FollowerRecord old;
      old.LoadAttributes(joint.comment);
      if (*entry.follower == old) {
        return;
      }
      CheckEvents(entry.follower->events, old.events, place + ".events", source_);
      auto lines = EventDefaultLines(entry.follower->events);
      if (entry.follower->sobGroupType.empty()) {
        lines.emplace_back("sobGroupType", "Sob Type=\r\n");
      }
      if (entry.follower->sobGroupName.empty()) {
        lines.emplace_back("sobGroupName", "Sob Name=\r\n");
      }
      change.after = WrittenForm(*entry.follower, entry.defaults, lines);
      FollowerRecord back;
      back.LoadAttributes(change.after);
      if (back != *entry.follower) {
        difference = back.sobGroupType != entry.follower->sobGroupType ? "sobGroupType"
                     : back.sobGroupName != entry.follower->sobGroupName
                         ? "sobGroupName"
                         : FirstDifference(entry.follower->events, back.events);
      }
      oldCount = old.events.size();
    }
    if (!difference.empty()) {
      Refuse(place + "." + difference,
             "would not read back the same from the comment (a value holds the text of a key)");
    }
    change.dropped = LinesBeyondRecord(kind, change.before, oldCount);
    changes.push_back(std::move(change));
  }

  const AppliedFile& file_;
  const std::string& source_;
  HostTextReader text_;
  std::string modelComment_;
  std::vector<ModelJoint> joints_;
};

check::CheckOptions CheckOptionsFromEnvironment() {
  check::CheckOptions options;
  if (const char* root = std::getenv("ZU2_Root"); root != nullptr && *root != '\0') {
    options.gameRoot = root;
  }
  return options;
}

// What check finds in the result that concerns the apply: every problem in a
// comment it writes, and those elsewhere that were not there before.
check::ProblemList Findings(msModel* model, const check::ProblemList& before,
                            const std::vector<Change>& changes) {
  std::set<int> written;
  for (const Change& change : changes) {
    written.insert(change.joint);
  }
  std::multiset<std::string> earlier;
  for (const check::Problem& problem : before) {
    earlier.insert(ProblemText(problem));
  }
  check::ProblemList findings;
  for (check::Problem& problem : check::CheckModel(model, CheckOptionsFromEnvironment())) {
    if (written.count(problem.place.joint) != 0) {
      findings.push_back(std::move(problem));
      continue;
    }
    const auto was = earlier.find(ProblemText(problem));
    if (was != earlier.end()) {
      earlier.erase(was);
    } else {
      findings.push_back(std::move(problem));
    }
  }
  return findings;
}

void WriteComments(msModel* model, const std::vector<Change>& changes) {
  for (const Change& change : changes) {
    if (change.joint < 0) {
      msModel_SetComment(model, change.after.c_str());
    } else {
      msBone_SetComment(msModel_GetBoneAt(model, change.joint), change.after.c_str());
    }
  }
}

std::string DroppedText(const std::string& model, const Change& change, const std::string& line) {
  return model + ": " + change.place + ": the record written drops the line \"" +
         ui::Latin1ToUtf8(line) + "\", which its comment held beyond the record";
}

}  // namespace

int RunApply(const ApplyOptions& apply) {
  const std::string source = apply.filePath == "-" ? "standard input" : apply.filePath;
  // A file that cannot be read or is refused stops the command before the model is
  // opened.
  const AppliedFile file = ReadAppliedFile(ReadInput(apply.filePath), source);
  // A dry run writes nothing, and takes no lock.
  const ModelForSaving opened = OpenModelForSaving(apply.modelPath, apply.save, !apply.dryRun);
  const ModelPtr& model = opened.model;
  const std::vector<Change> changes = Applier(file, model.get(), source).Plan();
  const std::string& path = apply.modelPath;
  if (changes.empty()) {
    std::cout << path << ": no comment changed; the file is left as it was\n";
    FinishStandardOutput();
    return kExitSuccess;
  }

  const check::ProblemList before = check::CheckModel(model.get(), CheckOptionsFromEnvironment());
  WriteComments(model.get(), changes);
  const check::ProblemList findings = Findings(model.get(), before, changes);
  const std::size_t errors = static_cast<std::size_t>(std::count_if(
      findings.begin(), findings.end(),
      [](const check::Problem& problem) { return problem.severity == check::Severity::kError; }));
  std::ostream& notes = apply.dryRun ? std::cout : std::cerr;
  if (apply.dryRun) {
    for (const Change& change : changes) {
      WriteCommentDiff(change.before, change.after, path + ": " + change.place, std::cout);
    }
  }
  for (const Change& change : changes) {
    for (const std::string& line : change.dropped) {
      notes << (apply.dryRun ? "" : "quorvel apply: warning: ") << DroppedText(path, change, line)
            << "\n";
    }
  }
  for (const check::Problem& problem : findings) {
    notes << path << ": " << ProblemText(problem) << "\n";
  }
  const bool refused = errors > 0 && !apply.force;
  const std::string errorsText =
      std::to_string(errors) + (errors == 1 ? " error" : " errors") + " that check finds";
  if (apply.dryRun) {
    std::cout << path << ": dry run: " << changes.size()
              << (changes.size() == 1 ? " comment" : " comments") << " would change"
              << (refused ? "; " + errorsText + " would refuse the apply without --force" : "")
              << "; nothing was written\n";
    FinishStandardOutput();
    return refused ? kExitProblemsFound : kExitSuccess;
  }
  if (refused) {
    throw CommandError(kExitProblemsFound, path + ": the result has " + errorsText +
                                               " (above); nothing was written. Add --force to "
                                               "write it all the same");
  }
  if (msHost_SaveModel(model.get()) != 0) {
    throw CommandError(kExitFileError, msHost_LastError());
  }
  WarnOfSaveNote(model.get(), path, "apply");
  std::cout << path << ": saved; " << changes.size()
            << (changes.size() == 1 ? " comment" : " comments") << " changed\n";
  FinishStandardOutput();
  return kExitSuccess;
}

void AddApplyCommand(CLI::App& app, const GlobalOptions&, CommandList& commands) {
  CLI::App* line = app.add_subcommand(
      "apply", "Write the attributes of a file of the form show --json writes into a model");
  auto apply = std::make_shared<ApplyOptions>();
  line->add_option("MODEL", apply->modelPath, "The model file (.ms3d)")->required();
  line->add_option(
          "FILE", apply->filePath,
          "The attributes, in the form quorvel show --json writes (docs/show.schema.json); "
          "- reads standard input")
      ->required();
  line->add_flag("--dry-run", apply->dryRun,
                 "Write nothing; show each comment that would change as a unified diff (CR and "
                 "LF shown as \\r and \\n) and what check finds in the result");
  line->add_flag("--force", apply->force,
                 "Write even when check finds errors in the comments written");
  AddSaveChoices(*line, apply->save);
  line->footer(
      "Writes the model's record and the record of each joint the file names (by name; an "
      "index, when given, must agree), each through the record's own save, as the pages "
      "write them; a record equal to what its comment loads to is not written, and a file "
      "that changes nothing leaves the model as it was. Values the file lists under "
      "\"defaults\" that still hold their default are left out, so that no key is added. "
      "Lines a comment held beyond its record are dropped, and named. The file is refused, "
      "with its place named and nothing written, when it is no JSON or not of the form, "
      "names a joint the model lacks or that cannot carry the record, holds an event the "
      "record would not read back the same, or a frame rate outside 1 to 1000. The model is "
      "saved as edit saves it: locked, checked again before the new file is put in place, "
      "atomically.\n\n"
      "Exit status: 0 written (or nothing to write), 1 wrong command line, 2 the model "
      "could not be read or saved, 4 the file was refused, 6 check found an error in the "
      "result (without --force; with --dry-run too).");
  commands.push_back({line, [apply] { return RunApply(*apply); }});
}

}  // namespace quorvel::app
