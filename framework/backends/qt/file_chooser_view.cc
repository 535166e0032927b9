#include "framework/backends/qt/file_chooser_view.h"

#include <algorithm>

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>

#include "framework/backends/qt/text.h"
#include "framework/core/file_dialog.h"

namespace quorvel::ui::qt {

QString NameFilterFor(const FileFilter& filter) {
  QStringList patterns;
  for (const QString& pattern :
       ToQString(filter.pattern).split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
    const QString trimmed = pattern.trimmed();
    patterns << (trimmed == QLatin1String("*.*") ? QStringLiteral("*") : trimmed);
  }
  if (patterns.isEmpty())
    patterns << QStringLiteral("*");
  // The dialog shows what stands before the last parentheses; those hold what it
  // matches.
  return ToQString(filter.description) + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) +
         QLatin1Char(')');
}

FileChooserView::FileChooserView(const FileChooserRequest& request, QWidget* parent)
    : QFileDialog(parent), request_(request) {
  setObjectName(QStringLiteral("file"));
  setOption(QFileDialog::DontUseNativeDialog);
  setOption(QFileDialog::HideNameFilterDetails);
  setAcceptMode(request.saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  // The framework asks before a file is replaced, so that every backend asks alike.
  setOption(QFileDialog::DontConfirmOverwrite);
  setFileMode(!request.saving && (request.flags & OFN_FILEMUSTEXIST) != 0
                  ? QFileDialog::ExistingFile
                  : QFileDialog::AnyFile);
  const char* fallbackTitle = request.saving ? "Save As" : "Open";
  setWindowTitle(request.title.empty() ? QString::fromLatin1(fallbackTitle)
                                       : ToQString(request.title));

  QStringList filters;
  for (const FileFilter& filter : request.filters)
    filters << NameFilterFor(filter);
  if (!filters.isEmpty()) {
    setNameFilters(filters);
    // The request counts filters from 1; 0 means the first.
    const int index = std::clamp(request.filterIndex - 1, 0, static_cast<int>(filters.size()) - 1);
    selectNameFilter(filters[index]);
  }

  // A folder that does not exist leaves the dialog where it would start anyway, in
  // the current folder, as the platform's chooser does.
  const QString folder = ToQString(request.initialFolder);
  if (!folder.isEmpty() && QDir(folder).exists())
    setDirectory(folder);
  if (!request.initialFile.empty())
    selectFile(ToQString(request.initialFile));
}

std::optional<std::string> FileChooserView::Chosen() const {
  if (abandoned_ || result() != QDialog::Accepted)
    return std::nullopt;
  const QStringList files = selectedFiles();
  if (files.isEmpty())
    return std::nullopt;
  return ToText(QDir::toNativeSeparators(files.first()));
}

void FileChooserView::accept() {
  const QStringList files = selectedFiles();
  if (checksFolder_ && (request_.flags & OFN_PATHMUSTEXIST) != 0 && !files.isEmpty()) {
    const QFileInfo chosen(files.first());
    const QString folder = chosen.absolutePath();
    if (!chosen.isDir() && !QFileInfo(folder).isDir()) {
      QMessageBox::warning(this, windowTitle(),
                           QDir::toNativeSeparators(folder) +
                               QStringLiteral("\nThis folder does not exist. Check the path "
                                              "and try again."));
      // Back to the name, to be corrected, also where no window manager hands the
      // keyboard back.
      activateWindow();
      if (auto* name = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) {
        name->setFocus(Qt::OtherFocusReason);
        name->selectAll();
      }
      return;
    }
  }
  QFileDialog::accept();
}

// A modal window takes the keyboard when it opens, also where no window manager
// hands it over (a bare X server, the offscreen platform).
void FileChooserView::showEvent(QShowEvent* event) {
  QFileDialog::showEvent(event);
  activateWindow();
}

void FileChooserView::Abandon() {
  abandoned_ = true;
  done(QDialog::Rejected);
}

}  // namespace quorvel::ui::qt
