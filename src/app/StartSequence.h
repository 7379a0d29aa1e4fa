#pragma once
#include "windows/MainWindow.h"

namespace ruvek {

// Loads the main window: reads the configuration, lays the window out for its
// modes, fills the pickers and lists, preloads the grid, loads the event
// number, shows the window and asks whether to start.
void FormLoad(MainWindow& w);

// Applies the comment options file (eleven lines: three groups, each a
// heading and its options) to the condition groups. Throws ui::FileError when
// the file cannot be read or holds fewer than eleven lines.
void ApplyCommentOptions(MainWindow& w, const std::string& path);

}  // namespace ruvek
