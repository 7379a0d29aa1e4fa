#pragma once
// The configuration editor FrmEditCFG: the rows of the configuration file for
// the operator to change.
#include "platform/Controls.h"

namespace ruvek {

struct ConfigEditorWindow {
  ConfigEditorWindow();

  ui::Form form{"FrmEditCFG"};
};

}  // namespace ruvek
