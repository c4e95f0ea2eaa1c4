#pragma once
// The code-page seam: the two conversions between multibyte text and UTF-16 that the rest of the
// system rests on, with the contract of the Windows functions of the same names. On Windows they
// are kernel32's own, bound by name on first use; on Linux they are built on iconv's tables.
//
// Contract (as used by the system; flags are always 0):
// - Code pages: kCpAcp (the system's ANSI code page; on Linux this is 936, the system's text
//   encoding), kCpUtf8 and kCp936. On Linux any other code page gives 0.
// - sourceLength -1 reads up to and including the terminating zero; a length >= 0 reads exactly
//   that many units and adds no terminator.
// - capacity 0 writes nothing and returns the number of units (MultiByteToWideChar) or bytes
//   (WideCharToMultiByte) needed. Otherwise the result is written and its size returned; when it
//   does not fit, 0 is returned.
// - Input that is invalid in the code page is replaced, not refused (U+FFFD for UTF-8). Characters
//   that the target code page cannot hold become its default character "?" (U+FFFD for UTF-8).
// The default-character arguments of WideCharToMultiByte must be null.

#include <cstdint>

namespace zicha {

inline constexpr unsigned kCpAcp = 0;
inline constexpr unsigned kCpUtf8 = 65001;
inline constexpr unsigned kCp936 = 936;

int MultiByteToWideChar(unsigned codePage, uint32_t flags, const char* source, int sourceLength,
                        char16_t* destination, int capacity);

int WideCharToMultiByte(unsigned codePage, uint32_t flags, const char16_t* source, int sourceLength,
                        char* destination, int capacity, const char* defaultChar, int* usedDefault);

}  // namespace zicha
