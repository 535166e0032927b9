#include <signal.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <atomic>
#include <cstring>
#include <mutex>

#include "host/mapped_file.h"

namespace quorvel::host {

namespace {

// The mappings that the bus error handler knows, each with the message it writes
// when a byte of it is gone. A slot holds a mapping while `end` is not zero; it is
// filled before `end` is set and emptied by clearing `end` first.
struct GuardSlot {
  std::atomic<std::uintptr_t> begin{0};
  std::atomic<std::uintptr_t> end{0};
  char message[1024] = {};
  std::size_t messageSize = 0;
};

constexpr int kGuardSlots = 32;
GuardSlot guardSlots[kGuardSlots];
bool slotTaken[kGuardSlots] = {};
std::mutex guardMutex;  // over slotTaken and the handler's installation
bool handlerInstalled = false;
struct sigaction previousAction;

void OnBusError(int number, siginfo_t* info, void* context) {
  // Only a fault has an address; a bus error sent by a program has none.
  const auto at = info->si_code > 0 ? reinterpret_cast<std::uintptr_t>(info->si_addr) : 0;
  for (GuardSlot& slot : guardSlots) {
    const std::uintptr_t end = slot.end.load(std::memory_order_acquire);
    if (end != 0 && slot.begin.load(std::memory_order_relaxed) <= at && at < end) {
      // Only what is safe in a signal handler: one write, then the end.
      const ssize_t written = write(STDERR_FILENO, slot.message, slot.messageSize);
      static_cast<void>(written);
      _exit(kMappedFileLostExitStatus);
    }
  }
  // Not a byte of a mapped file: as if this handler were not there.
  if ((previousAction.sa_flags & SA_SIGINFO) != 0 && previousAction.sa_sigaction != nullptr) {
    previousAction.sa_sigaction(number, info, context);
    return;
  }
  if (previousAction.sa_handler != SIG_DFL && previousAction.sa_handler != SIG_IGN) {
    previousAction.sa_handler(number);
    return;
  }
  // Ends the process as it would have ended without this handler: the signal,
  // blocked while this runs, is delivered again once it returns.
  signal(SIGBUS, SIG_DFL);
  raise(SIGBUS);
}

// A free slot; -1 when none is free or the program did not allow mapping.
int TakeGuardSlot() {
  std::lock_guard<std::mutex> lock(guardMutex);
  if (!handlerInstalled) {
    return -1;
  }
  for (int slot = 0; slot < kGuardSlots; ++slot) {
    if (!slotTaken[slot]) {
      slotTaken[slot] = true;
      return slot;
    }
  }
  return -1;
}

void GiveBackGuardSlot(int slot) {
  guardSlots[slot].end.store(0, std::memory_order_release);
  std::lock_guard<std::mutex> lock(guardMutex);
  slotTaken[slot] = false;
}

void Guard(int slot, const void* mapping, std::size_t size, const std::string& displayName) {
  GuardSlot& guard = guardSlots[slot];
  static constexpr char kWhat[] =
      ": cannot read: the file was cut short by another program, or the disk failed, "
      "while it was being read\n";
  const std::size_t nameSize = std::min(displayName.size(), sizeof guard.message - sizeof kWhat);
  std::memcpy(guard.message, displayName.data(), nameSize);
  std::memcpy(guard.message + nameSize, kWhat, sizeof kWhat - 1);
  guard.messageSize = nameSize + sizeof kWhat - 1;
  const auto begin = reinterpret_cast<std::uintptr_t>(mapping);
  guard.begin.store(begin, std::memory_order_relaxed);
  guard.end.store(begin + size, std::memory_order_release);
}

}  // namespace

bool AllowMappedReads() {
  std::lock_guard<std::mutex> lock(guardMutex);
  if (!handlerInstalled) {
    struct sigaction action = {};
    action.sa_sigaction = OnBusError;
    action.sa_flags = SA_SIGINFO;
    sigemptyset(&action.sa_mask);
    handlerInstalled = sigaction(SIGBUS, &action, &previousAction) == 0;
  }
  return handlerInstalled;
}

std::shared_ptr<const MappedFile> MappedFile::Map(int fd, std::uint64_t size,
                                                  const std::string& displayName) {
  // A file already shorter than the caller knows it is read instead, so that the
  // read fails with an error to catch.
  struct stat status {};
  if (size == 0 || size > SIZE_MAX || fstat(fd, &status) != 0 ||
      static_cast<std::uint64_t>(status.st_size) < size) {
    return nullptr;
  }
  std::shared_ptr<MappedFile> mapped(new MappedFile());
  mapped->guard_ = TakeGuardSlot();
  if (mapped->guard_ < 0) {
    return nullptr;
  }
  const auto length = static_cast<std::size_t>(size);
  void* mapping = mmap(nullptr, length, PROT_READ, MAP_PRIVATE, fd, 0);
  if (mapping == MAP_FAILED) {
    return nullptr;
  }
  Guard(mapped->guard_, mapping, length, displayName);
  mapped->data_ = static_cast<const char*>(mapping);
  mapped->size_ = length;
  return mapped;
}

MappedFile::~MappedFile() {
  if (guard_ >= 0) {
    GiveBackGuardSlot(guard_);
  }
  if (data_ != nullptr) {
    munmap(const_cast<char*>(data_), size_);
  }
}

}  // namespace quorvel::host
