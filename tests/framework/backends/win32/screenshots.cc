// quorvel_win32_screenshots MODEL SCRIPT FOLDER: opens MODEL as `quorvel edit` does
// (every joint marked), plays SCRIPT through the system's own dialogs, and before
// each step that a "# shot NAME" line precedes saves a picture of the window in
// front, title bar and frame included, as FOLDER/NAME.png. The model is never saved.
// scripts/screenshots-windows.sh runs it under Wine and Xvfb. Exits with 1 when the
// script fails or a picture cannot be written.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "framework/backends/win32/win32_script_player.h"
#include "framework/core/backend.h"
#include "framework/script/script.h"
#include "host/ms_model_lib.h"
#include "plugin/session/attribute_plugin.h"
#include "plugin/session/plugin_application.h"

#include "framework/backends/win32/system.h"  // last: see system.h

// GDI+ needs the COM declarations and the min and max the system's headers leave out.
#include <objidl.h>
#include <algorithm>
using std::max;
using std::min;
#include <gdiplus.h>

namespace {

// Time for what a window fills in as it goes (a file chooser's folder view).
constexpr DWORD kSettleMilliseconds = 300;

// The script line of each step that a "# shot NAME" line comes before, and NAME.
std::map<int, std::string> ShotLines(const std::string& text) {
  std::map<int, std::string> shots;
  std::istringstream lines(text);
  std::string line;
  std::string pending;
  for (int number = 1; std::getline(lines, line); ++number) {
    if (!line.empty() && line.back() == '\r')
      line.pop_back();
    if (line.rfind("# shot ", 0) == 0) {
      pending = line.substr(7);
    } else if (!line.empty() && line[0] != '#' && !pending.empty()) {
      shots[number] = pending;
      pending.clear();
    }
  }
  return shots;
}

// Lets the windows paint and fill in, handling what the thread's queue holds.
void Settle() {
  const DWORD until = GetTickCount() + kSettleMilliseconds;
  while (GetTickCount() < until) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    Sleep(10);
  }
}

// The encoder of the PNG format.
CLSID PngEncoder() {
  UINT count = 0;
  UINT size = 0;
  Gdiplus::GetImageEncodersSize(&count, &size);
  std::vector<char> room(size);
  auto* encoders = reinterpret_cast<Gdiplus::ImageCodecInfo*>(room.data());
  Gdiplus::GetImageEncoders(count, size, encoders);
  for (UINT i = 0; i < count; ++i) {
    if (std::wstring(encoders[i].MimeType) == L"image/png")
      return encoders[i].Clsid;
  }
  throw std::runtime_error("the system has no PNG encoder");
}

// The window as the screen shows it, frame and title bar included, saved as PNG.
bool SaveWindow(HWND window, const std::filesystem::path& path) {
  RedrawWindow(window, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  Settle();
  RECT area{};
  GetWindowRect(window, &area);
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP picture = CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ before = SelectObject(memory, picture);
  BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
  SelectObject(memory, before);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  bool saved = false;
  {
    Gdiplus::Bitmap bitmap(picture, nullptr);
    const CLSID png = PngEncoder();
    saved = bitmap.Save(path.wstring().c_str(), &png, nullptr) == Gdiplus::Ok;
  }
  DeleteObject(picture);
  return saved;
}

// A game folder with a few sound files, so that the file chooser has something to show.
void MakeGameFolder(const std::filesystem::path& root) {
  const std::filesystem::path sounds = root / "data" / "sound" / "sfx";
  std::filesystem::create_directories(sounds / "explode");
  for (const char* name : {"explode/big.wav", "explode/small.wav", "laser.wav", "engine_hum.wav"})
    std::ofstream(sounds / name);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::cerr << "usage: quorvel_win32_screenshots MODEL SCRIPT FOLDER\n";
    return 2;
  }
  const std::string modelPath = argv[1];
  // Absolute: the file chooser moves the current folder while it browses.
  const std::filesystem::path folder = std::filesystem::absolute(argv[3]);
  std::ifstream scriptFile(argv[2], std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(scriptFile)),
                         std::istreambuf_iterator<char>());
  if (text.empty()) {
    std::cerr << argv[2] << ": no script to play\n";
    return 2;
  }

  const std::filesystem::path games = std::filesystem::temp_directory_path() / "quorvel-shots";
  const std::filesystem::path root = games / "ZU2";
  MakeGameFolder(root);
  _putenv_s("ZU2_Root", root.string().c_str());

  msModel* model = msHost_OpenModel(modelPath.c_str());
  if (model == nullptr) {
    std::cerr << modelPath << ": " << msHost_LastError() << "\n";
    return 2;
  }
  for (int i = 0; i < msModel_GetBoneCount(model); ++i)
    msHost_SetJointMarked(model, i, 1);

  // The file chooser's folder view and the PNG encoder are COM objects: one apartment
  // for the thread, from the start.
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  Gdiplus::GdiplusStartupInput startup;
  ULONG_PTR gdiplus = 0;
  Gdiplus::GdiplusStartup(&gdiplus, &startup, nullptr);
  const std::map<int, std::string> shots = ShotLines(text);
  int status = 0;
  try {
    quorvel::ui::win32::Win32ScriptedBackend backend(quorvel::ui::ParseScript(text));
    quorvel::ui::BackendScope installed(&backend);
    backend.Player().SetBeforeStep(
        [&](const quorvel::ui::Step& step, quorvel::ui::win32::WindowHandle window) {
          const auto shot = shots.find(step.line);
          if (shot == shots.end())
            return;
          const std::filesystem::path path = folder / (shot->second + ".png");
          if (!SaveWindow(window, path)) {
            std::cerr << "cannot write " << path.string() << "\n";
            status = 1;
            return;
          }
          std::cout << (std::filesystem::path(argv[3]) / path.filename()).string() << "\n";
        });
    quorvel::PlugInApplication pluginApplication;
    quorvel::AttributePlugIn plugIn;
    plugIn.Run(model);
    backend.CheckFinished();
  } catch (const quorvel::ui::ScriptFailure& failure) {
    std::cerr << argv[2] << ": " << failure.what() << "\n";
    status = 1;
  } catch (const std::exception& error) {
    std::cerr << "quorvel_win32_screenshots: " << error.what() << "\n";
    status = 1;
  }
  Gdiplus::GdiplusShutdown(gdiplus);
  CoUninitialize();
  msHost_FreeModel(model);
  std::filesystem::remove_all(games);
  return status;
}
