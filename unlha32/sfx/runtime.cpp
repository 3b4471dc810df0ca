// What the stub needs of a C++ runtime without its exception machinery (which alone would
// triple the stub): the library's error paths end the process instead of throwing, and
// global constructors run from the entry point. Whatever else the codec uses comes from
// libstdc++ at link time; a link error naming __cxa_* means one more shim belongs here.
#include <windows.h>

#include <cstdlib>
#include <new>

namespace {
[[noreturn]] void Die() { ExitProcess(0x80FF); }
}  // namespace

namespace std {
void __throw_length_error(const char*) { Die(); }
void __throw_logic_error(const char*) { Die(); }
void __throw_out_of_range(const char*) { Die(); }
void __throw_out_of_range_fmt(const char*, ...) { Die(); }
void __throw_invalid_argument(const char*) { Die(); }
void __throw_bad_alloc() { Die(); }
void __throw_bad_array_new_length() { Die(); }
void __throw_bad_function_call() { Die(); }
void __glibcxx_assert_fail(const char*, int, const char*, const char*) noexcept { Die(); }
}  // namespace std

void* operator new(size_t n) {
  void* p = std::malloc(n ? n : 1);
  if (!p) Die();
  return p;
}
void* operator new[](size_t n) { return operator new(n); }
namespace std {
const nothrow_t nothrow{};
}
void* operator new(size_t n, const std::nothrow_t&) noexcept { return std::malloc(n ? n : 1); }
void* operator new[](size_t n, const std::nothrow_t&) noexcept { return std::malloc(n ? n : 1); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, size_t) noexcept { std::free(p); }
void operator delete[](void* p, size_t) noexcept { std::free(p); }

extern "C" void __cxa_pure_virtual() { Die(); }
extern "C" int atexit(void (*)()) { return 0; }  // the process ends by ExitProcess; nothing to run

// The linker gathers constructors between these; the list ends with a null entry.
extern "C" void (*__CTOR_LIST__[])();
extern "C" void RunConstructors() {
  size_t n = 0;
  while (__CTOR_LIST__[n + 1]) ++n;
  for (size_t i = n; i >= 1; --i) __CTOR_LIST__[i]();
}
extern "C" void __main() {}

// The runtime's string members, made here without exceptions; the stub links no libstdc++.
#include <string>
template class std::basic_string<char>;
