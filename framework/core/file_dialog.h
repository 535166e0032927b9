// The file chooser: a request shaped like the platform's open-file request, and
// GetOpenFileName, which asks the installed backend and fills the caller's buffers.
//
//   char file[260] = "";
//   char title[260];
//   OpenFileRequest request{};
//   request.structSize = kOpenFileRequestSize;
//   request.filter = "All Files (*.*)\0*.*\0";   // literal adds the final NUL
//   request.file = file;           request.maxFile = sizeof file;
//   request.fileTitle = title;     request.maxFileTitle = sizeof title;
//   request.initialDir = folder;   request.title = "Open";
//   request.flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST;
//   request.defaultExtension = "*.*";
//   if (GetOpenFileName(request)) use(file);
//
// A nonzero result means the file buffer holds the chosen file's full path. Zero
// means no file: the user cancelled, the request was malformed (wrong structure size,
// no file buffer), no backend is installed, or the chosen path did not fit the
// buffer (the user is then told so with a message box).
#pragma once

#include <cstdint>

namespace quorvel::ui {

class ModalWindow;

// The request size without the fields that later platform versions added.
inline constexpr uint32_t kOpenFileRequestSize = 76;

inline constexpr uint32_t OFN_READONLY = 0x00000001u;
inline constexpr uint32_t OFN_OVERWRITEPROMPT = 0x00000002u;
inline constexpr uint32_t OFN_HIDEREADONLY = 0x00000004u;
inline constexpr uint32_t OFN_PATHMUSTEXIST = 0x00000800u;
inline constexpr uint32_t OFN_FILEMUSTEXIST = 0x00001000u;

struct OpenFileRequest {
  uint32_t structSize = 0;
  ModalWindow* owner = nullptr;
  void* instance = nullptr;
  // Pairs of description and pattern, each NUL-terminated, the list ended by a
  // second NUL.
  const char* filter = nullptr;
  char* customFilter = nullptr;
  uint32_t maxCustomFilter = 0;
  uint32_t filterIndex = 0;
  char* file = nullptr;  // in: initial file name; out: the full path
  uint32_t maxFile = 0;
  char* fileTitle = nullptr;  // out: the file name without its folder
  uint32_t maxFileTitle = 0;
  const char* initialDir = nullptr;
  const char* title = nullptr;
  uint32_t flags = 0;
  uint16_t fileOffset = 0;     // out: where the name starts in file
  uint16_t fileExtension = 0;  // out: where the extension starts in file (0: none)
  const char* defaultExtension = nullptr;
  intptr_t customData = 0;
  void* hook = nullptr;
  const char* templateName = nullptr;
};

// Nonzero when a file was chosen (see above).
int GetOpenFileName(OpenFileRequest& request);

// The same request for a file to write ("Save As" unless titled otherwise): the user
// names a file, new or existing. With OFN_OVERWRITEPROMPT, naming a file that exists
// asks in a message box whether to replace it; No shows the chooser again.
int GetSaveFileName(OpenFileRequest& request);

}  // namespace quorvel::ui
