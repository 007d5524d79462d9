// Starting other programs without waiting for them.
#pragma once

#include <optional>
#include <string>

namespace folvane {

class ProgramLauncher {
  public:
    virtual ~ProgramLauncher() = default;
    // True when `path` names an existing file (not a folder).
    virtual bool FileExists(const std::string& path) const = 0;
    // Starts the program at `path` in a normal, activated window and
    // returns at once; false when it could not be started.
    virtual bool Start(const std::string& path) = 0;
    // Where the registry does not say where the system-information tool
    // is: the first of the desktops' common system-information programs
    // found on the search path; nothing when there is none.
    virtual std::optional<std::string> FindSystemInfoProgram() const = 0;
};

ProgramLauncher& SystemLauncher();

}  // namespace folvane
