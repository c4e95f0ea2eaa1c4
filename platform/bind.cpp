#include "platform/bind.h"

#ifdef _WIN32
#include <windows.h>

#include <string>

#include "platform/fatal_error.h"

namespace zicha {

void* BindFunction(std::initializer_list<const char*> libraries, const char* function) {
  for (const char* library : libraries) {
    HMODULE module = ::GetModuleHandleA(library);
    if (module == nullptr) module = ::LoadLibraryA(library);
    if (module == nullptr) continue;
    if (FARPROC address = ::GetProcAddress(module, function)) return reinterpret_cast<void*>(address);
  }
  std::string message = "无法加载 ";
  message += libraries.size() ? *libraries.begin() : "?";
  message += " 中的函数 ";
  message += function;
  FatalError(message);
}

}  // namespace zicha
#endif
