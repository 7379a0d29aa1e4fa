// The command line: help, version, and a desktop start without a display, run
// with a clean environment.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "harness/Command.h"

namespace ruvek::test {
namespace {

struct Ran {
  int code = -1;
  std::string out;
};

// Runs the program under `env -i` with `env` and `args`; standard error joins
// standard output after the marker "--err--".
// A program run through a prefix (an emulator) keeps what the prefix needs:
// PATH and the emulator's own variables (WINE...).
std::string PrefixEnvironment() {
  std::string kept;
  if (!ExePrefixed()) return kept;
  for (char** e = environ; *e; ++e) {
    const std::string var = *e;
    if (var.rfind("PATH=", 0) == 0 || var.rfind("WINE", 0) == 0) kept += ShellWords({var}) + " ";
  }
  return kept;
}

Ran RunClean(const std::string& env, const std::string& args) {
  const std::string cmd = "{ env -i " + PrefixEnvironment() + env + " " +
                          ShellWords(CommandOf("RUVEK_EXE", RUVEK_EXE)) + " " + args +
                          " 2>/tmp/ruvek-cli-err.$$; rc=$?; echo --err--; cat /tmp/ruvek-cli-err.$$; "
                          "rm -f /tmp/ruvek-cli-err.$$; exit $rc; } </dev/null";
  Ran r;
  FILE* pipe = ::popen(cmd.c_str(), "r");
  char buf[4096];
  for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, pipe)) > 0;) r.out.append(buf, n);
  const int status = ::pclose(pipe);
  r.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return r;
}

TEST(CommandLine, HelpVersionBadOptionAndNoDisplay) {
  struct Case {
    const char* env;
    const char* args;
    int code;
    const char* out;  // expected in standard output
    const char* err;  // expected in standard error
  } cases[] = {
      {"", "--help", 0, "  --headless", ""},
      {"", "--help", 0, "RUVEK_ROOT", ""},
      {"", "--help", 0, "C/RuvekGPS/RuvekGPS.cfg", ""},
      {"", "--version", 0, "ruvek " RUVEK_VERSION_TEXT "\n", ""},
      {"", "--bogus", 2, "", "usage: ruvek"},
      {"HOME=/nonexistent", "", 1, "", "use --headless"},
      {"HOME=/nonexistent", "--root /nonexistent", 1, "", "ruvek: "},
      {"HOME=/nonexistent QT_QPA_PLATFORM=xcb", "--root /nonexistent", 1, "", "use --headless"},
      // A display that is named but does not answer.
      {"HOME=/nonexistent DISPLAY=:7913", "--root /nonexistent", 1, "", "use --headless"},
  };
  for (const Case& c : cases) {
    const Ran r = RunClean(c.env, c.args);
    const std::size_t mark = r.out.find("--err--\n");
    ASSERT_NE(std::string::npos, mark) << r.out;
    const std::string out = r.out.substr(0, mark), err = r.out.substr(mark + 8);
    EXPECT_EQ(c.code, r.code) << c.args << "\n" << r.out;
    EXPECT_NE(std::string::npos, out.find(c.out)) << c.args << "\n" << out;
    EXPECT_NE(std::string::npos, err.find(c.err)) << c.args << "\n" << err;
    // The message of a start without a display is one line.
    if (c.code == 1) {
      EXPECT_EQ(1, std::count(err.begin(), err.end(), '\n')) << err;
    }
  }
}

}  // namespace
}  // namespace ruvek::test
