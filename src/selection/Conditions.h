#pragma once
// The condition options beside the pickers (sea conditions, day or night,
// station type) and the comments box they write into.
#include "windows/MainWindow.h"

namespace ruvek {

// Option3 is the sea-conditions group, Option4 day or night, Option5 the
// station type. A click puts the option's comment text (its tooltip) into the
// comments; a double click takes it out again and clears the option.
void Option3_Click(MainWindow& w, int index);
void Option4_Click(MainWindow& w, int index);
void Option5_Click(MainWindow& w, int index);
void Option3_DblClick(MainWindow& w, int index);
void Option4_DblClick(MainWindow& w, int index);
void Option5_DblClick(MainWindow& w, int index);
// Runs after every change of the comments box: ":;" and ";;" are folded away.
void txtComments_Change(MainWindow& w);

// Connects the three groups and the comments box.
void WireConditions(MainWindow& w);

}  // namespace ruvek
