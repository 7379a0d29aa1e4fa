#include <cctype>
#include <cstring>

#include "os/FileSystem.h"
#include "os/FileSystemParts.h"
#include "os/Lines.h"
#include "os/Os.h"
#include "os/OsWindows.h"

namespace ruvek::os {
namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

[[noreturn]] void fail(const std::string& what, const std::string& path, DWORD error) {
  throw FileError(what + " " + path + ": " + os::ErrorText(error), path);
}

[[noreturn]] void closeAndFail(HANDLE file, const std::string& what, const std::string& path, DWORD error) {
  ::CloseHandle(file);
  fail(what, path, error);
}

bool attributesOf(const std::string& host, WIN32_FILE_ATTRIBUTE_DATA& data) {
  return ::GetFileAttributesExW(os::Wide(host).c_str(), GetFileExInfoStandard, &data);
}

bool isFolder(const std::string& host) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  return attributesOf(host, data) && (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Not found: a missing file, or a path that is not full.
bool attributesOf(const FileSystem& fs, const std::string& path, WIN32_FILE_ATTRIBUTE_DATA& data) {
  if (path.empty()) return false;
  try {
    return attributesOf(fs.hostPath(path), data);
  } catch (const FileError&) {
    return false;
  }
}

// Opens an existing file for reading, shared with writers and with a replace
// or removal by another station. A device or a pipe is no file.
HANDLE openForReading(const std::string& host, const std::string& path) {
  const HANDLE file = ::CreateFileW(os::Wide(host).c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) fail("cannot open", path, ::GetLastError());
  if (::GetFileType(file) != FILE_TYPE_DISK) closeAndFail(file, "not a file:", path, ERROR_BAD_FILE_TYPE);
  return file;
}

// Reads up to `size` bytes; false on a failed read.
bool readSome(HANDLE file, char* buf, DWORD size, DWORD& n) { return ::ReadFile(file, buf, size, &n, nullptr); }

// Appends the rest of the file, from where it stands, to `out`; closes it and
// throws on a failed read.
void readRest(HANDLE file, const std::string& path, std::string& out) {
  char buf[1 << 16];
  DWORD n = 0;
  while (true) {
    if (!readSome(file, buf, sizeof buf, n)) closeAndFail(file, "cannot read", path, ::GetLastError());
    if (n == 0) return;
    out.append(buf, n);
  }
}

// One write call for the whole record: a short write is a failure (a full
// drive), never something to finish later; with `flush` the data is then
// flushed to the disk. Returns 0 or the error.
DWORD writeWhole(HANDLE file, const std::string& data, bool flush, DWORD& written) {
  written = 0;
  if (!data.empty() && !::WriteFile(file, data.data(), DWORD(data.size()), &written, nullptr)) return ::GetLastError();
  if (written != data.size()) return ERROR_DISK_FULL;
  if (flush && !::FlushFileBuffers(file)) return ::GetLastError();
  return 0;
}

// Writes `data` to a new temporary file beside `hostFile` and flushes it;
// returns its name. On failure removes it and throws for `path`.
std::string writeTemp(const std::string& hostFile, const std::string& data, const std::string& path) {
  const std::string temp = TempNameFor(hostFile);
  const std::wstring wide = os::Wide(temp);
  const HANDLE file = ::CreateFileW(wide.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                                    CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) fail("cannot create", path, ::GetLastError());
  DWORD written = 0;
  DWORD error = writeWhole(file, data, true, written);
  if (!::CloseHandle(file) && !error) error = ::GetLastError();
  if (error) {
    ::DeleteFileW(wide.c_str());
    fail("cannot write", path, error);
  }
  return temp;
}

// Gives the temporary file its name. A file another program holds open
// without sharing its removal refuses for a moment: a few more tries.
bool moveInto(const std::string& temp, const std::string& host, DWORD flags, DWORD& error) {
  for (int attempt = 0; attempt < 20; ++attempt) {
    if (::MoveFileExW(os::Wide(temp).c_str(), os::Wide(host).c_str(), flags | MOVEFILE_WRITE_THROUGH)) return true;
    error = ::GetLastError();
    if (error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION) return false;
    ::Sleep(5);
  }
  return false;
}

}  // namespace

std::string FolderOf(const std::string& hostFile) {
  const std::size_t slash = hostFile.find_last_of("\\/");
  return slash == std::string::npos ? "." : hostFile.substr(0, slash);
}

// Every rename is written through (MOVEFILE_WRITE_THROUGH): a folder has no
// flush of its own to wait for.
void FlushFolder(const std::string&) {}

// The drive letters are the machine's own. A root given for tests stands for
// the drives it holds a folder of (ROOT\C for C:), the others stay real.
std::string FileSystem::hostPath(const std::string& path) const {
  if (!path.empty() && path[0] == '/') return path;
  if (!IsDriveForm(path)) fail("not a full path:", path, ERROR_BAD_PATHNAME);
  const std::string rest = DriveRest(path.substr(2), '\\');
  if (rest.empty()) fail("not a file name Windows takes:", path, ERROR_INVALID_NAME);
  const char drive = char(std::toupper(static_cast<unsigned char>(path[0])));
  if (!root_.empty()) {
    std::string folder = root_;
    for (char& c : folder)
      if (c == '/') c = '\\';
    if (folder.back() != '\\') folder += '\\';
    folder += drive;
    if (isFolder(folder)) return folder + rest;
  }
  return std::string(1, drive) + ":" + rest;
}

bool FileSystem::exists(const std::string& path) const {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  return attributesOf(*this, path, data) && !(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool FileSystem::folderExists(const std::string& path) const {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  return attributesOf(*this, path, data) && (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::optional<std::uintmax_t> FileSystem::size(const std::string& path) const {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!attributesOf(*this, path, data) || (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) return std::nullopt;
  return (std::uintmax_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

std::string FileSystem::readAll(const std::string& path, std::uintmax_t maxBytes) const {
  const HANDLE file = openForReading(hostPath(path), path);
  LARGE_INTEGER size{};
  if (::GetFileSizeEx(file, &size) && std::uintmax_t(size.QuadPart) > maxBytes)
    closeAndFail(file, "too large:", path, ERROR_FILE_TOO_LARGE);
  std::string out;
  readRest(file, path, out);
  ::CloseHandle(file);
  return out;
}

void FileSystem::forEachLine(const std::string& path, const std::function<void(std::string&)>& visit) const {
  const HANDLE file = openForReading(hostPath(path), path);
  LineSplitter lines;
  char buf[1 << 16];
  DWORD n = 0;
  while (true) {
    if (!readSome(file, buf, sizeof buf, n)) closeAndFail(file, "cannot read", path, ::GetLastError());
    if (n == 0) break;
    try {
      lines.feed(buf, n, visit);
    } catch (...) {
      ::CloseHandle(file);
      throw;
    }
  }
  ::CloseHandle(file);
  lines.finish(visit);
}

std::string FileSystem::readFrom(const std::string& path, std::uintmax_t offset) const {
  const HANDLE file = openForReading(hostPath(path), path);
  std::string out;
  LARGE_INTEGER size{};
  if (::GetFileSizeEx(file, &size) && std::uintmax_t(size.QuadPart) > offset) {
    out.reserve(std::size_t(std::uintmax_t(size.QuadPart) - offset));
    LARGE_INTEGER at{};
    at.QuadPart = static_cast<LONGLONG>(offset);
    if (!::SetFilePointerEx(file, at, nullptr, FILE_BEGIN)) closeAndFail(file, "cannot read", path, ::GetLastError());
    readRest(file, path, out);
  }
  ::CloseHandle(file);
  return out;
}

std::optional<std::string> FileSystem::lastLineOfAtLeast(const std::string& path, std::size_t minLength) const {
  const HANDLE file = openForReading(hostPath(path), path);
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(file, &size)) closeAndFail(file, "cannot open", path, ::GetLastError());
  std::optional<std::string> last =
      LastLineFromEnd(size.QuadPart, minLength, [&](std::int64_t start, std::size_t length) {
        std::string chunk(length, '\0');
        LARGE_INTEGER at{};
        at.QuadPart = start;
        DWORD n = 0;
        if (!::SetFilePointerEx(file, at, nullptr, FILE_BEGIN) ||
            !::ReadFile(file, chunk.data(), DWORD(chunk.size()), &n, nullptr) || n != chunk.size())
          closeAndFail(file, "cannot read", path, ::GetLastError());
        return chunk;
      });
  ::CloseHandle(file);
  return last;
}

void FileSystem::append(const std::string& path, const std::string& data, Flush flush) const {
  const std::wstring host = os::Wide(hostPath(path));
  // Append access alone: every write goes to the end of the file as it then
  // stands, whoever else appends.
  const HANDLE file = ::CreateFileW(host.c_str(), FILE_APPEND_DATA | FILE_READ_ATTRIBUTES | SYNCHRONIZE, kShareAll,
                                    nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) fail("cannot open", path, ::GetLastError());
  if (::GetFileType(file) != FILE_TYPE_DISK) closeAndFail(file, "not a file:", path, ERROR_BAD_FILE_TYPE);
  LARGE_INTEGER before{};
  ::GetFileSizeEx(file, &before);
  DWORD written = 0;
  if (const DWORD error = writeWhole(file, data, flush == Flush::Yes, written)) {
    // Take back what went out, only while nothing was appended after it.
    LARGE_INTEGER now{};
    if (written > 0 && ::GetFileSizeEx(file, &now) && now.QuadPart == before.QuadPart + written) {
      const HANDLE cut =
          ::CreateFileW(host.c_str(), GENERIC_WRITE, kShareAll, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
      if (cut != INVALID_HANDLE_VALUE) {
        if (::SetFilePointerEx(cut, before, nullptr, FILE_BEGIN)) ::SetEndOfFile(cut);
        ::CloseHandle(cut);
      }
    }
    closeAndFail(file, "cannot write", path, error);
  }
  if (!::CloseHandle(file)) fail("cannot close", path, ::GetLastError());
}

bool FileSystem::create(const std::string& path, const std::string& data) const {
  const std::string host = hostPath(path);
  const std::string temp = writeTemp(host, data, path);
  // A move that does not replace: of two stations making the file, one wins.
  DWORD error = 0;
  if (moveInto(temp, host, 0, error)) return true;
  ::DeleteFileW(os::Wide(temp).c_str());
  if (error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS) return false;
  fail("cannot create", path, error);
}

void FileSystem::replace(const std::string& path, const std::string& data) const {
  const std::string host = hostPath(path);
  const std::string temp = writeTemp(host, data, path);
  DWORD error = 0;
  if (moveInto(temp, host, MOVEFILE_REPLACE_EXISTING, error)) return;
  ::DeleteFileW(os::Wide(temp).c_str());
  fail("cannot replace", path, error);
}

void FileSystem::replaceWith(const std::string& path, const std::function<void(const Writer& write)>& fill) const {
  const std::string host = hostPath(path);
  const std::string temp = TempNameFor(host);
  const std::wstring wide = os::Wide(temp);
  const HANDLE file = ::CreateFileW(wide.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                                    CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) fail("cannot create", path, ::GetLastError());
  DWORD error = 0;
  try {
    fill([&](const std::string& piece) {
      DWORD written = 0;
      if (!error && !piece.empty()) error = writeWhole(file, piece, false, written);
    });
  } catch (...) {
    ::CloseHandle(file);
    ::DeleteFileW(wide.c_str());
    throw;
  }
  if (!error && !::FlushFileBuffers(file)) error = ::GetLastError();
  if (!::CloseHandle(file) && !error) error = ::GetLastError();
  if (!error && moveInto(temp, host, MOVEFILE_REPLACE_EXISTING, error)) return;
  ::DeleteFileW(wide.c_str());
  fail("cannot write", path, error);
}

void FileSystem::remove(const std::string& path) const {
  if (::DeleteFileW(os::Wide(hostPath(path)).c_str())) return;
  const DWORD error = ::GetLastError();
  if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND) fail("cannot remove", path, error);
}

std::vector<std::string> FileSystem::removeStaleTemporaries(const std::string& folder) const {
  std::vector<std::string> removed;
  std::string host;
  try {
    host = hostPath(folder);
  } catch (const FileError&) {
    return removed;
  }
  if (host.back() != '\\' && host.back() != '/') host += '\\';
  WIN32_FIND_DATAW entry{};
  const HANDLE find = ::FindFirstFileW(os::Wide(host + "*").c_str(), &entry);
  if (find == INVALID_HANDLE_VALUE) return removed;
  do {
    const std::string name = os::Narrow(entry.cFileName);
    const long pid = OwnTempPid(name);
    if (pid <= 0 || pid == os::ProcessId() || !os::ProcessGone(pid)) continue;
    if (::DeleteFileW(os::Wide(host + name).c_str())) removed.push_back(name);
  } while (::FindNextFileW(find, &entry));
  ::FindClose(find);
  return removed;
}

}  // namespace ruvek::os
