// Where the program keeps its own files: the folder of its executable.
#pragma once

#include <QString>

namespace paths {

// The folder that holds the running executable, unless a test has pointed the program elsewhere.
QString programFolder();

// Points the program's own files at another folder; an empty folder restores the default.
// Tests use it so that they never touch the files beside the real executable.
void setProgramFolder(const QString& folder);

// The full path of a file of the program's own, in the program folder.
QString beside(const QString& fileName);

} // namespace paths
