#pragma once

#include <cstddef>
#include <iosfwd>
#include <string>
#include <string_view>

namespace quorvel::host {

// The bytes of one comment: either a view into the file's bytes that the model was
// read from (which the model keeps, see Model::fileBytes), or text of its own once
// the comment is set. A model at the format's limits holds some 65 MB of comments;
// reading them costs no copy of each, and a comment is copied only when it changes.
//
// It reads like a std::string of 8-bit text: compared with, assigned from and
// turned into one.
class CommentText {
 public:
  CommentText() = default;
  CommentText(std::string_view text) { Assign(text); }
  CommentText(const std::string& text) { Assign(text); }
  CommentText(const char* text) { Assign(text); }
  CommentText(const CommentText& other);
  CommentText(CommentText&& other) noexcept;
  CommentText& operator=(const CommentText& other);
  CommentText& operator=(CommentText&& other) noexcept;
  ~CommentText() {
    // Most comments view the file's bytes: nothing to free, and no call for it.
    if (Owned()) {
      Release();
    }
  }

  // A comment that views `bytes`, which must outlive it and every copy.
  static CommentText Viewing(std::string_view bytes);

  std::string_view View() const { return {data_, Size()}; }
  operator std::string_view() const { return View(); }
  operator std::string() const { return std::string(View()); }

  const char* data() const { return data_; }
  std::size_t size() const { return Size(); }
  bool empty() const { return Size() == 0; }
  std::size_t find(std::string_view text, std::size_t from = 0) const {
    return View().find(text, from);
  }
  void clear() { *this = CommentText(); }
  // The comment with `more` after it, as text of its own.
  CommentText& operator+=(std::string_view more);

  friend bool operator==(const CommentText& a, const CommentText& b) {
    return a.View() == b.View();
  }
  friend bool operator==(const CommentText& a, std::string_view b) { return a.View() == b; }
  friend bool operator==(const CommentText& a, const std::string& b) { return a.View() == b; }
  friend bool operator==(const CommentText& a, const char* b) {
    return a.View() == std::string_view(b);
  }

 private:
  // The top bit of sizeAndOwned_ says the bytes are this object's own (new[]).
  static constexpr std::size_t kOwned = ~(~std::size_t{0} >> 1);

  std::size_t Size() const { return sizeAndOwned_ & ~kOwned; }
  bool Owned() const { return (sizeAndOwned_ & kOwned) != 0; }
  void Assign(std::string_view text);
  void Release() noexcept;

  const char* data_ = "";
  std::size_t sizeAndOwned_ = 0;
};

std::ostream& operator<<(std::ostream& out, const CommentText& text);

}  // namespace quorvel::host
