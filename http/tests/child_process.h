#pragma once
// Child processes for tests (POSIX): started with posix_spawn, ended with SIGTERM when the object
// goes out of scope; and a bounded wait for a port on 127.0.0.1 to accept connections.
#ifndef _WIN32
#include <sys/types.h>

#include <string>
#include <vector>

namespace zicha::testing {

class Child {
 public:
  // Starts args[0] (searched in PATH) with the other arguments; standard output and error go to
  // `outputFile` when one is given.
  explicit Child(std::vector<std::string> args, const std::string& outputFile = "");
  ~Child();
  Child(const Child&) = delete;
  Child& operator=(const Child&) = delete;

  bool started() const { return pid_ > 0; }
  // Sends SIGTERM and waits (at most `seconds`); the exit status, or -1 when it had to be killed.
  int Stop(int seconds = 10);

 private:
  pid_t pid_ = -1;
};

// True once something accepts connections on the port; gives up after five seconds.
bool WaitForPort(int port);

// Runs a shell command; its exit status.
int RunShell(const std::string& command);

}  // namespace zicha::testing
#endif
