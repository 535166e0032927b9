// The file chooser: Qt's own dialog, in the requested folder, filtering "All Files
// (*.*)" so that every file shows, also one without a dot in its name.
#include "framework/backends/qt/file_chooser_view.h"

#include <fstream>
#include <set>
#include <string>

#include <gtest/gtest.h>
#include <QApplication>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QDir>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest/QTest>

#include "framework/core/file_dialog.h"
#include "tests/framework/backends/qt/window_user.h"
#include "tests/framework/core/test_dialogs.h"

namespace quorvel::ui::qt::testing {
namespace {

struct FilterCase {
  const char* description;
  const char* pattern;
  const char* nameFilter;
};

TEST(FileChooserViewTest, RequestFiltersBecomeNameFiltersMatchingTheSameFiles) {
  const FilterCase cases[] = {
      {"All Files (*.*)", "*.*", "All Files (*.*) (*)"},
      {"Sounds", "*.wav;*.mp3", "Sounds (*.wav *.mp3)"},
      {"Anything", "", "Anything (*)"},
  };
  for (const FilterCase& c : cases)
    EXPECT_EQ(NameFilterFor({c.description, c.pattern}).toStdString(), c.nameFilter);
}

std::set<QString> ShownNames(QFileDialog* dialog) {
  std::set<QString> names;
  auto* list = dialog->findChild<QListView*>(QStringLiteral("listView"));
  if (list == nullptr)
    return names;
  const QModelIndex root = list->rootIndex();
  for (int row = 0; row < list->model()->rowCount(root); ++row)
    names.insert(list->model()->index(row, 0, root).data().toString());
  return names;
}

TEST(FileChooserViewTest, OpensInTheRequestedFolderWithTheAllFilesFilter) {
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  for (const char* name : {"big.wav", "README"})
    std::ofstream(QDir(folder.path()).filePath(QString::fromLatin1(name)).toStdString()) << "x";
  const std::string start = folder.path().toStdString();

  char file[260] = "";
  char title[260];
  OpenFileRequest request = ui::testing::ValueEntryRequest(file, title, start.c_str());

  int chosen = -1;
  EXPECT_TRUE(
      PlayActions({}, {[&](const OpenWindow& top) {
                    FileChooserView* chooser = top.file;
                    ASSERT_NE(chooser, nullptr);
                    EXPECT_TRUE(chooser->testOption(QFileDialog::DontUseNativeDialog));
                    EXPECT_EQ(chooser->windowTitle(), QStringLiteral("Open"));
                    EXPECT_EQ(chooser->directory().absolutePath(), folder.path());
                    auto* types = chooser->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
                    ASSERT_NE(types, nullptr);
                    EXPECT_EQ(types->currentText(), QStringLiteral("All Files (*.*)"));
                    // The folder is read in the background.
                    QDeadlineTimer deadline(5000);
                    while (ShownNames(chooser).size() < 2 && !deadline.hasExpired())
                      QTest::qWait(10);
                    EXPECT_EQ(ShownNames(chooser), (std::set<QString>{"README", "big.wav"}));
                    auto* name = chooser->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
                    ASSERT_NE(name, nullptr);
                    QTest::keyClicks(name, "README");
                    QTest::keyClick(name, Qt::Key_Return);
                  }},
                  [&] { chosen = GetOpenFileName(request); }));
  EXPECT_NE(chosen, 0);
  EXPECT_EQ(std::string(file), QDir(folder.path()).filePath("README").toStdString());
}

struct MissingFolderCase {
  const char* name;
  uint32_t flags;
  bool refused;
};

// When the path must exist, a typed path in a folder that does not exist is refused
// with a message naming the folder, and the chooser stays open for another path;
// otherwise the path is taken as typed.
TEST(FileChooserViewTest, APathInAMissingFolderIsRefusedWhenThePathMustExist) {
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  const QString missing = QDir(folder.path()).filePath(QStringLiteral("missing/big.wav"));
  const QString present = QDir(folder.path()).filePath(QStringLiteral("big.wav"));
  const std::string start = folder.path().toStdString();
  const MissingFolderCase cases[] = {
      {"path must exist", OFN_HIDEREADONLY | OFN_PATHMUSTEXIST, true},
      {"any path", OFN_HIDEREADONLY, false},
  };
  for (const MissingFolderCase& c : cases) {
    SCOPED_TRACE(c.name);
    char file[260] = "";
    OpenFileRequest request{};
    request.structSize = kOpenFileRequestSize;
    request.filter = "All Files (*.*)\0*.*\0";
    request.file = file;
    request.maxFile = sizeof file;
    request.initialDir = start.c_str();
    request.flags = c.flags;
    QString message;
    bool stayedOpen = false;
    EXPECT_TRUE(PlayActions({}, {[&](const OpenWindow& top) {
                              FileChooserView* chooser = top.file;
                              ASSERT_NE(chooser, nullptr);
                              auto* name =
                                  chooser->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
                              ASSERT_NE(name, nullptr);
                              // The user reads the message and presses its OK.
                              QTimer reader;
                              reader.setInterval(10);
                              QObject::connect(&reader, &QTimer::timeout, [&] {
                                auto* box =
                                    qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                                if (box != nullptr) {
                                  message = box->text();
                                  box->accept();
                                }
                              });
                              reader.start();
                              QTest::keyClicks(name, missing.toStdString().c_str());
                              QTest::keyClick(name, Qt::Key_Return);
                              reader.stop();
                              stayedOpen = chooser->isVisible();
                              if (!stayedOpen)
                                return;
                              // The name has the keyboard again, to be typed over.
                              QDeadlineTimer deadline(2000);
                              while (QApplication::focusWidget() != name && !deadline.hasExpired())
                                QTest::qWait(10);
                              EXPECT_EQ(name->selectedText(), name->text());
                              QTest::keyClicks(name, present.toStdString().c_str());
                              QTest::keyClick(name, Qt::Key_Return);
                            }},
                            [&] { EXPECT_NE(GetOpenFileName(request), 0); }));
    EXPECT_EQ(stayedOpen, c.refused);
    EXPECT_EQ(message.contains(QDir(folder.path()).filePath(QStringLiteral("missing"))), c.refused)
        << message.toStdString();
    EXPECT_EQ(std::string(file), (c.refused ? present : missing).toStdString());
  }
}

}  // namespace
}  // namespace quorvel::ui::qt::testing
