#pragma once
// The programs under test as commands. RUVEK_EXE and RUVEK_NAVSIM in the
// environment, when set, name them as a command with any prefix, words split
// at spaces ("wine64 build-win/ruvek.exe" runs the Windows program under
// Wine); otherwise the programs this build made run.
#include <cstdlib>
#include <string>
#include <vector>

namespace ruvek::test {

inline std::vector<std::string> SplitWords(const std::string& text) {
  std::vector<std::string> words;
  std::string word;
  for (char c : text + " ") {
    if (c != ' ') {
      word += c;
    } else if (!word.empty()) {
      words.push_back(word);
      word.clear();
    }
  }
  return words;
}

// `variable` from the environment, split into words, else `builtIn`.
inline std::vector<std::string> CommandOf(const char* variable, const char* builtIn) {
  const char* given = std::getenv(variable);
  return given && *given ? SplitWords(given) : std::vector<std::string>{builtIn ? builtIn : ""};
}

// `variable` from the environment as it stands, else `builtIn`.
inline std::string TextOf(const char* variable, const char* builtIn) {
  const char* given = std::getenv(variable);
  return given && *given ? given : builtIn ? builtIn : "";
}

// True when the program under test runs through a prefix given in the
// environment (an emulator): what only the host's own program offers is skipped.
inline bool ExePrefixed() {
  const char* given = std::getenv("RUVEK_EXE");
  return given && *given;
}

// A program run through a prefix is the Windows one under Wine: it names a
// host file with backslashes and serial port N "COM<N>".
inline std::string ProgramHostPath(std::string hostPath) {
  if (ExePrefixed())
    for (char& c : hostPath)
      if (c == '/') c = '\\';
  return hostPath;
}
inline std::string ProgramSerialDevice(int port) {
  return ExePrefixed() ? "COM" + std::to_string(port) : "/dev/ttyS" + std::to_string(port - 1);
}

// The words quoted for sh, joined.
inline std::string ShellWords(const std::vector<std::string>& words) {
  std::string out;
  for (const std::string& w : words) {
    std::string quoted = "'";
    for (char c : w) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    out += (out.empty() ? "" : " ") + quoted + "'";
  }
  return out;
}

}  // namespace ruvek::test
