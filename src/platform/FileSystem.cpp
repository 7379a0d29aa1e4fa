#include "platform/FileSystem.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstring>

#include "platform/Lines.h"

namespace ruvek::ui {
namespace {

[[noreturn]] void fail(const std::string& what, const std::string& path) {
  throw FileError(what + " " + path + ": " + std::strerror(errno), path);
}

void writeAllTo(int fd, const std::string& data, const std::string& path) {
  // One write call for the whole record: a short write is a failure, never
  // something to finish later, so a log never holds half a line from us.
  const ssize_t n = ::write(fd, data.data(), data.size());
  if (n < 0 || std::size_t(n) != data.size()) {
    const int saved = errno;
    ::close(fd);
    errno = n < 0 ? saved : EIO;
    fail("cannot write", path);
  }
}

}  // namespace

std::string FileSystem::hostPath(const std::string& path) const {
  if (!path.empty() && path[0] == '/') return path;
  if (path.size() >= 2 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':') {
    std::string out = root_.empty() ? std::string(".") : root_;
    if (out.back() != '/') out += '/';
    out += char(std::toupper(static_cast<unsigned char>(path[0])));
    std::string rest = path.substr(2);
    for (char& c : rest)
      if (c == '\\') c = '/';
    if (rest.empty() || rest[0] != '/') out += '/';
    out += rest;
    return out;
  }
  std::string rel = path;
  for (char& c : rel)
    if (c == '\\') c = '/';
  return rel;
}

bool FileSystem::exists(const std::string& path) const {
  if (path.empty()) return false;
  struct stat st {};
  return ::stat(hostPath(path).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool FileSystem::folderExists(const std::string& path) const {
  struct stat st {};
  return ::stat(hostPath(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string FileSystem::readAll(const std::string& path) const {
  const std::string host = hostPath(path);
  const int fd = ::open(host.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) fail("cannot open", path);
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    errno = EISDIR;
    fail("not a file:", path);
  }
  std::string out;
  char buf[65536];
  while (true) {
    const ssize_t n = ::read(fd, buf, sizeof buf);
    if (n < 0) {
      if (errno == EINTR) continue;
      const int saved = errno;
      ::close(fd);
      errno = saved;
      fail("cannot read", path);
    }
    if (n == 0) break;
    out.append(buf, std::size_t(n));
  }
  ::close(fd);
  return out;
}

std::vector<std::string> FileSystem::readLines(const std::string& path) const { return SplitLines(readAll(path)); }

std::string FileSystem::firstLine(const std::string& path) const {
  std::string first;
  ForEachLine(readAll(path), [&first](std::string_view line) {
    first = line;
    return false;
  });
  return first;
}

void FileSystem::forEachLine(const std::string& path, const std::function<void(std::string&)>& visit) const {
  const int fd = ::open(hostPath(path).c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) fail("cannot open", path);
  LineSplitter lines;
  char buf[1 << 16];
  while (true) {
    const ssize_t n = ::read(fd, buf, sizeof buf);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      const int saved = errno;
      ::close(fd);
      errno = saved;
      fail("cannot read", path);
    }
    if (n == 0) break;
    lines.feed(buf, std::size_t(n), visit);
  }
  ::close(fd);
  lines.finish(visit);
}

std::optional<std::string> FileSystem::lastLineOfAtLeast(const std::string& path, std::size_t minLength) const {
  const int fd = ::open(hostPath(path).c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) fail("cannot open", path);
  struct stat st {};
  if (::fstat(fd, &st) != 0) {
    const int saved = errno;
    ::close(fd);
    errno = saved;
    fail("cannot open", path);
  }
  std::string tail;
  off_t from = st.st_size;
  std::size_t block = 1 << 16;
  while (true) {
    const off_t start = from > off_t(block) ? from - off_t(block) : 0;
    std::string chunk(std::size_t(from - start), '\0');
    if (::pread(fd, chunk.data(), chunk.size(), start) != ssize_t(chunk.size())) {
      const int saved = errno;
      ::close(fd);
      errno = saved;
      fail("cannot read", path);
    }
    tail.insert(0, chunk);
    from = start;
    // The first line of the tail may begin before it, unless the tail is the whole file.
    std::optional<std::string_view> last;
    bool first = true;
    ForEachLine(tail, [&](std::string_view line) {
      if ((from == 0 || !first) && line.size() >= minLength) last = line;
      first = false;
    });
    if (last || from == 0) {
      ::close(fd);
      return last ? std::optional<std::string>(std::string(*last)) : std::nullopt;
    }
    block *= 2;
  }
}

void FileSystem::append(const std::string& path, const std::string& data) const {
  const int fd = ::open(hostPath(path).c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) fail("cannot open", path);
  writeAllTo(fd, data, path);
  if (::close(fd) != 0) fail("cannot close", path);
}

void FileSystem::write(const std::string& path, const std::string& data) const {
  const int fd = ::open(hostPath(path).c_str(), O_WRONLY | O_TRUNC | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) fail("cannot create", path);
  writeAllTo(fd, data, path);
  if (::close(fd) != 0) fail("cannot close", path);
}

void FileSystem::replace(const std::string& path, const std::string& data) const {
  const std::string host = hostPath(path);
  const std::string temp = host + ".new" + std::to_string(::getpid());
  const int fd = ::open(temp.c_str(), O_WRONLY | O_TRUNC | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) fail("cannot create", path);
  writeAllTo(fd, data, path);
  if (::close(fd) != 0 || ::rename(temp.c_str(), host.c_str()) != 0) {
    const int saved = errno;
    ::unlink(temp.c_str());
    errno = saved;
    fail("cannot replace", path);
  }
}

void FileSystem::remove(const std::string& path) const {
  if (::unlink(hostPath(path).c_str()) != 0 && errno != ENOENT) fail("cannot remove", path);
}

}  // namespace ruvek::ui
