#include "os/OsWindows.h"

#include <fcntl.h>
#include <io.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cwctype>

#include "os/Os.h"

namespace ruvek::os {
namespace {

// Opens an existing file or folder for its attributes only, sharing it whole.
HANDLE OpenForInfo(const std::string& host) {
  return ::CreateFileW(Wide(host).c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                       nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

std::optional<std::wstring> VolumeRoot(const std::string& host) {
  wchar_t root[MAX_PATH + 1] = {};
  if (!::GetVolumePathNameW(Wide(host).c_str(), root, MAX_PATH)) return std::nullopt;
  return std::wstring(root);
}

}  // namespace

std::wstring Wide(const std::string& text) {
  if (text.empty()) return {};
  for (const UINT page : {UINT(CP_UTF8), UINT(CP_ACP)}) {
    const DWORD flags = page == CP_UTF8 ? MB_ERR_INVALID_CHARS : 0;
    const int n = ::MultiByteToWideChar(page, flags, text.data(), int(text.size()), nullptr, 0);
    if (n <= 0) continue;
    std::wstring out(std::size_t(n), L'\0');
    ::MultiByteToWideChar(page, flags, text.data(), int(text.size()), out.data(), n);
    return out;
  }
  return {};
}

std::string Narrow(const std::wstring& text) {
  if (text.empty()) return {};
  const int n = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(std::size_t(n > 0 ? n : 0), '\0');
  if (n > 0) ::WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), out.data(), n, nullptr, nullptr);
  return out;
}

std::string ErrorText(DWORD error) {
  wchar_t* text = nullptr;
  const DWORD n =
      ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::wstring message = n && text ? std::wstring(text, n) : std::wstring();
  if (text) ::LocalFree(text);
  while (!message.empty() && std::iswspace(message.back())) message.pop_back();
  if (!message.empty() && message.back() == L'.') message.pop_back();
  return message.empty() ? "error " + std::to_string(error) : Narrow(message);
}

const std::string& HostName() {
  static const std::string host = [] {
    wchar_t name[256] = {};
    DWORD size = 255;
    if (!::GetComputerNameExW(ComputerNameDnsHostname, name, &size) || !size) return std::string("unknown");
    return Narrow(std::wstring(name, size));
  }();
  return host;
}

// The minute the machine started: the wall clock less the time since the
// start, rounded so that the few milliseconds between the two readings do not
// make a new boot.
const std::string& BootId() {
  static const std::string id = [] {
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    const long long bootMs =
        std::chrono::duration_cast<std::chrono::milliseconds>(now).count() - static_cast<long long>(::GetTickCount64());
    return "boot-" + std::to_string((bootMs + 30000) / 60000);
  }();
  return id;
}

long ProcessId() { return long(::GetCurrentProcessId()); }

bool ProcessGone(long pid) {
  if (pid <= 0) return false;
  const HANDLE process = ::OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, DWORD(pid));
  if (!process) return ::GetLastError() == ERROR_INVALID_PARAMETER;
  const bool ended = ::WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
  ::CloseHandle(process);
  return ended;
}

std::tm LocalTime(std::time_t t) {
  std::tm tm{};
  ::localtime_s(&tm, &t);
  return tm;
}

std::tm UtcTime(std::time_t t) {
  std::tm tm{};
  ::gmtime_s(&tm, &t);
  return tm;
}

void SetEnvironment(const std::string& name, const std::string& value) {
  ::_wputenv_s(Wide(name).c_str(), Wide(value).c_str());
}

int RunShell(const std::string& command) {
  // Wine starts a program of its host with this; the host's environment is
  // not the Windows one, so RUVEK_ROOT is passed on by hand.
  using HostSpawn = long(__cdecl*)(char* const argv[], int wait);
  const auto spawn = reinterpret_cast<HostSpawn>(
      reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "__wine_unix_spawnvp")));
  if (!spawn) return std::system(command.c_str());
  wchar_t root[4096] = {};
  const DWORD length = ::GetEnvironmentVariableW(L"RUVEK_ROOT", root, 4096);
  std::string env = "RUVEK_ROOT=" + (length < 4096 ? Narrow(std::wstring(root, length)) : std::string()),
              shell = "/bin/sh", dashC = "-c", text = command;
  std::string program = "/usr/bin/env";
  char* const argv[] = {program.data(), env.data(), shell.data(), dashC.data(), text.data(), nullptr};
  return int(spawn(argv, 1));
}

void UseBinaryStandardStreams() {
  ::_setmode(::_fileno(stdin), _O_BINARY);
  ::_setmode(::_fileno(stdout), _O_BINARY);
  ::_setmode(::_fileno(stderr), _O_BINARY);
}

std::string DefaultDriveRoot() { return {}; }

std::string DefaultSerialDevice(int port) {
  const std::string name = "COM" + std::to_string(port);
  return port <= 9 ? name : "\\\\.\\" + name;
}

std::optional<std::string> DefaultEditor() { return "notepad"; }

Made CreateExclusive(const std::string& host, const std::string& content, FileId& id) {
  const std::wstring wide = Wide(host);
  const HANDLE file = ::CreateFileW(wide.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    const DWORD error = ::GetLastError();
    if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS) return Made::Exists;
    // A lock file being removed (delete pending) refuses access for a moment.
    if (error == ERROR_ACCESS_DENIED &&
        (::GetFileAttributesW(wide.c_str()) != INVALID_FILE_ATTRIBUTES || ::GetLastError() == ERROR_ACCESS_DENIED))
      return Made::Exists;
    return Made::Failed;
  }
  DWORD written = 0;
  if (!::WriteFile(file, content.data(), DWORD(content.size()), &written, nullptr)) written = 0;
  BY_HANDLE_FILE_INFORMATION info{};
  ::GetFileInformationByHandle(file, &info);
  ::CloseHandle(file);
  id = {info.dwVolumeSerialNumber, (std::uint64_t(info.nFileIndexHigh) << 32) | info.nFileIndexLow, written};
  return Made::Made;
}

std::optional<FileId> IdOf(const std::string& host) {
  const HANDLE file = OpenForInfo(host);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  BY_HANDLE_FILE_INFORMATION info{};
  const bool ok = ::GetFileInformationByHandle(file, &info);
  ::CloseHandle(file);
  if (!ok) return std::nullopt;
  return FileId{info.dwVolumeSerialNumber, (std::uint64_t(info.nFileIndexHigh) << 32) | info.nFileIndexLow,
                (std::uint64_t(info.nFileSizeHigh) << 32) | info.nFileSizeLow};
}

std::optional<std::string> ReadSmall(const std::string& host) {
  const HANDLE file =
      ::CreateFileW(Wide(host).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    const DWORD error = ::GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return std::nullopt;
    return std::string("<unreadable>");
  }
  std::string content;
  char buf[512];
  DWORD n = 0;
  while (::ReadFile(file, buf, sizeof buf, &n, nullptr) && n > 0 && content.size() < 4096) content.append(buf, n);
  ::CloseHandle(file);
  return content;
}

Moved MoveAside(const std::string& from, const std::string& to) {
  if (::MoveFileExW(Wide(from).c_str(), Wide(to).c_str(), MOVEFILE_WRITE_THROUGH)) return Moved::Moved;
  const DWORD error = ::GetLastError();
  // Another station moving or removing it at this moment: the next try sees.
  if (error == ERROR_FILE_NOT_FOUND || error == ERROR_SHARING_VIOLATION) return Moved::Gone;
  return Moved::Refused;
}

void PutBack(const std::string& aside, const std::string& host) {
  ::MoveFileExW(Wide(aside).c_str(), Wide(host).c_str(), MOVEFILE_WRITE_THROUGH);
}

void RemoveFile(const std::string& host) { ::DeleteFileW(Wide(host).c_str()); }

// The serial number of the volume the folder lives on, as GetVolumeInformationW
// gives it for the volume's root, read from the folder itself: no volume root
// to find first, and no raw device for the system to read.
std::optional<std::uint64_t> FolderVolume(const std::string& host) {
  if (host.empty()) return std::nullopt;
  const HANDLE folder = OpenForInfo(host);
  if (folder == INVALID_HANDLE_VALUE) return std::nullopt;
  BY_HANDLE_FILE_INFORMATION info{};
  const bool ok = ::GetFileInformationByHandle(folder, &info);
  ::CloseHandle(folder);
  if (!ok || !(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) return std::nullopt;
  return std::uint64_t(info.dwVolumeSerialNumber);
}

bool IsMountPoint(const std::string& host, std::uint64_t) {
  const std::optional<std::wstring> root = VolumeRoot(host);
  if (!root) return false;
  std::wstring folder = Wide(host);
  for (wchar_t& c : folder)
    if (c == L'/') c = L'\\';
  if (folder.empty() || folder.back() != L'\\') folder += L'\\';
  return ::CompareStringOrdinal(folder.c_str(), -1, root->c_str(), -1, TRUE) == CSTR_EQUAL;
}

}  // namespace ruvek::os
