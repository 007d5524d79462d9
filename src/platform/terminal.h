// Whether standard error is a terminal, for the command line's progress line.
#pragma once

namespace folvane {

bool StandardErrorIsTerminal();

}  // namespace folvane
