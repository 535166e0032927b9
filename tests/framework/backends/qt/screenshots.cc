// quorvel_screenshots MODEL SCRIPT FOLDER: opens MODEL as `quorvel edit` does (every
// joint marked), plays SCRIPT through the real windows, and before each step that a
// "# shot NAME" line precedes saves a picture of the window in front as
// FOLDER/NAME.png. The model is never saved. scripts/screenshots.sh runs it under
// Xvfb. Exits with 1 when the script fails or a picture cannot be written.
//
// Xvfb runs no window manager, so the windows have no title bars of their own; the
// picture gets a plain one drawn above the window, with the window's caption.
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QPixmap>
#include <QTemporaryDir>
#include <QtTest/QTest>

#include "framework/backends/qt/qt_script_player.h"
#include "framework/core/backend.h"
#include "framework/script/script.h"
#include "host/ms_model_lib.h"
#include "plugin/session/attribute_plugin.h"
#include "plugin/session/plugin_application.h"

namespace {

// Time for what a window fills in the background (a file chooser's folder).
constexpr int kSettleMilliseconds = 500;
constexpr int kTitleHeight = 24;

// The script line of each step that a "# shot NAME" line comes before, and NAME.
std::map<int, std::string> ShotLines(const std::string& text) {
  std::map<int, std::string> shots;
  std::istringstream lines(text);
  std::string line;
  std::string pending;
  for (int number = 1; std::getline(lines, line); ++number) {
    if (line.rfind("# shot ", 0) == 0) {
      pending = line.substr(7);
    } else if (!line.empty() && line[0] != '#' && !pending.empty()) {
      shots[number] = pending;
      pending.clear();
    }
  }
  return shots;
}

QImage WithTitleBar(QWidget* window) {
  const QPixmap client = window->grab();
  QImage picture(client.width() + 2, client.height() + kTitleHeight + 1, QImage::Format_RGB32);
  picture.fill(QColor(0x8c, 0x8c, 0x8c));
  QPainter painter(&picture);
  const QRect bar(1, 1, client.width(), kTitleHeight - 1);
  painter.fillRect(bar, QColor(0xdc, 0xdc, 0xdc));
  QFont font = QApplication::font();
  font.setBold(true);
  painter.setFont(font);
  painter.setPen(Qt::black);
  painter.drawText(bar.adjusted(8, 0, -8, 0), Qt::AlignVCenter | Qt::AlignLeft,
                   window->windowTitle());
  painter.drawPixmap(1, kTitleHeight, client);
  return picture;
}

// A game folder with a few sound files, so that the file chooser has something to show.
void MakeGameFolder(const QString& root) {
  const QDir sounds(root + QStringLiteral("/data/sound/sfx"));
  sounds.mkpath(QStringLiteral("explode"));
  for (const char* name : {"explode/big.wav", "explode/small.wav", "laser.wav", "engine_hum.wav"})
    QFile(sounds.filePath(QString::fromLatin1(name))).open(QIODevice::WriteOnly);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::cerr << "usage: quorvel_screenshots MODEL SCRIPT FOLDER\n";
    return 2;
  }
  QApplication application(argc, argv);
  const std::string modelPath = argv[1];
  const QString folder = QString::fromLocal8Bit(argv[3]);
  std::ifstream scriptFile(argv[2], std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(scriptFile)),
                         std::istreambuf_iterator<char>());
  if (text.empty()) {
    std::cerr << argv[2] << ": no script to play\n";
    return 2;
  }

  QTemporaryDir games;
  const QString root = games.path() + QStringLiteral("/ZU2");
  MakeGameFolder(root);
  setenv("ZU2_Root", root.toLocal8Bit().constData(), 1);

  msModel* model = msHost_OpenModel(modelPath.c_str());
  if (model == nullptr) {
    std::cerr << modelPath << ": " << msHost_LastError() << "\n";
    return 2;
  }
  for (int i = 0; i < msModel_GetBoneCount(model); ++i)
    msHost_SetJointMarked(model, i, 1);

  const std::map<int, std::string> shots = ShotLines(text);
  int status = 0;
  try {
    quorvel::ui::qt::QtScriptedBackend backend(quorvel::ui::ParseScript(text));
    quorvel::ui::BackendScope installed(&backend);
    backend.Player().SetBeforeStep([&](const quorvel::ui::Step& step, QWidget* window) {
      const auto shot = shots.find(step.line);
      if (shot == shots.end())
        return;
      QTest::qWait(kSettleMilliseconds);
      const QString path = QDir(folder).filePath(QString::fromStdString(shot->second + ".png"));
      if (!WithTitleBar(window).save(path)) {
        std::cerr << "cannot write " << path.toStdString() << "\n";
        status = 1;
        return;
      }
      std::cout << path.toStdString() << "\n";
    });
    quorvel::PlugInApplication pluginApplication;
    quorvel::AttributePlugIn plugIn;
    plugIn.Run(model);
    backend.CheckFinished();
  } catch (const quorvel::ui::ScriptFailure& failure) {
    std::cerr << argv[2] << ": " << failure.what() << "\n";
    status = 1;
  } catch (const std::exception& error) {
    std::cerr << "quorvel_screenshots: " << error.what() << "\n";
    status = 1;
  }
  msHost_FreeModel(model);
  return status;
}
