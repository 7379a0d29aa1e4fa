#include "windows/ConfigEditorWindow.h"

namespace ruvek {

ConfigEditorWindow::ConfigEditorWindow() {
  form.caption = "C:\\RuvekGPS.cfg Current Settings";
  form.geo = {0, 0, 520, 640};
}

}  // namespace ruvek
