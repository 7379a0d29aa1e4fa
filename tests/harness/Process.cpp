#include "harness/Process.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>
#include <thread>

#include "harness/Command.h"

extern char** environ;

namespace ruvek::harness {
namespace {

// The harness's environment with `extra` set over it (same name: extra wins).
std::vector<std::string> MergedEnvironment(const std::vector<std::string>& extra) {
  std::map<std::string, std::string> vars;
  auto add = [&vars](const std::string& entry) {
    const std::size_t eq = entry.find('=');
    if (eq != std::string::npos) vars[entry.substr(0, eq)] = entry;
  };
  for (char** e = environ; *e; ++e) add(*e);
  for (const std::string& e : extra) add(e);
  std::vector<std::string> out;
  for (auto& [name, entry] : vars) out.push_back(entry);
  return out;
}

std::vector<char*> Pointers(std::vector<std::string>& strings) {
  std::vector<char*> out;
  for (std::string& s : strings) out.push_back(s.data());
  out.push_back(nullptr);
  return out;
}

}  // namespace

std::string ExitStatus::describe() const {
  if (timedOut) return "hung (killed after the timeout)";
  if (exited) return "exit " + std::to_string(code);
  return std::string("killed by signal ") + std::to_string(signal) + " (" + ::strsignal(signal) + ")";
}

Child::Child(const ChildSpec& spec) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, spec.outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, 2, spec.errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  std::vector<std::string> argv = spec.argv;
  std::vector<std::string> env = MergedEnvironment(spec.env);
  std::vector<char*> argp = Pointers(argv), envp = Pointers(env);
  const int rc = ::posix_spawnp(&pid_, argp[0], &actions, nullptr, argp.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  if (rc != 0) throw std::runtime_error("cannot start " + spec.argv[0] + ": " + std::strerror(rc));
}

Child::~Child() {
  if (pid_ > 0 && !done_) kill();
}

Child::Child(Child&& other) noexcept : pid_(other.pid_), done_(other.done_), status_(other.status_) { other.pid_ = -1; }

void Child::collect(int waitStatus) {
  done_ = true;
  status_.exited = WIFEXITED(waitStatus);
  status_.code = status_.exited ? WEXITSTATUS(waitStatus) : -1;
  status_.signal = WIFSIGNALED(waitStatus) ? WTERMSIG(waitStatus) : 0;
}

bool Child::running() {
  if (done_ || pid_ <= 0) return false;
  int st = 0;
  if (::waitpid(pid_, &st, WNOHANG) == pid_) collect(st);
  return !done_;
}

ExitStatus Child::wait(std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  // Short naps rather than a blocking waitpid: the timeout must hold even when
  // the program hangs in a loop of its own.
  while (running()) {
    if (std::chrono::steady_clock::now() >= deadline) {
      kill();
      status_.timedOut = true;
      return status_;
    }
    std::this_thread::sleep_for(std::chrono::microseconds(500));
  }
  return status_;
}

ExitStatus Child::kill() {
  if (running()) {
    ::kill(pid_, SIGKILL);
    int st = 0;
    while (::waitpid(pid_, &st, 0) < 0 && errno == EINTR) {
    }
    collect(st);
  }
  return status_;
}

std::vector<std::string> HeadlessArgs(const std::string& exe, const std::string& root, const std::string& script) {
  std::vector<std::string> args = test::SplitWords(exe);
  for (const char* arg : {"--headless", "--root"}) args.push_back(arg);
  args.push_back(root);
  args.push_back("--script");
  args.push_back(script);
  return args;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

void WriteFile(const std::string& path, const std::string& content) {
  std::ofstream out(path, std::ios::binary);
  out << content;
  if (!out) throw std::runtime_error("cannot write " + path);
}

}  // namespace ruvek::harness
