#include "ui/qt/QtFrontEnd.h"
namespace ruvek::ui { int RunDesktop(int, char**, const std::string&) { return 2; } }
