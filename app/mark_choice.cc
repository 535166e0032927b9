#include "app/mark_choice.h"

#include <algorithm>
#include <set>

#include "app/command_error.h"
#include "plugin/host_text.h"
#include "ui/framework/latin1.h"

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

void ApplyMarkChoice(const MarkChoice& choice, msModel* model, const std::string& modelPath) {
  if (choice.kind == MarkChoice::Kind::kSelected) {
    return;
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
  std::set<std::string, std::less<>> found;
  HostTextReader text;
  for (int i = 0; i < msModel_GetBoneCount(model); ++i) {
    bool marked = true;
    if (choice.kind == MarkChoice::Kind::kNames) {
      const std::string name = text.JointName(msModel_GetBoneAt(model, i));
      marked = listed.contains(name);
      if (marked) {
        found.insert(name);
      }
    }
    msHost_SetJointMarked(model, i, marked ? 1 : 0);
  }
  for (const std::string& typed : choice.names) {
    if (!found.contains(jointName(typed))) {
      throw CommandError(kExitUsage, "--mark: " + ui::ShownText(modelPath) +
                                         " has no joint named \"" + ui::ShownText(typed) + "\"");
    }
  }
}

}  // namespace quorvel::app
