#pragma once
// Process ids for the tests of what the program does with another process's
// id (its temporary files, a lock it left): this process's, one of a process
// that has ended, and one of a process that still runs.
#ifdef _WIN32
#include <windows.h>
#else
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <string>

namespace ruvek::test {

#ifdef _WIN32
// A command processor started suspended: it runs, and does nothing.
inline PROCESS_INFORMATION StartIdle() {
  wchar_t folder[MAX_PATH] = {};
  ::GetSystemDirectoryW(folder, MAX_PATH);
  std::wstring command = std::wstring(folder) + L"\\cmd.exe";
  STARTUPINFOW start{};
  start.cb = sizeof start;
  PROCESS_INFORMATION process{};
  ::CreateProcessW(command.c_str(), command.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, nullptr, &start,
                   &process);
  return process;
}

inline long OwnProcessId() { return long(::GetCurrentProcessId()); }

inline long EndedProcessId() {
  const PROCESS_INFORMATION process = StartIdle();
  ::TerminateProcess(process.hProcess, 0);
  ::WaitForSingleObject(process.hProcess, INFINITE);
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);
  return long(process.dwProcessId);
}

inline long RunningProcessId() {
  static const struct Idle {
    PROCESS_INFORMATION process = StartIdle();
    ~Idle() { ::TerminateProcess(process.hProcess, 0); }
  } idle;
  return long(idle.process.dwProcessId);
}
#else
inline long OwnProcessId() { return long(::getpid()); }

inline long EndedProcessId() {
  const pid_t ended = ::fork();
  if (ended == 0) ::_exit(0);
  ::waitpid(ended, nullptr, 0);
  return long(ended);
}

inline long RunningProcessId() { return long(::getppid()); }
#endif

}  // namespace ruvek::test
