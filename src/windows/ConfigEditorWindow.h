#pragma once
// The configuration editor FrmEditCFG: the rows of the configuration file for
// the operator to change.
#include "platform/Controls.h"

namespace ruvek {

struct ConfigEditorWindow {
  ConfigEditorWindow();
  ConfigEditorWindow(const ConfigEditorWindow&) = delete;
  ConfigEditorWindow& operator=(const ConfigEditorWindow&) = delete;

  ui::Form form{"FrmEditCFG"};
};

}  // namespace ruvek
