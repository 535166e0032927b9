#include "tools/quorvel/check_problem_store.h"

#include <algorithm>
#include <cstring>

namespace quorvel::app {
namespace {

constexpr std::size_t kBlockSize = std::size_t{1} << 16;

}  // namespace

ProblemStore& ProblemStore::operator=(const ProblemStore& other) {
  if (this != &other) {
    *this = ProblemStore();
    for (const check::ProblemView problem : other) {
      Add(problem);
    }
  }
  return *this;
}

std::uint32_t ProblemStore::Text(std::string_view text) {
  const auto found = numbers_.find(text);
  if (found != numbers_.end()) {
    return found->second;
  }
  if (text.size() > blockLeft_) {
    // A text longer than a block gets one of its own.
    const std::size_t size = std::max(kBlockSize, text.size());
    blocks_.push_back(std::make_unique<char[]>(size));
    blockAt_ = blocks_.back().get();
    blockLeft_ = size;
  }
  char* const to = blockAt_;
  if (!text.empty()) {
    std::memcpy(to, text.data(), text.size());
  }
  blockAt_ += text.size();
  blockLeft_ -= text.size();
  const std::string_view kept(to, text.size());
  const auto number = static_cast<std::uint32_t>(texts_.size());
  texts_.push_back(kept);
  numbers_.emplace(kept, number);
  return number;
}

void ProblemStore::Add(const check::ProblemView& problem) {
  Entry entry;
  entry.code = static_cast<std::uint16_t>(&check::FindProblemCode(problem.code) -
                                          check::ProblemCodes().data());
  entry.severity = problem.severity;
  if (places_.empty() || places_.back().joint != problem.joint ||
      texts_[places_.back().name] != problem.jointName) {
    places_.push_back({problem.joint, Text(problem.jointName)});
  }
  entry.place = static_cast<std::uint32_t>(places_.size() - 1);
  if (lastKey_ == UINT32_MAX || texts_[lastKey_] != problem.key) {
    lastKey_ = Text(problem.key);
  }
  entry.key = lastKey_;
  if (lastMessage_ == UINT32_MAX || texts_[lastMessage_] != problem.message) {
    lastMessage_ = Text(problem.message);
  }
  entry.message = lastMessage_;
  if (size_ % kChunk == 0) {
    chunks_.emplace_back().reserve(kChunk);
  }
  chunks_.back().push_back(entry);
  ++size_;
}

check::ProblemView ProblemStore::operator[](std::size_t index) const {
  const Entry& entry = chunks_[index / kChunk][index % kChunk];
  const PlaceEntry& place = places_[entry.place];
  check::ProblemView problem;
  problem.code = check::ProblemCodes()[entry.code].code;
  problem.severity = entry.severity;
  problem.joint = place.joint;
  problem.jointName = texts_[place.name];
  problem.key = texts_[entry.key];
  problem.message = texts_[entry.message];
  return problem;
}

}  // namespace quorvel::app
