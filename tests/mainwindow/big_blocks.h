#pragma once
// Counts the heap blocks of at least a given size that are alive at one time, so that a test can
// tell how many whole copies of a long text the program holds at its peak: the test's executable
// takes the place of malloc, free, realloc and calloc, handing each on to the C library's own.
// Not available under the address sanitizer, which takes their place itself.
#include <cstddef>

namespace big_blocks {

// Whether blocks can be counted in this build.
bool Available();

// Counts from now on the blocks of at least bytes allocated from now on.
void Watch(std::size_t bytes);
// The most of them alive at one time since Watch, and how many are alive now.
int Peak();
int Live();
// Stops counting.
void Stop();

// Watches blocks of at least bytes while it lives.
class Watching {
 public:
  explicit Watching(std::size_t bytes) { Watch(bytes); }
  ~Watching() { Stop(); }
  Watching(const Watching&) = delete;
  Watching& operator=(const Watching&) = delete;
};

}  // namespace big_blocks
