#include <windows.h>

#include "plugin/session/host_comment_views.h"

namespace quorvel {

HostCommentViews HostCommentViews::Find() {
  // The host library the DLL imports its ten functions from; the modeller's own has
  // no such export, and the DLL then reads through the buffers.
  const HMODULE host = GetModuleHandleA("msModelLib.dll");
  if (host == nullptr) {
    return HostCommentViews();
  }
  return HostCommentViews(reinterpret_cast<ViewFunction>(
      reinterpret_cast<void*>(GetProcAddress(host, "msHost_BoneCommentView"))));
}

}  // namespace quorvel
