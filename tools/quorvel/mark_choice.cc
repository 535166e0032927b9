#include "tools/quorvel/mark_choice.h"

#include <algorithm>
#include <set>

#include "framework/core/latin1.h"
#include "plugin/joints/host_text.h"
#include "plugin/joints/joint_kind.h"
#include "tools/check/comment_lines.h"
#include "tools/check/near_names.h"
#include "tools/quorvel/command_error.h"

namespace quorvel::app {
namespace {

constexpr std::string_view kNamesPrefix = "names:";

std::vector<std::string> SplitNames(std::string_view list) {
  std::vector<std::string> names;
  while (true) {
    const std::size_t comma = list.find(',');
    names.emplace_back(list.substr(0, comma));
    if (names.back().empty()) {
      throw CommandError(kExitUsage, "--mark: the list of joint names holds an empty name (\"" +
                                         ui::ShownText(list) +
                                         "\"); separate names by single commas");
    }
    if (comma == std::string_view::npos) {
      return names;
    }
    list.remove_prefix(comma + 1);
  }
}

}  // namespace

MarkChoice ParseMarkChoice(std::string_view text) {
  if (text == "all") {
    return {MarkChoice::Kind::kAll, {}};
  }
  if (text == "selected") {
    return {MarkChoice::Kind::kSelected, {}};
  }
  if (text.starts_with(kNamesPrefix)) {
    text.remove_prefix(kNamesPrefix.size());
  }
  return {MarkChoice::Kind::kNames, SplitNames(text)};
}

std::vector<std::string> ApplyMarkChoice(const MarkChoice& choice, msModel* model,
                                         const std::string& modelPath) {
  if (choice.kind == MarkChoice::Kind::kSelected) {
    return {};
  }
  // Names are typed as UTF-8 and joint names are 8-bit: "J\xc3\xa4ger" on the command
  // line names the joint "J\xe4ger", as show and dump print it.
  const auto jointName = [](const std::string& typed) {
    return ui::Utf8ToLatin1(typed).value_or(typed);
  };
  std::set<std::string, std::less<>> listed;
  for (const std::string& typed : choice.names) {
    listed.insert(jointName(typed));
  }
  std::vector<std::string> jointNames;
  HostTextReader text;
  for (int i = 0; i < msModel_GetBoneCount(model); ++i) {
    jointNames.push_back(text.JointName(msModel_GetBoneAt(model, i)));
    const bool marked = choice.kind == MarkChoice::Kind::kAll || listed.contains(jointNames.back());
    msHost_SetJointMarked(model, i, marked ? 1 : 0);
  }
  std::vector<std::string> warnings;
  for (const std::string& typed : choice.names) {
    const std::string name = jointName(typed);
    if (std::find(jointNames.begin(), jointNames.end(), name) != jointNames.end()) {
      if (ClassifyJoint(name, "") == JointKind::kSkipped) {
        warnings.push_back("--mark: \"" + ui::ShownText(typed) +
                           "\" never gets a page: joints whose names begin with \"IG_\" or "
                           "contain \"Root\" are left out of the editor");
      }
      continue;
    }
    std::string message = "--mark: " + ui::ShownText(modelPath) + " has no joint named \"" +
                          ui::ShownText(typed) + "\"";
    const check::NearNames near(
        std::vector<std::string_view>(jointNames.begin(), jointNames.end()));
    if (const std::string_view meant = near.Nearest(name); !meant.empty()) {
      message += "; did you mean \"" + ui::ShownText(std::string(meant)) + "\"?";
      if (check::SameIgnoringCase(meant, name)) {
        message += " (names are compared with their case)";
      }
    }
    throw CommandError(kExitUsage, message);
  }
  return warnings;
}

}  // namespace quorvel::app
