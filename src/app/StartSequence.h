#pragma once
#include <string>

#include "os/FileSystem.h"
#include "windows/MainWindow.h"
#include "windows/Station.h"

namespace ruvek {

// Loads the main window: reads the configuration, lays the window out for its
// modes, fills the pickers and lists, preloads the grid, loads the event
// number, shows the window and asks whether to start.
void FormLoad(Station& s);

// Applies the comment options file (eleven lines: three groups, each a
// heading and its options) to the condition groups. Throws os::FileError when
// the file cannot be read or holds fewer than eleven lines.
void ApplyCommentOptions(const os::FileSystem& fs, const std::string& path, Conditions& conditions);

}  // namespace ruvek
