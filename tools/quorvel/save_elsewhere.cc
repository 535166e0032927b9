#include "tools/quorvel/save_elsewhere.h"

#include <utility>

#include "framework/core/constants.h"
#include "framework/core/file_dialog.h"
#include "framework/core/message_box.h"
#include "host/path_parts.h"

namespace quorvel::app {
namespace {

constexpr char kCaption[] = "Quorvel";

std::optional<std::string> ChooseOtherFile(const std::string& path) {
  char file[4096] = "";
  const std::string folder = host::FolderOf(path);
  ui::OpenFileRequest request{};
  request.structSize = ui::kOpenFileRequestSize;
  request.filter = "Model Files (*.ms3d)\0*.ms3d\0All Files (*.*)\0*.*\0";
  request.file = file;
  request.maxFile = sizeof file;
  request.initialDir = folder.c_str();
  request.title = "Save the edited model as";
  request.flags = ui::OFN_OVERWRITEPROMPT | ui::OFN_HIDEREADONLY | ui::OFN_PATHMUSTEXIST;
  request.defaultExtension = "ms3d";
  if (ui::GetSaveFileName(request) == 0)
    return std::nullopt;
  return std::string(file);
}

}  // namespace

std::optional<std::string> OfferToSaveElsewhere(msModel* model, const std::string& path,
                                                std::string reason) {
  std::string failed = path;
  for (;;) {
    const std::string text = "The edited model could not be saved to " + failed + ":\n" + reason +
                             "\n\nSave the edited model to another file?";
    if (ui::MessageBox(nullptr, text, kCaption, ui::MB_YESNO | ui::MB_ICONEXCLAMATION) !=
        ui::IDYES) {
      return std::nullopt;
    }
    std::optional<std::string> chosen = ChooseOtherFile(path);
    if (!chosen)
      return std::nullopt;
    if (msHost_SaveModelAs(model, chosen->c_str()) == 0)
      return chosen;
    failed = std::move(*chosen);
    reason = msHost_LastError();
  }
}

}  // namespace quorvel::app
