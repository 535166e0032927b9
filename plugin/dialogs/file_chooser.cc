#include "plugin/dialogs/file_chooser.h"

#include <algorithm>

#include "framework/core/file_dialog.h"

namespace quorvel::ui {

std::optional<std::string> ChooseOpenFile(std::string_view initialFolder) {
  char file[kPathBufferSize] = "";
  char fileTitle[kPathBufferSize] = "";
  char folder[kPathBufferSize] = "";
  if (initialFolder.size() < kPathBufferSize) {
    std::copy(initialFolder.begin(), initialFolder.end(), folder);
    folder[initialFolder.size()] = '\0';
  }

  OpenFileRequest request{};
  request.structSize = kOpenFileRequestSize;
  request.filter = "All Files (*.*)\0*.*\0";
  request.filterIndex = 0;
  request.file = file;
  request.maxFile = kPathBufferSize;
  request.fileTitle = fileTitle;
  request.maxFileTitle = kPathBufferSize;
  request.initialDir = folder;
  request.title = "Open";
  request.flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST;
  request.defaultExtension = "*.*";

  if (GetOpenFileName(request) == 0)
    return std::nullopt;
  // The chooser terminates the path; never read past the buffer should it not.
  const char* const end = std::find(file, file + kPathBufferSize, '\0');
  return std::string(static_cast<const char*>(file), end);
}

}  // namespace quorvel::ui
