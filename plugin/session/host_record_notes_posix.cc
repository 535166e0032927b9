#include <dlfcn.h>

#include "plugin/session/host_record_notes.h"

namespace quorvel {

HostRecordNotes HostRecordNotes::Find() {
  // In the program's global scope: the host library that the program loaded.
  return HostRecordNotes(reinterpret_cast<NoteFunction>(dlsym(RTLD_DEFAULT, "msHost_NoteRecord")));
}

}  // namespace quorvel
