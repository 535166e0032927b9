#include "tools/quorvel/edit_result.h"

#include "framework/core/latin1.h"
#include "tools/check/model_check.h"
#include "tools/quorvel/command_error.h"
#include "tools/quorvel/model_file.h"

namespace quorvel::app {
namespace {

std::string Counted(std::size_t count, std::string_view word) {
  return std::to_string(count) + " " + std::string(word) + (count == 1 ? "" : "s");
}

// "Actor: Salvage1, Camera: CAM_Side", the first kCaptionsListed of them, then
// "and N more".
std::string CaptionList(const std::vector<std::string>& captions) {
  std::string text;
  const std::size_t listed = std::min(captions.size(), kCaptionsListed);
  for (std::size_t i = 0; i < listed; ++i) {
    text += (i == 0 ? "" : ", ") + ui::Latin1ToUtf8(captions[i]);
  }
  if (captions.size() > listed) {
    text += " and " + std::to_string(captions.size() - listed) + " more";
  }
  return text;
}

// "2 records (Actor: Salvage1, Camera: CAM_Side)".
std::string WrittenRecords(const RecordAccount& records) {
  return Counted(records.written.size(), "record") + " (" + CaptionList(records.written) + ")";
}

std::string_view EndName(EditEnd end) {
  switch (end) {
    case EditEnd::kSaved:
      return "saved";
    case EditEnd::kSavedElsewhere:
      return "savedElsewhere";
    case EditEnd::kUnchanged:
      return "unchanged";
    case EditEnd::kCancelled:
      return "cancelled";
  }
  return "";
}

nlohmann::ordered_json CaptionsJson(const std::vector<std::string>& captions) {
  nlohmann::ordered_json list = nlohmann::ordered_json::array();
  for (const std::string& caption : captions) {
    list.push_back(ui::Latin1ToUtf8(caption));
  }
  return list;
}

}  // namespace

RecordAccount ReadRecordAccount(msModel* model) {
  RecordAccount account;
  int written = 0;
  for (int i = 0; const char* caption = msHost_RecordNote(model, i, &written); ++i) {
    (written != 0 ? account.written : account.notWritten).emplace_back(caption);
  }
  return account;
}

std::string EditResultLine(const EditResult& result) {
  std::string line = result.model + ": ";
  const RecordAccount& records = result.records;
  switch (result.end) {
    case EditEnd::kSaved:
      // A plug-in that noted nothing leaves the plain word.
      line += records.written.empty() ? "saved" : "saved " + WrittenRecords(records);
      break;
    case EditEnd::kSavedElsewhere:
      line += "not saved; the edited model was saved to " + result.savedTo;
      if (!records.written.empty()) {
        line += " with " + WrittenRecords(records);
      }
      break;
    case EditEnd::kUnchanged:
      line += "no comment changed; the file is left as it was";
      break;
    case EditEnd::kCancelled:
      return line + "cancelled; nothing was saved";
  }
  if (!records.notWritten.empty()) {
    line += "; not written, as answered No: " + CaptionList(records.notWritten);
  }
  return line;
}

nlohmann::ordered_json EditResultJson(const EditResult& result) {
  nlohmann::ordered_json json = {{"model", ui::ShownText(result.model)},
                                 {"result", std::string(EndName(result.end))}};
  json["savedTo"] = result.savedTo.empty() ? nlohmann::ordered_json(nullptr)
                                           : nlohmann::ordered_json(ui::ShownText(result.savedTo));
  json["written"] = CaptionsJson(result.records.written);
  json["notWritten"] = CaptionsJson(result.records.notWritten);
  if (result.check) {
    json["check"] = CheckReportJson(*result.check);
  } else if (!result.checkError.empty()) {
    json["check"] = {{"readError", ui::ShownText(result.checkError)}};
  } else {
    json["check"] = nullptr;
  }
  return json;
}

void CheckWrittenFile(EditResult& result, const std::optional<std::string>& gameRoot,
                      std::size_t problemsKept) {
  CheckReportOptions options;
  options.maxProblems = problemsKept;
  ReportSink sink(std::move(options), nullptr);
  sink.BeginFile(result.savedTo);
  try {
    ModelPtr model = OpenModelFileForReading(result.savedTo);
    check::CheckOptions checkOptions;
    checkOptions.gameRoot = gameRoot;
    check::ModelFacts facts = check::ReadModelFacts(model.get(), checkOptions);
    check::CheckModel(facts, sink);
  } catch (const CommandError& error) {
    // The save stands; only the look at what it wrote failed.
    result.checkError = error.what();
    return;
  }
  result.check = sink.Report();
}

void PrintWrittenFileCheck(const EditResult& result, std::ostream& out) {
  if (!result.checkError.empty()) {
    out << "quorvel edit: the saved file could not be read back to check it: "
        << ui::ShownText(result.checkError) << "\n";
    return;
  }
  if (!result.check || (result.check->counts.errors == 0 && result.check->counts.warnings == 0)) {
    return;
  }
  const CheckReport& report = *result.check;
  const std::string shown = ui::ShownText(result.savedTo);
  out << "quorvel edit: " << shown << " as saved: " << Counted(report.counts.errors, "error")
      << ", " << Counted(report.counts.warnings, "warning") << ", "
      << Counted(report.counts.infos, "info") << "\n";
  for (const check::ProblemView problem : report.files.front().problems) {
    out << shown << ": " << ProblemText(problem) << "\n";
  }
  if (report.notShown > 0) {
    out << "quorvel edit: " << Counted(report.notShown, "more problem") << "; quorvel check "
        << shown << " lists them all\n";
  }
}

}  // namespace quorvel::app
