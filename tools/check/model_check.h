#pragma once

#include <optional>
#include <string>

#include "host/ms_model_lib.h"
#include "tools/check/model_facts.h"
#include "tools/check/problem.h"

namespace quorvel::check {

struct CheckOptions {
  // The game folder below which file values must exist; nothing: files are not
  // looked for.
  std::optional<std::string> gameRoot;
};

// Reads the model as the editing session reads it.
ModelFacts ReadModelFacts(msModel* model, const CheckOptions& options);

// Reports every problem of the model to `problems`, in model order: the model
// comment first, then each joint. Stops before the next joint once the sink has
// enough (ProblemSink::Enough); returns false when it stopped so, true when every
// joint was checked.
bool CheckModel(ModelFacts& model, ProblemSink& problems);

// The parts of CheckModel, for a reader that wants only some joints: the problems
// of the model's own comment, and those of one joint and its record.
void CheckModelComment(ModelFacts& model, ProblemSink& problems);
void CheckJointAndRecord(const JointFacts& joint, ModelFacts& model, ProblemSink& problems);

// The same, collected.
ProblemList CheckModel(ModelFacts& model);
ProblemList CheckModel(msModel* model, const CheckOptions& options);

}  // namespace quorvel::check
