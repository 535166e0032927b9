// An error raised inside a toolkit's callback, where it must not unwind through the
// toolkit's own frames: a backend keeps it (the first one only) while it ends every
// open window, and raises it again from its own call once the toolkit has returned.
#pragma once

#include <exception>
#include <utility>

namespace quorvel::ui {

class DeferredError {
 public:
  // Keeps `error` unless one is kept already.
  void Keep(std::exception_ptr error) {
    if (error_ == nullptr)
      error_ = std::move(error);
  }
  bool Pending() const { return error_ != nullptr; }
  // Raises the kept error, if any. Once the outermost window has unwound, the next
  // run starts clean.
  void Raise(bool outermost) {
    if (error_ == nullptr)
      return;
    std::exception_ptr error = error_;
    if (outermost)
      error_ = nullptr;
    std::rethrow_exception(error);
  }

 private:
  std::exception_ptr error_;
};

}  // namespace quorvel::ui
