#pragma once

#include <cstddef>
#include <nlohmann/json.hpp>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "host/ms_model_lib.h"
#include "tools/quorvel/check_report.h"

namespace quorvel::app {

// What the plug-in's run did with the pages' records, by page caption, in the order
// of the sheet, as the plug-in noted it in the host library (msHost_NoteRecord).
struct RecordAccount {
  std::vector<std::string> written;     // written, and their comment changed
  std::vector<std::string> notWritten;  // edited, but kept out by the answer No
};

RecordAccount ReadRecordAccount(msModel* model);

// How an edit ended, when it ended without a failure.
enum class EditEnd {
  kSaved,           // the model's file was saved
  kSavedElsewhere,  // its own file could not be, and the user chose another
  kUnchanged,       // no comment changed; the file is left as it was
  kCancelled,       // the user cancelled; nothing was saved
};

struct EditResult {
  std::string model;  // as the command line named it
  EditEnd end = EditEnd::kUnchanged;
  std::string savedTo;  // the file written, for kSaved and kSavedElsewhere
  RecordAccount records;
  // What the rules of `quorvel check` find in the file written; none when nothing
  // was written, or when that file could not be read back (checkError says why).
  std::optional<CheckReport> check;
  std::string checkError;
};

// The captions a line lists at most; the rest are counted ("and 3 more").
inline constexpr std::size_t kCaptionsListed = 10;
// The problems of the check after a save that are shown as lines at most.
inline constexpr std::size_t kCheckLinesShown = 5;

// The editor's last line, without its newline, e.g.
// "fleet.ms3d: saved 2 records (Actor: Salvage1, Camera: CAM_Side); not written, as
// answered No: NIS Attributes, Actor: Fighter1".
std::string EditResultLine(const EditResult& result);

// The same facts for a program: the outcome, the file written, both lists whole, and
// the check's report.
nlohmann::ordered_json EditResultJson(const EditResult& result);

// Applies the rules of `quorvel check` to the file `path` that was just written
// (game files below `gameRoot`, when one is given). Only the first kCheckLinesShown
// problems keep their messages; all are counted.
void CheckWrittenFile(EditResult& result, const std::optional<std::string>& gameRoot,
                      std::size_t problemsKept);

// The check's findings for a person, when it found a warning or an error: the
// counts, the first problems as `quorvel check` writes them, and the command that
// lists the rest. Nothing when the file holds at most infos.
void PrintWrittenFileCheck(const EditResult& result, std::ostream& out);

}  // namespace quorvel::app
