#include "plugin/session/host_record_notes.h"

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

}  // namespace quorvel
