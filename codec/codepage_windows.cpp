// kernel32's code-page functions, bound by name on first use (never through the import table).
#include <windows.h>

#include "codec/codepage.h"
#include "platform/bind.h"

namespace zicha {

int MultiByteToWideChar(unsigned codePage, uint32_t flags, const char* source, int sourceLength,
                        char16_t* destination, int capacity) {
  using Fn = int(WINAPI*)(UINT, DWORD, LPCCH, int, LPWSTR, int);
  static const Fn fn = Bound<Fn>(
      {"Kernel32.dll", "Gdi32.dll", "User32.dll", "Advapi32.dll", "Mpr.dll", "Shell32.dll"}, "MultiByteToWideChar");
  return fn(codePage, flags, source, sourceLength, reinterpret_cast<LPWSTR>(destination), capacity);
}

int WideCharToMultiByte(unsigned codePage, uint32_t flags, const char16_t* source, int sourceLength,
                        char* destination, int capacity, const char* defaultChar, int* usedDefault) {
  using Fn = int(WINAPI*)(UINT, DWORD, LPCWCH, int, LPSTR, int, LPCCH, LPBOOL);
  static const Fn fn = Bound<Fn>({"kernel32.dll"}, "WideCharToMultiByte");
  BOOL used = FALSE;
  int r = fn(codePage, flags, reinterpret_cast<LPCWCH>(source), sourceLength, destination, capacity, defaultChar,
             usedDefault ? &used : nullptr);
  if (usedDefault) *usedDefault = used;
  return r;
}

}  // namespace zicha
