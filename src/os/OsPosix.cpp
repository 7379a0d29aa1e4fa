#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <string_view>

#include "os/Os.h"

namespace ruvek::os {

const std::string& HostName() {
  static const std::string host = [] {
    char name[256] = {};
    return ::gethostname(name, sizeof name - 1) == 0 ? std::string(name) : std::string("unknown");
  }();
  return host;
}

const std::string& BootId() {
  static const std::string id = [] {
    std::string line;
    std::ifstream in("/proc/sys/kernel/random/boot_id");
    std::getline(in, line);
    return line;
  }();
  return id;
}

long ProcessId() { return long(::getpid()); }

bool ProcessGone(long pid) { return pid > 0 && ::kill(pid_t(pid), 0) != 0 && errno == ESRCH; }

std::tm LocalTime(std::time_t t) {
  std::tm tm{};
  ::localtime_r(&t, &tm);
  return tm;
}

std::tm UtcTime(std::time_t t) {
  std::tm tm{};
  ::gmtime_r(&t, &tm);
  return tm;
}

void SetEnvironment(const std::string& name, const std::string& value) { ::setenv(name.c_str(), value.c_str(), 1); }

int RunShell(const std::string& command) {
  const int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void UseBinaryStandardStreams() {}

std::string DefaultDriveRoot() {
  if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data) return std::string(data) + "/ruvek";
  if (const char* home = std::getenv("HOME"); home && *home) return std::string(home) + "/.local/share/ruvek";
  return ".";
}

std::string DefaultSerialDevice(int port) { return "/dev/ttyS" + std::to_string(port - 1); }

std::optional<std::string> DefaultEditor() {
  const char* path = std::getenv("PATH");
  std::string_view folders = path ? path : "";
  while (!folders.empty()) {
    const std::size_t end = std::min(folders.find(':'), folders.size());
    const std::string_view folder = folders.substr(0, end);
    folders.remove_prefix(std::min(end + 1, folders.size()));
    if (folder.empty()) continue;  // the current folder is no place to look for a program
    const std::string opener = std::string(folder) + "/xdg-open";
    if (::access(opener.c_str(), X_OK) == 0) return "xdg-open";
  }
  return std::nullopt;
}

Made CreateExclusive(const std::string& host, const std::string& content, FileId& id) {
  int fd;
  while ((fd = ::open(host.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644)) < 0 && errno == EINTR) {
  }
  if (fd < 0) return errno == EEXIST ? Made::Exists : Made::Failed;
  const ssize_t n = ::write(fd, content.data(), content.size());
  struct stat st {};
  ::fstat(fd, &st);
  ::close(fd);
  id = {std::uint64_t(st.st_dev), std::uint64_t(st.st_ino), n > 0 ? std::uint64_t(n) : 0};
  return Made::Made;
}

std::optional<FileId> IdOf(const std::string& host) {
  struct stat st {};
  if (::stat(host.c_str(), &st) != 0) return std::nullopt;
  return FileId{std::uint64_t(st.st_dev), std::uint64_t(st.st_ino), std::uint64_t(st.st_size)};
}

std::optional<std::string> ReadSmall(const std::string& host) {
  const int fd = ::open(host.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return errno == ENOENT ? std::nullopt : std::optional<std::string>("<unreadable>");
  std::string content;
  char buf[512];
  ssize_t n;
  while ((n = ::read(fd, buf, sizeof buf)) > 0 && content.size() < 4096) content.append(buf, std::size_t(n));
  ::close(fd);
  return content;
}

Moved MoveAside(const std::string& from, const std::string& to) {
  if (::rename(from.c_str(), to.c_str()) == 0) return Moved::Moved;
  return errno == ENOENT ? Moved::Gone : Moved::Refused;
}

void PutBack(const std::string& aside, const std::string& host) {
  if (::link(aside.c_str(), host.c_str()) != 0 && errno != EEXIST) (void)::rename(aside.c_str(), host.c_str());
}

void RemoveFile(const std::string& host) { ::unlink(host.c_str()); }

std::optional<std::uint64_t> FolderVolume(const std::string& host) {
  struct stat st {};
  if (host.empty() || ::stat(host.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return std::nullopt;
  return std::uint64_t(st.st_dev);
}

bool IsMountPoint(const std::string& host, std::uint64_t volume) {
  struct stat parent {};
  return ::stat((host + "/..").c_str(), &parent) == 0 && std::uint64_t(parent.st_dev) != volume;
}

}  // namespace ruvek::os
