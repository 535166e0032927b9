// The file chooser: Qt's own file dialog (never the desktop's, so that it looks and
// behaves the same everywhere and can be driven in tests), opened as the framework's
// request asks: title, initial folder, filters, initial file. When the request says
// the path must exist, a typed path in a folder that does not exist is refused with
// a message, and the chooser stays open.
//
// That check belongs to real windows, not to the framework: it asks the disk that
// the user browses, while a scripted choice names a file of the script's own world
// (a game folder on another machine), which the headless backend takes as given.
#pragma once

#include <optional>
#include <string>

#include <QFileDialog>
#include <QStringList>

#include "framework/core/backend.h"

namespace quorvel::ui::qt {

// One name filter of the dialog for a request's filter: the description as the user
// reads it, matching what the pattern matches there ("*.*" matches every file, also
// one without a dot).
QString NameFilterFor(const FileFilter& filter);

class FileChooserView : public QFileDialog {
 public:
  FileChooserView(const FileChooserRequest& request, QWidget* parent);

  const FileChooserRequest& Request() const { return request_; }
  // The full path of the chosen file, or nullopt when the user cancelled.
  std::optional<std::string> Chosen() const;

  void Abandon();

  // Whether a path in a missing folder is refused (as the request asks). A UI
  // script's `choose` names a file of the script's own world, which need not be on
  // this disk, as the headless backend takes it: the script player turns this off.
  void SetChecksFolder(bool checks) { checksFolder_ = checks; }

  // The dialog's OK, and Enter in its name field.
  void accept() override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  const FileChooserRequest& request_;
  bool abandoned_ = false;
  bool checksFolder_ = true;
};

}  // namespace quorvel::ui::qt
