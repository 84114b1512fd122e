#include "big_blocks.h"

#include <malloc.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdlib>

#if defined(__SANITIZE_ADDRESS__)
#define HARMONOTE_NO_BIG_BLOCKS 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define HARMONOTE_NO_BIG_BLOCKS 1
#endif
#endif

#ifndef HARMONOTE_NO_BIG_BLOCKS

extern "C" {
void* __libc_malloc(std::size_t size);
void __libc_free(void* p);
void* __libc_realloc(void* p, std::size_t size);
void* __libc_calloc(std::size_t n, std::size_t size);
}

namespace {

// The blocks counted, in a table of their own (counting must not allocate); big blocks are few.
std::atomic<std::size_t> watched{0};  // 0: not counting
std::atomic_flag busy = ATOMIC_FLAG_INIT;
std::array<void*, 256> blocks{};
int live = 0, peak = 0;

class Lock {
 public:
  Lock() {
    while (busy.test_and_set(std::memory_order_acquire)) {
    }
  }
  ~Lock() { busy.clear(std::memory_order_release); }
  Lock(const Lock&) = delete;
  Lock& operator=(const Lock&) = delete;
};

void Allocated(void* p, std::size_t size) {
  const std::size_t at = watched.load(std::memory_order_relaxed);
  if (at == 0 || p == nullptr || size < at) return;
  const Lock lock;
  const auto slot = std::find(blocks.begin(), blocks.end(), nullptr);
  if (slot == blocks.end()) return;
  *slot = p;
  peak = std::max(peak, ++live);
}

void Freed(void* p) {
  if (p == nullptr || watched.load(std::memory_order_relaxed) == 0) return;
  const Lock lock;
  const auto it = std::find(blocks.begin(), blocks.end(), p);
  if (it == blocks.end()) return;
  *it = nullptr;
  --live;
}

}  // namespace

extern "C" {
void* malloc(std::size_t size) noexcept {
  void* p = __libc_malloc(size);
  Allocated(p, size);
  return p;
}
void free(void* p) noexcept {
  Freed(p);
  __libc_free(p);
}
void* calloc(std::size_t n, std::size_t size) noexcept {
  void* p = __libc_calloc(n, size);
  Allocated(p, n * size);
  return p;
}
void* realloc(void* p, std::size_t size) noexcept {
  void* q = __libc_realloc(p, size);
  if (q != nullptr || size == 0) {
    Freed(p);
    Allocated(q, size);
  }
  return q;
}
}

namespace big_blocks {
bool Available() { return true; }
void Watch(std::size_t bytes) {
  const Lock lock;
  blocks.fill(nullptr);
  live = peak = 0;
  watched.store(std::max<std::size_t>(bytes, 1));
}
int Peak() {
  const Lock lock;
  return peak;
}
int Live() {
  const Lock lock;
  return live;
}
void Stop() { watched.store(0); }
}  // namespace big_blocks

#else

namespace big_blocks {
bool Available() { return false; }
void Watch(std::size_t) {}
int Peak() { return 0; }
int Live() { return 0; }
void Stop() {}
}  // namespace big_blocks

#endif
