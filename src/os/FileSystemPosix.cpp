#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "os/FileSystem.h"
#include "os/FileSystemParts.h"
#include "os/Lines.h"
#include "os/Os.h"

namespace ruvek::os {
namespace {

[[noreturn]] void fail(const std::string& what, const std::string& path) {
  throw FileError(what + " " + path + ": " + std::strerror(errno), path);
}

// Closes `fd` and throws, keeping the errno of the failure.
[[noreturn]] void closeAndFail(int fd, const std::string& what, const std::string& path) {
  const int saved = errno;
  ::close(fd);
  errno = saved;
  fail(what, path);
}

// One write call for the whole record: a short write is a failure (ENOSPC),
// never something to finish later; with `flush` the data is then flushed to
// the disk. Returns 0 or the error; `written` gets what the write call wrote.
int writeWhole(int fd, const std::string& data, bool flush, ssize_t& written) {
  written = ::write(fd, data.data(), data.size());
  if (written < 0) return errno;
  if (std::size_t(written) != data.size()) return ENOSPC;
  if (flush && ::fsync(fd) != 0) return errno;
  return 0;
}

// Writes `data` whole into the new file `hostFile`, open as `fd`, flushes and
// closes it. On failure removes the file and throws for `path`.
void fillNewFile(int fd, const std::string& hostFile, const std::string& data, const std::string& path) {
  ssize_t written = 0;
  int error = writeWhole(fd, data, true, written);
  if (::close(fd) != 0 && !error) error = errno;
  if (error) {
    ::unlink(hostFile.c_str());
    errno = error;
    fail("cannot write", path);
  }
}

// Writes `data` to a new temporary file beside `hostFile` and flushes it;
// returns its name. On failure removes it and throws for `path`.
std::string writeTemp(const std::string& hostFile, const std::string& data, const std::string& path) {
  const std::string temp = TempNameFor(hostFile);
  const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (fd < 0) fail("cannot create", path);
  fillNewFile(fd, temp, data, path);
  return temp;
}

// Not found: a missing file, or a path that is not full.
bool StatOf(const FileSystem& fs, const std::string& path, struct stat& st) {
  if (path.empty()) return false;
  try {
    return ::stat(fs.hostPath(path).c_str(), &st) == 0;
  } catch (const FileError&) {
    return false;
  }
}

}  // namespace

std::string FolderOf(const std::string& hostFile) {
  const std::size_t slash = hostFile.rfind('/');
  return slash == std::string::npos ? "." : slash == 0 ? "/" : hostFile.substr(0, slash);
}

void FlushFolder(const std::string& hostFolder) {
  const int fd = ::open(hostFolder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  (void)::fsync(fd);
  ::close(fd);
}

std::string FileSystem::hostPath(const std::string& path) const {
  if (!path.empty() && path[0] == '/') return path;
  if (!IsDriveForm(path)) {
    errno = EINVAL;
    fail("not a full path:", path);
  }
  const std::string rest = DriveRest(path.substr(2), '/');
  if (rest.empty()) {
    errno = EINVAL;
    fail("not a file name Windows takes:", path);
  }
  std::string out = root_.empty() ? std::string(".") : root_;
  if (out.back() != '/') out += '/';
  out += char(std::toupper(static_cast<unsigned char>(path[0])));
  return out + rest;
}

bool FileSystem::exists(const std::string& path) const {
  struct stat st {};
  return StatOf(*this, path, st) && S_ISREG(st.st_mode);
}

bool FileSystem::folderExists(const std::string& path) const {
  struct stat st {};
  return StatOf(*this, path, st) && S_ISDIR(st.st_mode);
}

std::optional<std::uintmax_t> FileSystem::size(const std::string& path) const {
  struct stat st {};
  if (!StatOf(*this, path, st) || !S_ISREG(st.st_mode)) return std::nullopt;
  return std::uintmax_t(st.st_size);
}

std::string FileSystem::readAll(const std::string& path, std::uintmax_t maxBytes) const {
  const std::string host = hostPath(path);
  const int fd = ::open(host.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) fail("cannot open", path);
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    errno = EISDIR;
    fail("not a file:", path);
  }
  if (std::uintmax_t(st.st_size) > maxBytes) {
    ::close(fd);
    errno = EFBIG;
    fail("too large:", path);
  }
  std::string out;
  out.reserve(std::size_t(st.st_size));
  char buf[65536];
  while (true) {
    const ssize_t n = ::read(fd, buf, sizeof buf);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) closeAndFail(fd, "cannot read", path);
    if (n == 0) break;
    out.append(buf, std::size_t(n));
    // A short read that reaches the size the file had is its end: no further
    // read is needed to find it. One cut short by a signal reads on.
    if (std::size_t(n) < sizeof buf && out.size() >= std::size_t(st.st_size)) break;
  }
  ::close(fd);
  return out;
}

void FileSystem::forEachLine(const std::string& path, const std::function<void(std::string&)>& visit) const {
  const int fd = ::open(hostPath(path).c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) fail("cannot open", path);
  LineSplitter lines;
  char buf[1 << 16];
  while (true) {
    const ssize_t n = ::read(fd, buf, sizeof buf);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) closeAndFail(fd, "cannot read", path);
    if (n == 0) break;
    lines.feed(buf, std::size_t(n), visit);
  }
  ::close(fd);
  lines.finish(visit);
}

std::string FileSystem::readFrom(const std::string& path, std::uintmax_t offset) const {
  const int fd = ::open(hostPath(path).c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) fail("cannot open", path);
  std::string out;
  struct stat st {};
  if (::fstat(fd, &st) == 0 && std::uintmax_t(st.st_size) > offset)
    out.reserve(std::size_t(st.st_size - off_t(offset)));
  char buf[1 << 16];
  off_t at = off_t(offset);
  while (true) {
    const ssize_t n = ::pread(fd, buf, sizeof buf, at);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) closeAndFail(fd, "cannot read", path);
    if (n == 0) break;
    out.append(buf, std::size_t(n));
    at += n;
  }
  ::close(fd);
  return out;
}

std::optional<std::string> FileSystem::lastLineOfAtLeast(const std::string& path, std::size_t minLength) const {
  const int fd = ::open(hostPath(path).c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) fail("cannot open", path);
  struct stat st {};
  if (::fstat(fd, &st) != 0) closeAndFail(fd, "cannot open", path);
  std::optional<std::string> last = LastLineFromEnd(st.st_size, minLength, [&](std::int64_t start, std::size_t length) {
    std::string chunk(length, '\0');
    if (::pread(fd, chunk.data(), length, off_t(start)) != ssize_t(length)) closeAndFail(fd, "cannot read", path);
    return chunk;
  });
  ::close(fd);
  return last;
}

void FileSystem::append(const std::string& path, const std::string& data, Flush flush) const {
  const std::string host = hostPath(path);
  // Opened as it stands first: only a file made here gives its folder a new name.
  int fd = ::open(host.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
  const bool isNew = fd < 0 && errno == ENOENT;
  if (isNew) fd = ::open(host.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) fail("cannot open", path);
  ssize_t n = 0;
  if (const int error = writeWhole(fd, data, flush == Flush::Yes, n)) {
    // Take back what went out: the record ends where the file offset stands;
    // cut there only while nothing was appended after it.
    const off_t end = ::lseek(fd, 0, SEEK_CUR);
    struct stat st {};
    // The write's own failure is what is reported, whether the cut worked or not.
    [[maybe_unused]] const bool cut =
        n > 0 && end >= n && ::fstat(fd, &st) == 0 && st.st_size == end && ::ftruncate(fd, end - n) == 0;
    errno = error;
    closeAndFail(fd, "cannot write", path);
  }
  if (::close(fd) != 0) fail("cannot close", path);
  if (isNew && flush == Flush::Yes) folderChanged(host);
}

bool FileSystem::create(const std::string& path, const std::string& data) const {
  const std::string host = hostPath(path);
  const std::string temp = writeTemp(host, data, path);
  if (::link(temp.c_str(), host.c_str()) == 0) {
    ::unlink(temp.c_str());
    folderChanged(host);
    return true;
  }
  const int error = errno;
  if (error != EPERM && error != ENOTSUP && error != EOPNOTSUPP && error != ENOSYS) {
    ::unlink(temp.c_str());
    if (error == EEXIST) return false;
    errno = error;
    fail("cannot create", path);
  }
  // A file system without links: the name is taken exclusively, then written.
  ::unlink(temp.c_str());
  const int fd = ::open(host.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (fd < 0) {
    if (errno == EEXIST) return false;
    fail("cannot create", path);
  }
  fillNewFile(fd, host, data, path);
  folderChanged(host);
  return true;
}

void FileSystem::replace(const std::string& path, const std::string& data) const {
  const std::string host = hostPath(path);
  const std::string temp = writeTemp(host, data, path);
  if (::rename(temp.c_str(), host.c_str()) != 0) {
    const int saved = errno;
    ::unlink(temp.c_str());
    errno = saved;
    fail("cannot replace", path);
  }
  folderChanged(host);
}

void FileSystem::replaceWith(const std::string& path, const std::function<void(const Writer& write)>& fill) const {
  const std::string host = hostPath(path);
  const std::string temp = TempNameFor(host);
  const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (fd < 0) fail("cannot create", path);
  int error = 0;
  try {
    fill([&](const std::string& piece) {
      ssize_t written = 0;
      if (!error && !piece.empty()) error = writeWhole(fd, piece, false, written);
    });
  } catch (...) {
    ::close(fd);
    ::unlink(temp.c_str());
    throw;
  }
  if (!error && ::fsync(fd) != 0) error = errno;
  if (::close(fd) != 0 && !error) error = errno;
  if (!error && ::rename(temp.c_str(), host.c_str()) != 0) error = errno;
  if (error) {
    ::unlink(temp.c_str());
    errno = error;
    fail("cannot write", path);
  }
  folderChanged(host);
}

void FileSystem::remove(const std::string& path) const {
  if (::unlink(hostPath(path).c_str()) != 0 && errno != ENOENT) fail("cannot remove", path);
}

std::vector<std::string> FileSystem::removeStaleTemporaries(const std::string& folder) const {
  std::vector<std::string> removed;
  std::string host;
  try {
    host = hostPath(folder);
  } catch (const FileError&) {
    return removed;
  }
  DIR* dir = ::opendir(host.c_str());
  if (!dir) return removed;
  if (host.back() != '/') host += '/';
  while (const dirent* entry = ::readdir(dir)) {
    const std::string name = entry->d_name;
    const long pid = OwnTempPid(name);
    if (pid <= 0 || pid == os::ProcessId() || !os::ProcessGone(pid)) continue;
    if (::unlink((host + name).c_str()) == 0) removed.push_back(name);
  }
  ::closedir(dir);
  return removed;
}

}  // namespace ruvek::os
