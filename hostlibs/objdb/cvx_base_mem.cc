// CvxBaseMem: the class allocator of every handle the library hands out.
#include <new>  // ::operator new, std::nothrow

#include "diff/host/object_database.h"  // CvxBaseMem

void* CvxBaseMem::operator new(std::size_t size, char /*flags*/) noexcept {
  return ::operator new(size, std::nothrow);
}

void* CvxBaseMem::operator new(std::size_t size) { return ::operator new(size); }

void CvxBaseMem::operator delete(void* memory) noexcept { ::operator delete(memory); }

// Called only when a constructor run by the (size, flags) form throws.
void CvxBaseMem::operator delete(void* memory, char /*flags*/) noexcept {
  ::operator delete(memory);
}
