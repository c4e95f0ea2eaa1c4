#pragma once
// Binding of platform functions by name, on Windows only: the program's calls of the code-page and
// WinINet functions do not go through the import table. Each function is looked up the first time
// it is called and the address is reused after that.
#ifdef _WIN32
#include <initializer_list>

namespace zicha {

// Returns the address of `function` from the first of `libraries` that has it, loading the
// library as needed. If none has it, shows a fatal error naming the (first) library and the
// function and ends the process.
void* BindFunction(std::initializer_list<const char*> libraries, const char* function);

// A function pointer of type Fn bound on first use. Declare one as a function-local static so
// the lookup runs once.
template <class Fn>
Fn Bound(std::initializer_list<const char*> libraries, const char* function) {
  return reinterpret_cast<Fn>(BindFunction(libraries, function));
}

}  // namespace zicha
#endif
