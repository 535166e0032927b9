#include "tools/quorvel/show_command.h"

#include <algorithm>
#include <iostream>
#include <memory>
#include <string_view>
#include <vector>

#include "framework/core/latin1.h"
#include "host/ms_model_handle.h"
#include "plugin/joints/host_text.h"
#include "plugin/joints/joint_mark.h"
#include "tools/quorvel/command_error.h"
#include "tools/quorvel/joint_show_writer.h"
#include "tools/quorvel/json_text.h"
#include "tools/quorvel/model_file.h"
#include "tools/quorvel/output_buffer.h"
#include "tools/quorvel/plugin_module.h"
#include "tools/quorvel/record_defaults.h"
#include "tools/quorvel/standard_output.h"

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

ModelRecord ReportModel(HostTextReader& text, msModel* model,
                        std::vector<std::string>* defaults = nullptr) {
  ModelRecord record;
  const std::string comment = text.ModelComment(model);
  record.LoadAttributes(comment);
  if (defaults != nullptr) {
    *defaults = DefaultedValues(RecordShape::kModel, comment);
  }
  return record;
}

// The text form, written as each part is read.

void PrintEvents(const EventList& events, std::string_view indent, OutputBuffer& out) {
  out.Text(indent);
  out.Text("Num Events: ");
  out.Number(events.size());
  out.Text("\n");
  for (std::size_t i = 0; i < events.size(); ++i) {
    out.Text(indent);
    out.Text("  Event");
    out.Number(i);
    out.Text(": ");
    out.Terminal(events[i]);
    out.Text("\n");
  }
}

void PrintHead(const std::string& file, const std::string& plugInTitle, const ModelRecord& model,
               std::size_t jointCount, OutputBuffer& out) {
  out.Text("\"");
  out.Text(plugInTitle);
  out.Text("\" attributes of ");
  out.Text(file);
  out.Text("\n\nModel\n    OPT_FPS: ");
  out.Number(model.frameRate);
  out.Text("\n");
  PrintEvents(model.events, "    ", out);
  out.Text("\nJoints: ");
  out.Number(jointCount);
  out.Text("\n");
}

void PrintJoint(const JointReport& joint, const CameraRecord* camera,
                const FollowerRecord* follower, OutputBuffer& out) {
  out.Text("  ");
  out.Number(joint.index);
  out.Text(" ");
  out.Terminal(joint.name);
  out.Text(": ");
  out.Text(ShownKindText(joint.kind));
  out.Text(joint.marked ? ", marked\n" : ", not marked\n");
  if (camera != nullptr) {
    out.Text("      Center Of Interest: ");
    out.Terminal(camera->centerOfInterest);
    out.Text("\n");
    PrintEvents(camera->events, "      ", out);
  }
  if (follower != nullptr) {
    out.Text("      Sob Type: ");
    out.Terminal(follower->sobGroupType);
    out.Text("\n      Sob Name: ");
    out.Terminal(follower->sobGroupName);
    out.Text("\n");
    PrintEvents(follower->events, "      ", out);
  }
}

// The JSON form's head and tail, laid out exactly as nlohmann's dump(2) lays out
// ShowReportJson's document (two spaces a level, "[]" for an empty list); the joints
// between them are JointShowWriter's. Model texts are 8-bit and written by
// WriteJsonString, which escapes as nlohmann does.

void JsonEvents(const EventList& events, std::string_view indent, OutputBuffer& out) {
  if (events.empty()) {
    out.Text("[]");
    return;
  }
  std::string_view separator = "[\n";
  for (const std::string& event : events) {
    out.Text(separator);
    out.Text(indent);
    out.Text("  ");
    out.String(event);
    separator = ",\n";
  }
  out.Text("\n");
  out.Text(indent);
  out.Text("]");
}

void JsonHead(const std::string& file, const std::string& plugInTitle, const ModelRecord& model,
              const std::vector<std::string>& defaults, OutputBuffer& out) {
  out.Text("{\n  \"$schema\": \"");
  out.Text(kShowSchemaId);
  // Texts from outside the model: nlohmann escapes them as it always has.
  out.Text("\",\n  \"file\": ");
  out.Text(nlohmann::ordered_json(ui::ShownText(file)).dump());
  out.Text(",\n  \"plugIn\": ");
  out.Text(nlohmann::ordered_json(plugInTitle).dump());
  out.Text(",\n  \"model\": {\n    \"frameRate\": ");
  out.Number(model.frameRate);
  out.Text(",\n    \"events\": ");
  JsonEvents(model.events, "    ", out);
  WriteDefaultsJson(defaults, "    ", out);
  out.Text("\n  },\n  \"joints\": ");
}

void JsonTail(std::size_t jointCount, OutputBuffer& out) {
  out.Text(jointCount == 0 ? "[]\n}\n" : "\n  ]\n}\n");
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
  report.model = ReportModel(text, model, &report.modelDefaults);
  for (int i = 0; i < msModel_GetBoneCount(model); ++i) {
    report.joints.push_back(ReportJoint(text, model, i));
  }
  return report;
}

void PrintShowReport(const ShowReport& report, std::ostream& out) {
  OutputBuffer buffer(out);
  PrintHead(report.file, report.plugInTitle, report.model, report.joints.size(), buffer);
  for (const JointReport& joint : report.joints) {
    PrintJoint(joint, joint.camera ? &*joint.camera : nullptr,
               joint.follower ? &*joint.follower : nullptr, buffer);
  }
}

void WriteShow(msModel* model, const std::string& file, const std::string& plugInTitle, bool json,
               std::ostream& out) {
  HostTextReader text;
  OutputBuffer buffer(out);
  std::vector<std::string> defaults;
  const ModelRecord record = ReportModel(text, model, json ? &defaults : nullptr);
  const int count = msModel_GetBoneCount(model);
  const auto jointCount = static_cast<std::size_t>(std::max(count, 0));
  if (json) {
    JsonHead(file, plugInTitle, record, defaults, buffer);
  } else {
    PrintHead(file, plugInTitle, record, jointCount, buffer);
  }
  JointShowWriter joints(buffer, json);
  // What the reader would copy out through the joints' handles, viewed where the
  // model keeps it: at 65,535 joints, making the handles and copying each name
  // would show.
  const std::vector<host::Joint>& stored = host::JointsOf(model);
  for (int i = 0; i < count; ++i) {
    const host::Joint& joint = stored[static_cast<std::size_t>(i)];
    const std::string_view name =
        host::HandedOutName(joint, static_cast<std::size_t>(HostTextReader::kNameBufferSize));
    const std::string_view comment = host::HandedOutComment(joint).substr(
        0, static_cast<std::size_t>(HostTextReader::kMaxCommentSize - 1));
    joints.Write(i, name, (joint.flags & host::kJointSelected) != 0, comment, i == 0);
  }
  if (json) {
    JsonTail(jointCount, buffer);
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

int RunShow(const ShowOptions& show, const GlobalOptions& options) {
  PlugInModule module(options.plugInPath.empty() ? PlugInModule::DefaultPath()
                                                 : options.plugInPath);
  ModelPtr model = OpenModelFileForReading(show.modelPath);
  WriteShow(model.get(), show.modelPath, module.Title(), show.json, std::cout);
  FinishStandardOutput();
  return kExitSuccess;
}

void AddShowCommand(CLI::App& app, const GlobalOptions& options, CommandList& commands) {
  CLI::App* line = app.add_subcommand(
      "show", "Show a model's attributes and each joint as the plug-in classifies it");
  auto show = std::make_shared<ShowOptions>();
  line->add_option("MODEL", show->modelPath, "The model file (.ms3d)")->required();
  line->add_flag("--json", show->json, "Write the same as JSON");
  commands.push_back({line, [show, &options] { return RunShow(*show, options); }});
}

}  // namespace quorvel::app
