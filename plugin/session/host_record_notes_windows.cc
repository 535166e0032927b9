#include <windows.h>

#include "plugin/session/host_record_notes.h"

namespace quorvel {

HostRecordNotes HostRecordNotes::Find() {
  // The host library the DLL imports its ten functions from; the modeller's own has
  // no such export, and the session then notes nothing.
  const HMODULE host = GetModuleHandleA("msModelLib.dll");
  if (host == nullptr) {
    return HostRecordNotes();
  }
  return HostRecordNotes(reinterpret_cast<NoteFunction>(
      reinterpret_cast<void*>(GetProcAddress(host, "msHost_NoteRecord"))));
}

}  // namespace quorvel
