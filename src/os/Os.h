#pragma once
// The services of the operating system the os layer uses besides its
// file operations (FileSystem): who this machine and process are, whether a
// process still runs, the local time, the environment, the defaults that
// differ between systems, the share lock's file primitives and the volume a
// folder lives on. OsPosix.cpp and OsWindows.cpp implement them and CMake
// builds one; every path here is a host path (FileSystem::hostPath), UTF-8.
#include <cstdint>
#include <ctime>
#include <optional>
#include <string>

namespace ruvek::os {

// This computer's name as the system gives it; "unknown" when it gives none.
const std::string& HostName();
// Tells this machine's boots apart, so that a process id is only ever checked
// in the boot that gave it; empty when the system cannot tell.
const std::string& BootId();
long ProcessId();
// True when no process of this id runs on this machine (any more).
bool ProcessGone(long pid);

std::tm LocalTime(std::time_t t);
std::tm UtcTime(std::time_t t);
void SetEnvironment(const std::string& name, const std::string& value);
// Runs `command` with /bin/sh -c, RUVEK_ROOT passed on, and waits for it;
// returns its exit status. Windows has no /bin/sh: under Wine the host's own
// shell runs it, on Windows itself the command processor (cmd.exe).
int RunShell(const std::string& command);
// Standard input, output and error carry bytes as they are: no CR is added
// before a LF or taken from one (Windows' text mode would).
void UseBinaryStandardStreams();

// The folder that stands for the drive letters when neither --root nor
// RUVEK_ROOT names one; empty where the drive letters are real.
std::string DefaultDriveRoot();
// The device of serial port number `port`: /dev/ttyS<port-1>, or COM7 and
// \\.\COM12 on Windows (names above COM9 need the device prefix).
std::string DefaultSerialDevice(int port);
// The program that opens a text file when the operator names no editor;
// nothing when the system has none.
std::optional<std::string> DefaultEditor();

// Tells one file from another at the same path: a file the path names later
// with another identity is another file.
struct FileId {
  std::uint64_t volume = 0, file = 0, size = 0;
  bool operator==(const FileId&) const = default;
};

// Creates the file `host` exclusively, with `content` (which may go out short
// on a full drive: the file is made all the same). Exists: another holder made
// it first. Failed: the folder takes no new file.
enum class Made { Made, Exists, Failed };
Made CreateExclusive(const std::string& host, const std::string& content, FileId& id);
std::optional<FileId> IdOf(const std::string& host);
// The content of a small file, at most a few KiB of it; nothing when there is
// no such file; "<unreadable>" when it is there and cannot be read.
std::optional<std::string> ReadSmall(const std::string& host);
// Renames `from` to the new name `to`. Gone: `from` was not there (any more).
enum class Moved { Moved, Gone, Refused };
Moved MoveAside(const std::string& from, const std::string& to);
// Gives `aside` its name `host` again, unless a file has that name now.
void PutBack(const std::string& aside, const std::string& host);
void RemoveFile(const std::string& host);

// The volume (file system) the folder `host` lives on; nothing when it is no
// folder.
std::optional<std::uint64_t> FolderVolume(const std::string& host);
// True when the folder is the root of its volume, where a file system is
// mounted (a drive's root on Windows).
bool IsMountPoint(const std::string& host, std::uint64_t volume);

}  // namespace ruvek::os
