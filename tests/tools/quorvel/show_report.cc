#include "tests/tools/quorvel/show_report.h"

#include <string_view>

#include "framework/core/latin1.h"
#include "plugin/joints/host_text.h"
#include "plugin/joints/joint_mark.h"
#include "tools/quorvel/joint_show_writer.h"
#include "tools/quorvel/json_text.h"
#include "tools/quorvel/record_defaults.h"

namespace quorvel::app {
namespace {

// The joint's index, name, kind and marking into `joint`; returns its comment, as
// the reader views it until its next read.
std::string_view ReadJointHead(HostTextReader& text, msModel* model, int index,
                               JointReport& joint) {
  msBone* bone = msModel_GetBoneAt(model, index);
  joint.index = index;
  joint.name = text.JointName(bone);
  const std::string_view comment = text.JointCommentView(bone);
  joint.kind = ClassifyJoint(joint.name, comment);
  joint.marked = IsJointMarked(bone);
  return comment;
}

JointReport ReportJoint(HostTextReader& text, msModel* model, int index) {
  JointReport joint;
  const std::string_view comment = ReadJointHead(text, model, index, joint);
  if (joint.kind == JointKind::kCamera) {
    joint.camera.emplace().LoadAttributes(comment);
    joint.defaults = DefaultedValues(RecordShape::kCamera, comment);
  } else if (joint.kind != JointKind::kSkipped) {
    joint.follower.emplace().LoadAttributes(comment);
    joint.defaults = DefaultedValues(RecordShape::kFollower, comment);
  }
  return joint;
}

// The text form.

void PrintEvents(const EventList& events, std::string_view indent, std::ostream& out) {
  out << indent << "Num Events: " << events.size() << "\n";
  for (std::size_t i = 0; i < events.size(); ++i) {
    out << indent << "  Event" << i << ": " << TerminalText(events[i]) << "\n";
  }
}

void PrintJoint(const JointReport& joint, std::ostream& out) {
  out << "  " << joint.index << " " << TerminalText(joint.name) << ": " << ShownKindText(joint.kind)
      << (joint.marked ? ", marked\n" : ", not marked\n");
  if (joint.camera) {
    out << "      Center Of Interest: " << TerminalText(joint.camera->centerOfInterest) << "\n";
    PrintEvents(joint.camera->events, "      ", out);
  }
  if (joint.follower) {
    out << "      Sob Type: " << TerminalText(joint.follower->sobGroupType)
        << "\n      Sob Name: " << TerminalText(joint.follower->sobGroupName) << "\n";
    PrintEvents(joint.follower->events, "      ", out);
  }
}

nlohmann::ordered_json EventsJson(const EventList& events) {
  nlohmann::ordered_json list = nlohmann::ordered_json::array();
  for (const std::string& event : events) {
    list.push_back(ui::Latin1ToUtf8(event));
  }
  return list;
}

}  // namespace

ShowReport BuildShowReport(msModel* model) {
  ShowReport report;
  HostTextReader text;
  const std::string comment = text.ModelComment(model);
  report.model.LoadAttributes(comment);
  report.modelDefaults = DefaultedValues(RecordShape::kModel, comment);
  for (int i = 0; i < msModel_GetBoneCount(model); ++i) {
    report.joints.push_back(ReportJoint(text, model, i));
  }
  return report;
}

void PrintShowReport(const ShowReport& report, std::ostream& out) {
  out << "\"" << report.plugInTitle << "\" attributes of " << report.file
      << "\n\nModel\n    OPT_FPS: " << report.model.frameRate << "\n";
  PrintEvents(report.model.events, "    ", out);
  out << "\nJoints: " << report.joints.size() << "\n";
  for (const JointReport& joint : report.joints) {
    PrintJoint(joint, out);
  }
}

nlohmann::ordered_json ShowReportJson(const ShowReport& report) {
  nlohmann::ordered_json joints = nlohmann::ordered_json::array();
  for (const JointReport& joint : report.joints) {
    nlohmann::ordered_json entry = {{"index", joint.index},
                                    {"name", ui::Latin1ToUtf8(joint.name)},
                                    {"kind", std::string(JointKindName(joint.kind))},
                                    {"marked", joint.marked}};
    if (joint.camera) {
      entry["record"] = {{"centerOfInterest", ui::Latin1ToUtf8(joint.camera->centerOfInterest)},
                         {"events", EventsJson(joint.camera->events)}};
    }
    if (joint.follower) {
      entry["record"] = {{"sobGroupType", ui::Latin1ToUtf8(joint.follower->sobGroupType)},
                         {"sobGroupName", ui::Latin1ToUtf8(joint.follower->sobGroupName)},
                         {"events", EventsJson(joint.follower->events)}};
    }
    if (!joint.defaults.empty()) {
      entry["record"]["defaults"] = joint.defaults;
    }
    joints.push_back(std::move(entry));
  }
  nlohmann::ordered_json model = {{"frameRate", report.model.frameRate},
                                  {"events", EventsJson(report.model.events)}};
  if (!report.modelDefaults.empty()) {
    model["defaults"] = report.modelDefaults;
  }
  return {{"$schema", kShowSchemaId},
          {"file", ui::ShownText(report.file)},
          {"plugIn", report.plugInTitle},
          {"model", std::move(model)},
          {"joints", std::move(joints)}};
}

}  // namespace quorvel::app
