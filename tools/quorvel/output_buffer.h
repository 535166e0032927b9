#pragma once

#include <algorithm>
#include <charconv>
#include <cstddef>
#include <ostream>
#include <string>
#include <string_view>

#include "tools/quorvel/json_text.h"

namespace quorvel::app {

// Collects output in a buffer that is handed on in large pieces: a model at the
// format's limits makes some 80 MB of text, written as it is made.
class OutputBuffer {
 public:
  explicit OutputBuffer(std::ostream& out) : out_(out), buffer_(kSize, '\0') {}
  OutputBuffer(const OutputBuffer&) = delete;
  OutputBuffer& operator=(const OutputBuffer&) = delete;
  ~OutputBuffer() { Flush(); }

  void Text(std::string_view text) {
    char* to = Room(text.size());
    std::copy(text.begin(), text.end(), to);
    used_ += text.size();
  }
  template <typename Integer>
  void Number(Integer number) {
    constexpr std::size_t kDigits = 24;  // sign and digits of any 64-bit number
    char* to = Room(kDigits);
    used_ = static_cast<std::size_t>(std::to_chars(to, to + kDigits, number).ptr - buffer_.data());
  }
  // 8-bit text as one JSON string (see tools/quorvel/json_text.h).
  void String(std::string_view bytes) {
    char* to = Room(JsonStringCapacity(bytes.size()));
    used_ = static_cast<std::size_t>(WriteJsonString(to, bytes) - buffer_.data());
  }
  // 8-bit text for a terminal: control bytes escaped (see TerminalText).
  void Terminal(std::string_view bytes) {
    char* to = Room(TerminalTextCapacity(bytes.size()));
    used_ = static_cast<std::size_t>(WriteTerminalText(to, bytes) - buffer_.data());
  }
  // Room for `size` more characters, written straight to the buffer; Wrote ends
  // them at `end`. For output made of many small parts in a loop.
  char* Reserve(std::size_t size) { return Room(size); }
  void Wrote(const char* end) { used_ = static_cast<std::size_t>(end - buffer_.data()); }
  void Flush() {
    out_.write(buffer_.data(), static_cast<std::streamsize>(used_));
    used_ = 0;
  }

 private:
  static constexpr std::size_t kSize = std::size_t{1} << 20;

  // Where `size` more characters can go, flushing first when they would not fit.
  char* Room(std::size_t size) {
    if (buffer_.size() - used_ < size) {
      Flush();
      if (buffer_.size() < size) {
        buffer_.resize(size);
      }
    }
    return buffer_.data() + used_;
  }

  std::ostream& out_;
  std::string buffer_;
  std::size_t used_ = 0;
};

}  // namespace quorvel::app
