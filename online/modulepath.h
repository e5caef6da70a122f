// Where the program's loadable modules lie: beside the executable in a build or a portable copy,
// in the program's own library folder once installed.
#pragma once

#include <string>

namespace modulepath {

// The folder of the running executable, "." when it cannot be told.
std::string programFolder();

// The module `fileName` beside the executable when it is there, otherwise in its installed place
// relative to the executable. Never the library search path: a module belongs to this build of
// the program.
std::string find(const std::string& fileName);

// Loads the module `fileName` from where find() places it. Returns its handle, or null with the
// loader's reason in `error` (`what` names the module in a reason of our own).
void* load(const std::string& fileName, const char* what, std::string& error);

} // namespace modulepath
