// The program's command-line arguments as UTF-8, without the program name.
#pragma once

#include <string>
#include <vector>

namespace folvane {

// On Windows the arguments are read as the system holds them, in UTF-16:
// main()'s narrow arguments would have passed through the ANSI code page
// and lost every character of a path that code page lacks.
std::vector<std::string> ProgramArguments(int argc, char** argv);

}  // namespace folvane
