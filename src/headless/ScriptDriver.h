#pragma once
// The operator-script driver of `ruvek --headless`: reads one command a line,
// acts on the program as an operator would and prints what the program shows.
#include <istream>
#include <ostream>

#include "headless/HeadlessPlatform.h"
#include "ui/Application.h"

namespace ruvek::ui {

// Runs the script to its end and returns the exit code: 0 at the end of the
// script or when the program ends itself, 2 for a script error, 3 for an
// unanswered message box. Without `allowShell` the `sh` command runs nothing
// (for scripts from an untrusted source, such as a fuzzer's).
int RunScript(std::istream& script, std::ostream& out, std::ostream& err, Application& app, HeadlessPlatform& platform,
              bool allowShell = true);

}  // namespace ruvek::ui
