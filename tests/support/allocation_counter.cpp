#include "support/allocation_counter.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

thread_local bool counting = false;
thread_local long allocations = 0;

// The other-threads counter: on while one is alive; the thread that made it
// is marked and not counted.
std::atomic<bool> countingOthers{false};
std::atomic<long> otherAllocations{0};
thread_local bool ownsOtherCounter = false;

void* Allocate(std::size_t size) {
  if (counting) ++allocations;
  if (countingOthers.load(std::memory_order_relaxed) && !ownsOtherCounter)
    otherAllocations.fetch_add(1, std::memory_order_relaxed);
  if (size == 0) size = 1;
  while (true) {
    if (void* memory = std::malloc(size)) return memory;
    std::new_handler handler = std::get_new_handler();
    if (handler == nullptr) throw std::bad_alloc();
    handler();
  }
}

void* AllocateNoThrow(std::size_t size) noexcept {
  try {
    return Allocate(size);
  } catch (...) {
    return nullptr;
  }
}

}  // namespace

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return AllocateNoThrow(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
  return AllocateNoThrow(size);
}
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete[](void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete[](void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete(void* memory, const std::nothrow_t&) noexcept { std::free(memory); }
void operator delete[](void* memory, const std::nothrow_t&) noexcept { std::free(memory); }

namespace quorvane::testing {

AllocationCounter::AllocationCounter() : start_(allocations), wasCounting_(counting) {
  counting = true;
}

AllocationCounter::~AllocationCounter() { counting = wasCounting_; }

long AllocationCounter::Count() const { return allocations - start_; }

OtherThreadsAllocationCounter::OtherThreadsAllocationCounter() {
  ownsOtherCounter = true;
  otherAllocations.store(0);
  countingOthers.store(true);
}

OtherThreadsAllocationCounter::~OtherThreadsAllocationCounter() {
  countingOthers.store(false);
  ownsOtherCounter = false;
}

long OtherThreadsAllocationCounter::Count() const { return otherAllocations.load(); }

}  // namespace quorvane::testing
