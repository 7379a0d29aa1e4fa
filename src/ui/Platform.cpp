#include "ui/Platform.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <string_view>
#include <thread>

#include "os/Os.h"

namespace ruvek::ui {

const char* ButtonsName(Buttons b) {
  switch (b) {
    case Buttons::OK: return "OK";
    case Buttons::YesNo: return "YesNo";
    case Buttons::YesNoCancel: return "YesNoCancel";
  }
  return "OK";
}

const char* IconName(Icon i) {
  switch (i) {
    case Icon::None: return "none";
    case Icon::Warning: return "warning";
    case Icon::Error: return "error";
    case Icon::Exclamation: return "exclamation";
    case Icon::Information: return "information";
    case Icon::Question: return "question";
  }
  return "none";
}

const char* AnswerName(Answer a) {
  switch (a) {
    case Answer::OK: return "OK";
    case Answer::Yes: return "Yes";
    case Answer::No: return "No";
    case Answer::Cancel: return "Cancel";
  }
  return "OK";
}

PrintResult Platform::printLog(const os::PrintDocument& doc) {
  PrintResult result;
  const auto path = saveFileDialog(doc.folder);
  if (!path) return result;
  result.where = *path;
  try {
    files().replace(*path, os::PdfOfPages(os::LayOutPages(doc), os::PageSize{}, doc.title));
    result.outcome = PrintResult::Printed;
  } catch (const os::FileError& e) {
    result.outcome = PrintResult::Failed;
    result.error = e.what();
  }
  return result;
}

void Platform::realWait(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

std::optional<std::string> EditorProgram() {
  for (const char* var : {"VISUAL", "EDITOR"}) {
    const char* value = std::getenv(var);
    if (value && *value) return value;
  }
  return os::DefaultEditor();
}

}  // namespace ruvek::ui
