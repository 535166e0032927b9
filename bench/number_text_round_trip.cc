// Checks that every whole number from 0 to 2147483647 is written as its plain
// decimal digits and reads back as itself. Splits the range over two threads.
//
//   number_text_round_trip [threads]

#include <atomic>
#include <charconv>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "plugin/attributes/attribute_text.h"

namespace {

constexpr uint64_t kEnd = 2147483648u;  // one past the last number checked

struct Failure {
  uint64_t number;
  std::string text;
  double read;
};

std::mutex failuresMutex;
std::vector<Failure> failures;
std::atomic<uint64_t> failureCount{0};

void Check(uint64_t begin, uint64_t end) {
  char expected[16];
  for (uint64_t n = begin; n < end; ++n) {
    const auto value = static_cast<double>(n);
    const std::string text = quorvel::NumberToText(value);
    const double read = quorvel::TextToNumber(text);
    const auto digits = std::to_chars(expected, expected + sizeof expected, n);
    if (read != value || std::string_view(expected, digits.ptr) != text) {
      if (failureCount.fetch_add(1) < 10) {
        std::lock_guard lock(failuresMutex);
        failures.push_back({n, text, read});
      }
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  const unsigned threads = argc > 1 ? static_cast<unsigned>(std::atoi(argv[1])) : 2;
  if (threads == 0 || threads > 64) {
    std::fprintf(stderr, "number_text_round_trip: thread count must be 1 to 64, got '%s'\n",
                 argv[1]);
    return 2;
  }
  const auto start = std::chrono::steady_clock::now();
  std::vector<std::thread> workers;
  // Interleaved slices keep both threads on numbers of every length.
  constexpr uint64_t kSlice = 1u << 20;
  std::atomic<uint64_t> next{0};
  for (unsigned t = 0; t < threads; ++t) {
    workers.emplace_back([&] {
      for (uint64_t begin; (begin = next.fetch_add(kSlice)) < kEnd;) {
        Check(begin, std::min(begin + kSlice, kEnd));
      }
    });
  }
  for (std::thread& worker : workers) {
    worker.join();
  }
  const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;

  for (const Failure& f : failures) {
    std::printf("FAIL %llu written '%s' read %.17g\n", static_cast<unsigned long long>(f.number),
                f.text.c_str(), f.read);
  }
  std::printf("%llu numbers from 0 to %llu checked with %u threads in %.1f s: %llu failures\n",
              static_cast<unsigned long long>(kEnd), static_cast<unsigned long long>(kEnd - 1),
              threads, elapsed.count(), static_cast<unsigned long long>(failureCount.load()));
  return failureCount.load() == 0 ? 0 : 1;
}
