#include "framework/core/file_dialog.h"

#include <sys/stat.h>
#include <cstring>
#include <string>

#include "framework/core/application.h"
#include "framework/core/backend.h"
#include "framework/core/message_box.h"
#include "framework/core/modal_window.h"

namespace quorvel::ui {
namespace {

// The request layout with the fields that later platform versions added.
constexpr uint32_t kExtendedRequestSize = 88;

// A text in a caller's buffer of known size, which need not hold a terminator.
std::string BoundedText(const char* text, uint32_t size) {
  if (text == nullptr)
    return {};
  return std::string(text, strnlen(text, size));
}

std::vector<FileFilter> ParseFilters(const char* filter) {
  std::vector<FileFilter> filters;
  if (filter == nullptr)
    return filters;
  // Pairs of NUL-terminated texts; an empty description ends the list.
  while (*filter != '\0') {
    FileFilter entry;
    entry.description = filter;
    filter += entry.description.size() + 1;
    entry.pattern = filter;
    filter += entry.pattern.size() + 1;
    filters.push_back(std::move(entry));
    if (filters.back().pattern.empty())
      break;
  }
  return filters;
}

void CopyText(const std::string& text, char* buffer, uint32_t size) {
  if (buffer == nullptr || size == 0)
    return;
  const size_t length = std::min<size_t>(text.size(), size - 1);
  std::memcpy(buffer, text.data(), length);
  buffer[length] = '\0';
}

// Whether the user, asked, agrees to replace the existing file `path`.
bool ReplaceAgreed(const FileChooserRequest& chooser, const std::string& path) {
  struct stat status {};
  if ((chooser.flags & OFN_OVERWRITEPROMPT) == 0 || stat(path.c_str(), &status) != 0)
    return true;
  return MessageBox(chooser.owner, path + " already exists.\nDo you want to replace it?",
                    chooser.title, MB_YESNO | MB_ICONEXCLAMATION) == IDYES;
}

int ChooseFileFor(OpenFileRequest& request, bool saving) {
  if (request.structSize != kOpenFileRequestSize && request.structSize != kExtendedRequestSize) {
    return 0;
  }
  if (request.file == nullptr || request.maxFile == 0)
    return 0;
  Backend* backend = CurrentBackend();
  if (backend == nullptr)
    return 0;

  const auto& stack = ModalWindow::ModalStack();
  FileChooserRequest chooser;
  chooser.title = request.title != nullptr ? request.title : (saving ? "Save As" : "Open");
  chooser.initialFolder = request.initialDir != nullptr ? request.initialDir : "";
  chooser.initialFile = BoundedText(request.file, request.maxFile);
  chooser.filters = ParseFilters(request.filter);
  chooser.filterIndex = static_cast<int>(request.filterIndex);
  chooser.defaultExtension = request.defaultExtension != nullptr ? request.defaultExtension : "";
  chooser.flags = request.flags;
  chooser.owner =
      request.owner != nullptr ? request.owner : (stack.empty() ? nullptr : stack.back());
  chooser.saving = saving;

  std::optional<std::string> chosen = backend->ChooseFile(chooser);
  while (saving && chosen && !ReplaceAgreed(chooser, *chosen))
    chosen = backend->ChooseFile(chooser);
  if (!chosen)
    return 0;
  if (chosen->size() + 1 > request.maxFile) {
    // The caller could not hold the path; choosing it must not look like success,
    // nor pass silently as a cancel.
    MessageBox(chooser.owner,
               "The path of the chosen file is too long (" + std::to_string(chosen->size()) +
                   " characters; at most " + std::to_string(request.maxFile - 1) + " fit):\n" +
                   *chosen,
               AfxGetAppName(), MB_OK | MB_ICONEXCLAMATION);
    return 0;
  }
  CopyText(*chosen, request.file, request.maxFile);
  const size_t slash = chosen->find_last_of("\\/");
  const size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
  const size_t dot = chosen->find_last_of('.');
  request.fileOffset = static_cast<uint16_t>(nameStart);
  request.fileExtension =
      static_cast<uint16_t>((dot == std::string::npos || dot < nameStart) ? 0 : dot + 1);
  CopyText(chosen->substr(nameStart), request.fileTitle, request.maxFileTitle);
  return 1;
}

}  // namespace

int GetOpenFileName(OpenFileRequest& request) {
  return ChooseFileFor(request, false);
}

int GetSaveFileName(OpenFileRequest& request) {
  return ChooseFileFor(request, true);
}

}  // namespace quorvel::ui
