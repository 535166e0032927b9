#include "app/show_command.h"

#include <iostream>
#include <memory>

#include "app/command_error.h"
#include "app/json_text.h"
#include "app/model_file.h"
#include "app/plugin_module.h"
#include "plugin/host_text.h"
#include "ui/framework/latin1.h"

namespace quorvel::app {
namespace {

constexpr unsigned int kMarkedFlag = 1;

// The kind's name, with "follower" after it for ships and other followers.
std::string KindText(JointKind kind) {
  std::string text(JointKindName(kind));
  if (kind == JointKind::kShip || kind == JointKind::kOther) {
    text += " follower";
  }
  return text;
}

void PrintEvents(const EventList& events, const std::string& indent, std::ostream& out) {
  out << indent << "Num Events: " << events.size() << "\n";
  for (std::size_t i = 0; i < events.size(); ++i) {
    out << indent << "  Event" << i << ": " << TerminalText(events[i]) << "\n";
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
  report.model.LoadAttributes(text.ModelComment(model));
  for (int i = 0; i < msModel_GetBoneCount(model); ++i) {
    msBone* bone = msModel_GetBoneAt(model, i);
    JointReport joint;
    joint.index = i;
    joint.name = text.JointName(bone);
    std::string comment = text.JointComment(bone);
    joint.kind = ClassifyJoint(joint.name, comment);
    joint.marked = (msBone_GetFlags(bone) & kMarkedFlag) != 0;
    if (joint.kind == JointKind::kCamera) {
      joint.camera.emplace().LoadAttributes(comment);
    } else if (joint.kind != JointKind::kSkipped) {
      joint.follower.emplace().LoadAttributes(comment);
    }
    report.joints.push_back(std::move(joint));
  }
  return report;
}

void PrintShowReport(const ShowReport& report, std::ostream& out) {
  out << "\"" << report.plugInTitle << "\" attributes of " << report.file << "\n\n";
  out << "Model\n";
  out << "    OPT_FPS: " << report.model.frameRate << "\n";
  PrintEvents(report.model.events, "    ", out);
  out << "\nJoints: " << report.joints.size() << "\n";
  for (const JointReport& joint : report.joints) {
    out << "  " << joint.index << " " << TerminalText(joint.name) << ": " << KindText(joint.kind)
        << ", " << (joint.marked ? "marked" : "not marked") << "\n";
    if (joint.camera) {
      out << "      Center Of Interest: " << TerminalText(joint.camera->centerOfInterest) << "\n";
      PrintEvents(joint.camera->events, "      ", out);
    }
    if (joint.follower) {
      out << "      Sob Type: " << TerminalText(joint.follower->sobGroupType) << "\n";
      out << "      Sob Name: " << TerminalText(joint.follower->sobGroupName) << "\n";
      PrintEvents(joint.follower->events, "      ", out);
    }
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
    joints.push_back(std::move(entry));
  }
  return {{"file", ui::ShownText(report.file)},
          {"plugIn", report.plugInTitle},
          {"model",
           {{"frameRate", report.model.frameRate}, {"events", EventsJson(report.model.events)}}},
          {"joints", std::move(joints)}};
}

void AddShowCommand(CLI::App& app, const GlobalOptions& options, CommandList& commands) {
  CLI::App* line = app.add_subcommand(
      "show", "Show a model's attributes and each joint as the plug-in classifies it");
  auto path = std::make_shared<std::string>();
  auto json = std::make_shared<bool>(false);
  line->add_option("MODEL", *path, "The model file (.ms3d)")->required();
  line->add_flag("--json", *json, "Write the same as JSON");
  commands.push_back({line, [path, json, &options] {
                        PlugInModule module(options.plugInPath.empty() ? PlugInModule::DefaultPath()
                                                                       : options.plugInPath);
                        ModelPtr model = OpenModelFile(*path);
                        ShowReport report = BuildShowReport(model.get());
                        report.file = *path;
                        report.plugInTitle = module.Title();
                        if (*json) {
                          std::cout << ShowReportJson(report).dump(2) << "\n";
                        } else {
                          PrintShowReport(report, std::cout);
                        }
                        std::cout.flush();
                        if (!std::cout) {
                          throw CommandError(kExitFileError, "cannot write to standard output");
                        }
                        return kExitSuccess;
                      }});
}

}  // namespace quorvel::app
