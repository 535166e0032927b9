#include "framework/core/backend.h"

namespace quorvel::ui {
namespace {
Backend* g_backend = nullptr;
}  // namespace

std::size_t Backend::FittingLength(const Control& /*field*/, std::string_view text) const {
  return text.size();
}

Backend* CurrentBackend() {
  return g_backend;
}

BackendScope::BackendScope(Backend* backend) : previous_(g_backend) {
  g_backend = backend;
}
BackendScope::~BackendScope() {
  g_backend = previous_;
}

}  // namespace quorvel::ui
