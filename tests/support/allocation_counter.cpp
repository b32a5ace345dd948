#include "support/allocation_counter.h"

#include <cstdlib>
#include <new>

namespace {

thread_local bool counting = false;
thread_local long allocations = 0;

void* Allocate(std::size_t size) {
  if (counting) ++allocations;
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

}  // namespace quorvane::testing
