// Stricter ground for the child programs that run the app's own code. Linked
// into a program, it replaces the global operator new and delete and sets
// the process's crash handling before main:
//  - Freed memory is filled with 0xDD, so that code touching an object after
//    it was deleted reads garbage and crashes instead of the stale values that
//    the system heap leaves behind.
//  - Every allocation changes the thread's last-error code, as an allocator
//    may, so that an error read with GetLastError() after building a text
//    instead of right after the failing call shows the wrong error.
//  - A crash ends the process at once with the exception's code, instead of
//    waiting in a crash dialog that nobody answers.
#include <windows.h>

#include <cstring>
#include <new>

namespace {

constexpr unsigned char kFreedByte = 0xDD;
constexpr DWORD kAllocatorError = ERROR_NOT_ENOUGH_MEMORY;

void* Allocate(size_t size) {
  void* p = HeapAlloc(GetProcessHeap(), 0, size ? size : 1);
  if (!p) throw std::bad_alloc();
  SetLastError(kAllocatorError);
  return p;
}

void Free(void* p) {
  if (!p) return;
  const SIZE_T size = HeapSize(GetProcessHeap(), 0, p);
  if (size != static_cast<SIZE_T>(-1)) std::memset(p, kFreedByte, size);
  HeapFree(GetProcessHeap(), 0, p);
}

LONG WINAPI EndOnCrash(EXCEPTION_POINTERS* info) {
  TerminateProcess(GetCurrentProcess(), info->ExceptionRecord->ExceptionCode);
  return EXCEPTION_EXECUTE_HANDLER;
}

const struct CrashHandling {
  CrashHandling() {
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    SetUnhandledExceptionFilter(EndOnCrash);
  }
} g_crashHandling;

}  // namespace

void* operator new(size_t size) { return Allocate(size); }
void* operator new[](size_t size) { return Allocate(size); }
void operator delete(void* p) noexcept { Free(p); }
void operator delete[](void* p) noexcept { Free(p); }
void operator delete(void* p, size_t) noexcept { Free(p); }
void operator delete[](void* p, size_t) noexcept { Free(p); }
