#pragma once
// Child processes for the stress and crash harnesses: the program started
// headless in the background, with its output in files, so that several run
// at once, one can be killed at any moment, and a hang ends in a timeout
// instead of a stuck harness.
#include <sys/types.h>

#include <chrono>
#include <string>
#include <vector>

namespace ruvek::harness {

struct ExitStatus {
  bool exited = false;  // ended by itself; `code` holds its exit code
  int code = -1;
  int signal = 0;         // the signal that ended it, when it did not exit
  bool timedOut = false;  // killed by the harness after the timeout
  std::string describe() const;
};

struct ChildSpec {
  std::vector<std::string> argv;
  std::vector<std::string> env;  // "NAME=VALUE" set on top of the harness's own environment
  std::string outPath, errPath;  // standard output and error; standard input is /dev/null
};

class Child {
 public:
  explicit Child(const ChildSpec& spec);  // throws std::runtime_error when it cannot start
  ~Child();                               // a child still running is killed
  Child(Child&& other) noexcept;
  Child(const Child&) = delete;
  Child& operator=(const Child&) = delete;
  Child& operator=(Child&&) = delete;

  pid_t pid() const { return pid_; }
  // True while the child runs; collects its status once it has ended.
  bool running();
  // Waits until the child ends; past `timeout` it is killed and reported so.
  ExitStatus wait(std::chrono::milliseconds timeout);
  // SIGKILL now, then waits for it. A child that ended already keeps its status.
  ExitStatus kill();

 private:
  pid_t pid_ = -1;
  bool done_ = false;
  ExitStatus status_;
  void collect(int waitStatus);
};

// The argument vector of `ruvek --headless` on station folder `root`.
std::vector<std::string> HeadlessArgs(const std::string& exe, const std::string& root, const std::string& script);

std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::string& content);

}  // namespace ruvek::harness
