#include <windows.h>

#include <algorithm>
#include <cstring>

#include "tools/quorvel/interrupt_notice.h"

namespace quorvel::app {
namespace {

char noticeText[1024];
DWORD noticeLength = 0;

BOOL WINAPI WriteNotice(DWORD /*event*/) {
  // The console calls this on a thread of its own; the default handler that follows
  // (FALSE) ends the process.
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_ERROR_HANDLE), noticeText, noticeLength, &written, nullptr);
  return FALSE;
}

}  // namespace

InterruptNotice::InterruptNotice(const std::string& notice) {
  const std::size_t length = std::min(notice.size(), sizeof(noticeText) - 2);
  std::memcpy(noticeText, notice.data(), length);
  noticeText[length] = '\r';
  noticeText[length + 1] = '\n';
  noticeLength = static_cast<DWORD>(length + 2);
  SetConsoleCtrlHandler(WriteNotice, TRUE);
}

InterruptNotice::~InterruptNotice() {
  SetConsoleCtrlHandler(WriteNotice, FALSE);
}

}  // namespace quorvel::app
