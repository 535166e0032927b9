#include "host/comment_text.h"

#include <cstring>
#include <new>
#include <ostream>
#include <utility>

namespace quorvel::host {

CommentText::CommentText(const CommentText& other) {
  if (other.Owned()) {
    Assign(other.View());
  } else {
    data_ = other.data_;
    sizeAndOwned_ = other.sizeAndOwned_;
  }
}

CommentText::CommentText(CommentText&& other) noexcept
    : data_(std::exchange(other.data_, "")), sizeAndOwned_(std::exchange(other.sizeAndOwned_, 0)) {}

CommentText& CommentText::operator=(const CommentText& other) {
  if (this != &other) {
    CommentText copy(other);
    *this = std::move(copy);
  }
  return *this;
}

CommentText& CommentText::operator=(CommentText&& other) noexcept {
  if (this != &other) {
    Release();
    data_ = std::exchange(other.data_, "");
    sizeAndOwned_ = std::exchange(other.sizeAndOwned_, 0);
  }
  return *this;
}

CommentText CommentText::Viewing(std::string_view bytes) {
  CommentText text;
  if (!bytes.empty()) {
    if ((bytes.size() & kOwned) != 0) {
      throw std::bad_alloc();
    }
    text.data_ = bytes.data();
    text.sizeAndOwned_ = bytes.size();
  }
  return text;
}

CommentText& CommentText::operator+=(std::string_view more) {
  if (!more.empty()) {
    std::string joined;
    joined.reserve(size() + more.size());
    joined.append(View()).append(more);
    *this = CommentText(joined);
  }
  return *this;
}

void CommentText::Assign(std::string_view text) {
  if (text.empty()) {
    return;
  }
  if ((text.size() & kOwned) != 0) {
    throw std::bad_alloc();
  }
  char* own = new char[text.size()];
  std::memcpy(own, text.data(), text.size());
  data_ = own;
  sizeAndOwned_ = text.size() | kOwned;
}

void CommentText::Release() noexcept {
  if (Owned()) {
    delete[] data_;
  }
  data_ = "";
  sizeAndOwned_ = 0;
}

std::ostream& operator<<(std::ostream& out, const CommentText& text) {
  return out << text.View();
}

}  // namespace quorvel::host
