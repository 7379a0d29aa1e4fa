#pragma once
// The navigation simulator run as a child process, for the tests that read
// what it writes (its pseudo-terminal, its datagrams).
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <string>
#include <vector>

#include "harness/Command.h"

namespace ruvek::test {

#ifdef RUVEK_NAVSIM
inline const char* const kNavsim = RUVEK_NAVSIM;
#else
inline const char* const kNavsim = nullptr;
#endif

// Reads from fd until `done` says the text is complete or the time is up.
template <class Done>
std::string ReadUntil(int fd, int timeoutMs, Done done) {
  std::string text;
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (!done(text)) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now()).count();
    pollfd p{fd, POLLIN, 0};
    if (left <= 0 || ::poll(&p, 1, static_cast<int>(left)) <= 0) break;
    char buffer[512];
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n <= 0) break;
    text.append(buffer, static_cast<std::size_t>(n));
  }
  return text;
}

// The simulator as a child process with its standard output on a pipe;
// stopped with SIGTERM at the end of the test.
class Simulator {
 public:
  explicit Simulator(std::vector<std::string> args) {
    int pipeFds[2];
    if (::pipe(pipeFds) != 0) return;
    pid_ = ::fork();
    if (pid_ == 0) {
      ::dup2(pipeFds[1], STDOUT_FILENO);
      ::close(pipeFds[0]);
      ::close(pipeFds[1]);
      std::vector<std::string> command = CommandOf("RUVEK_NAVSIM", kNavsim);
      std::vector<char*> argv;
      for (std::string& a : command) argv.push_back(a.data());
      for (std::string& a : args) argv.push_back(a.data());
      argv.push_back(nullptr);
      ::execvp(argv[0], argv.data());
      ::_exit(127);
    }
    ::close(pipeFds[1]);
    out_ = pipeFds[0];
  }
  ~Simulator() {
    if (pid_ > 0) {
      ::kill(pid_, SIGTERM);
      ::waitpid(pid_, nullptr, 0);
    }
    if (out_ >= 0) ::close(out_);
  }
  // The first line of its standard output, without the line end.
  std::string firstLine() {
    const std::string text = ReadUntil(out_, 5000, [](const std::string& t) { return t.find('\n') != t.npos; });
    return text.substr(0, text.find('\n'));
  }

 private:
  pid_t pid_ = -1;
  int out_ = -1;
};

}  // namespace ruvek::test
