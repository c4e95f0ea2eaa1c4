// zicha on Windows: the main window as a native Win32 window.
#include <windows.h>

#include "app/win/win32_main_window.h"
#include "platform/fatal_error.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int showCommand) {
  zicha::InstallOutOfMemoryHandler();
  zicha::Win32MainWindow window;
  window.Show(showCommand);
  return zicha::RunMessageLoop(window);
}
