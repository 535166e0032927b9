// The plug-in DLL called as the modeller calls it. This program is compiled by
// clang for the i686-pc-windows-msvc target, so the interface below is laid out by
// a compiler with Microsoft's rules, not by ours: one slot for the virtual
// destructor (a deleting destructor), thiscall for every slot. It uses nothing but
// kernel32 (no C runtime: its own entry point, no library calls), and reads what it
// needs from the environment:
//   QUORVEL_CALLER_PLUGIN  the plug-in DLL
//   QUORVEL_CALLER_MODEL   a model file it may change (a copy of the example)
//   QUORVEL_UI_SCRIPT      the script the plug-in plays (it sets a frame rate of 25)
// Each check that fails ends the program with a status of its own and a line on
// standard error.

// The few kernel32 functions used, declared here: the system headers at hand are
// MinGW's, written for another compiler.
extern "C" {
using BOOL = int;
using DWORD = unsigned long;
using HANDLE = void*;
using HMODULE = void*;
__declspec(dllimport) DWORD
    __stdcall GetEnvironmentVariableA(const char* name, char* value, DWORD size);
__declspec(dllimport) HMODULE __stdcall LoadLibraryA(const char* path);
__declspec(dllimport) HMODULE __stdcall GetModuleHandleA(const char* name);
__declspec(dllimport) void* __stdcall GetProcAddress(HMODULE module, const char* name);
__declspec(dllimport) BOOL __stdcall FreeLibrary(HMODULE module);
__declspec(dllimport) HANDLE __stdcall GetStdHandle(DWORD which);
__declspec(dllimport) BOOL __stdcall WriteFile(HANDLE file, const void* data, DWORD size,
                                               DWORD* written, void* overlapped);
__declspec(dllimport) __declspec(noreturn) void __stdcall ExitProcess(unsigned status);
}
constexpr DWORD kStandardError = static_cast<DWORD>(-12);
constexpr DWORD kMaxPath = 260;

struct msModel;

// The host's interface, as the modeller declares it.
class PlugInInterface {
 public:
  virtual ~PlugInInterface() {}
  virtual int Kind() = 0;
  virtual const char* Title() = 0;
  virtual int Run(msModel* model) = 0;
};

using CreatePlugInFunction = PlugInInterface* (*)();
// The host library's own functions, by which a host program opens and saves models.
using OpenFunction = msModel* (*)(const char* path);
using ModelFunction = int (*)(msModel* model);
using FreeFunction = void (*)(msModel* model);
using CommentFunction = int (*)(msModel* model, char* buffer, int size);

namespace {

void Say(const char* text) {
  DWORD written = 0;
  const HANDLE out = GetStdHandle(kStandardError);
  int length = 0;
  while (text[length] != '\0') {
    ++length;
  }
  WriteFile(out, text, static_cast<DWORD>(length), &written, nullptr);
  WriteFile(out, "\n", 1, &written, nullptr);
}

void Check(bool holds, const char* what, unsigned status) {
  if (!holds) {
    Say(what);
    ExitProcess(status);
  }
}

bool Same(const char* a, const char* b) {
  while (*a != '\0' && *a == *b) {
    ++a;
    ++b;
  }
  return *a == *b;
}

bool Contains(const char* text, const char* part) {
  for (; *text != '\0'; ++text) {
    const char* t = text;
    const char* p = part;
    while (*p != '\0' && *t == *p) {
      ++t;
      ++p;
    }
    if (*p == '\0') {
      return true;
    }
  }
  return false;
}

char pluginPath[kMaxPath];
char modelPath[kMaxPath];
char comment[1024];

}  // namespace

extern "C" void CallerMain() {
  Check(GetEnvironmentVariableA("QUORVEL_CALLER_PLUGIN", pluginPath, kMaxPath) > 0 &&
            GetEnvironmentVariableA("QUORVEL_CALLER_MODEL", modelPath, kMaxPath) > 0,
        "QUORVEL_CALLER_PLUGIN and QUORVEL_CALLER_MODEL must name the DLL and a model", 2);
  const HMODULE plugIn = LoadLibraryA(pluginPath);
  Check(plugIn != nullptr, "the plug-in DLL cannot be loaded", 3);
  const auto create =
      reinterpret_cast<CreatePlugInFunction>(GetProcAddress(plugIn, "CreatePlugIn"));
  Check(create != nullptr, "the DLL exports no CreatePlugIn", 4);
  // The host library the DLL imports is loaded with it.
  const HMODULE host = GetModuleHandleA("msModelLib.dll");
  Check(host != nullptr, "msModelLib.dll was not loaded with the plug-in", 5);
  const auto open = reinterpret_cast<OpenFunction>(GetProcAddress(host, "msHost_OpenModel"));
  const auto openForReading =
      reinterpret_cast<OpenFunction>(GetProcAddress(host, "msHost_OpenModelForReading"));
  const auto save = reinterpret_cast<ModelFunction>(GetProcAddress(host, "msHost_SaveModel"));
  const auto release = reinterpret_cast<FreeFunction>(GetProcAddress(host, "msHost_FreeModel"));
  const auto getComment =
      reinterpret_cast<CommentFunction>(GetProcAddress(host, "msModel_GetComment"));
  Check(open != nullptr && openForReading != nullptr && save != nullptr && release != nullptr &&
            getComment != nullptr,
        "msModelLib.dll lacks a function this host uses", 6);

  PlugInInterface* object = create();
  Check(object != nullptr, "CreatePlugIn returned null", 7);
  Check(object->Kind() == 3, "Kind is not 3", 8);
  Check(Same(object->Title(), "Quorvel"), "Title is not \"Quorvel\"", 9);
  Check(object->Run(nullptr) == -1, "Run on a null model is not -1", 10);

  msModel* model = open(modelPath);
  Check(model != nullptr, "the model cannot be opened", 11);
  Check(object->Run(model) == 0, "Run on the model is not 0", 12);
  Check(save(model) == 0, "the edited model cannot be saved", 13);
  release(model);
  // Kind and Title again after a run, then the object goes through its destructor.
  Check(object->Kind() == 3 && Same(object->Title(), "Quorvel"), "Kind or Title changed", 14);
  delete object;

  msModel* saved = openForReading(modelPath);
  Check(saved != nullptr, "the saved model cannot be read", 15);
  comment[0] = '\0';
  getComment(saved, comment, sizeof comment);
  Check(Contains(comment, "OPT_FPS=25\r\n"), "the saved model lacks the script's frame rate", 16);
  release(saved);
  Check(FreeLibrary(plugIn) != 0, "the plug-in DLL cannot be unloaded", 17);
  Say("the host's caller ran the plug-in");
  ExitProcess(0);
}
