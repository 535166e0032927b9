#include <dlfcn.h>

#include "plugin/session/host_comment_views.h"

namespace quorvel {

HostCommentViews HostCommentViews::Find() {
  // In the program's global scope: the host library that the program loaded.
  return HostCommentViews(
      reinterpret_cast<ViewFunction>(dlsym(RTLD_DEFAULT, "msHost_BoneCommentView")));
}

}  // namespace quorvel
