#pragma once
#include <string_view>

namespace zicha {

// The one way the program's own machinery fails: memory that cannot be obtained, a platform
// function that cannot be bound, a window that cannot be created. Shows `message` (UTF-8) in an
// error message box on Windows, writes it to standard error elsewhere, and ends the process at
// once with exit code 1. Never returns.
[[noreturn]] void FatalError(std::string_view message);

// Routes failed allocations (operator new) to FatalError.
void InstallOutOfMemoryHandler();

}  // namespace zicha
