#pragma once
#include <string>
namespace ruvek::ui { int RunDesktop(int argc, char** argv, const std::string& root); }
