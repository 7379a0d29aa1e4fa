#pragma once
// The configuration editor FrmEditCFG: configuration rows 1 to 21 as a form of
// labelled fields, to change, save and take into effect with a restart of the
// main window.
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "core/Config.h"
#include "ui/Controls.h"

namespace ruvek {

// The drop-down of a configuration row that has keywords, and the keywords it
// offers; the operator may also type another value.
struct KeywordField {
  int row;
  int index;  // Combo1(index)
  std::vector<std::string> keywords;
};
const std::vector<KeywordField>& KeywordFields();

struct ConfigEditorWindow {
  ConfigEditorWindow();

  ui::Form form{"FrmEditCFG"};
  // The field of configuration row k, 1 to 21: the text box Text1(k) or, for a
  // row with keywords, its drop-down Combo1(i). Slot 0 is unused.
  std::array<ui::EditableText*, kConfigRowsWritten + 1> fields{};
  // Label1(k), the row's caption, and lblWarn(k), shown beside a field that
  // names a directory or file that does not exist or holds no usable number.
  std::array<ui::Label*, kConfigRowsWritten + 1> labels{};
  std::array<ui::Label*, kConfigRowsWritten + 1> warnings{};
  ui::TextBox& study;    // Text1(2): typing into it starts a new cruise
  ui::TextBox& dataDir;  // Text1(3)
  ui::TextBox& navDir;   // Text1(4)
  ui::Button& save;      // Command1(0) "Update/Save"
  ui::Button& close;     // Command1(1) "Close Window"

  // A key was typed into the Study field since the last save; closing the
  // window without saving keeps it.
  bool studyEdited = false;
  // The rows in memory as the fields were last filled with them: a field that
  // still shows its row has not been changed by the operator.
  CruiseConfig shownRows;
  // The rows last saved from the fields, until the fields are filled again: a
  // field that holds its saved row has nothing left to save.
  std::optional<CruiseConfig> savedRows;
  // The fields are being filled: their marks are shown once, at the end.
  bool filling = false;
};

}  // namespace ruvek
