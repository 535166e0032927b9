#include "plugin/session/host_record_notes.h"

#include "plugin/session/host_function.h"

namespace quorvel {

void HostRecordNotes::Written(ModelHandle model, const std::string& caption) const {
  if (note_ != nullptr) {
    note_(model, caption.c_str(), 1);
  }
}

void HostRecordNotes::NotWritten(ModelHandle model, const std::string& caption) const {
  if (note_ != nullptr) {
    note_(model, caption.c_str(), 0);
  }
}

HostRecordNotes HostRecordNotes::Find() {
  // Without the function (the modeller's own library), the session notes nothing.
  return HostRecordNotes(reinterpret_cast<NoteFunction>(FindHostFunction("msHost_NoteRecord")));
}

}  // namespace quorvel
