#include "platform/fatal_error.h"

#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace zicha {

[[noreturn]] void FatalError(std::string_view message) {
#ifdef _WIN32
  // Decoded by hand: the code-page functions are bound at run time and may be what failed.
  // Our messages are valid UTF-8 of the BMP.
  std::wstring wide;
  for (size_t i = 0; i < message.size();) {
    unsigned char b = static_cast<unsigned char>(message[i]);
    int extra = b >= 0xE0 ? 2 : b >= 0xC0 ? 1 : 0;
    unsigned code = extra == 2 ? (b & 0x0Fu) : extra == 1 ? (b & 0x1Fu) : b;
    for (++i; extra > 0 && i < message.size(); --extra, ++i)
      code = (code << 6) | (static_cast<unsigned char>(message[i]) & 0x3Fu);
    wide.push_back(static_cast<wchar_t>(code));
  }
  ::MessageBoxW(nullptr, wide.c_str(), L"zicha", MB_OK | MB_ICONERROR | MB_TASKMODAL);
  ::ExitProcess(1);
#else
  std::string line = "zicha: fatal: ";
  line.append(message);
  line.push_back('\n');
  ssize_t ignored = ::write(2, line.data(), line.size());
  (void)ignored;
  std::_Exit(1);
#endif
}

void InstallOutOfMemoryHandler() {
  std::set_new_handler([] { FatalError("out of memory"); });
}

}  // namespace zicha
