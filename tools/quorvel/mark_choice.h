#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "host/ms_model_lib.h"

namespace quorvel::app {

// Which joints `quorvel edit` marks for its run, so that they get a page.
//
// The modeller marks joints by selecting them, but outside the modeller nobody can
// select, and the selection a file keeps is whatever happened to be selected when
// it was last saved. So the default is every joint; `selected` keeps the file's
// own selection; a list of names marks exactly those joints. The stored flags never
// change: only what the host library reports for this run.
struct MarkChoice {
  enum class Kind { kAll, kSelected, kNames };
  Kind kind = Kind::kAll;
  std::vector<std::string> names;  // kNames: in the order given
};

// "all", "selected", "names:A,B,..." or "A,B,..." (the prefix is needed only for a
// list whose first name is "all" or "selected", or begins with "names:"). Throws
// CommandError (usage) for an empty list or an empty name.
MarkChoice ParseMarkChoice(std::string_view text);

// Makes the host library report the choice. Every name of a list must name at least
// one joint (names are compared exactly, as the plug-in reads them); joints sharing
// a listed name are all marked. Throws CommandError (usage) naming the first name
// that matches no joint of `modelPath`, suggesting the nearest joint name (one that
// differs only in case, or by one edit; see check::NearNames). Returns a warning for a person for
// each listed joint that can never get a page (the editor leaves it out by its name).
std::vector<std::string> ApplyMarkChoice(const MarkChoice& choice, msModel* model,
                                         const std::string& modelPath);

}  // namespace quorvel::app
