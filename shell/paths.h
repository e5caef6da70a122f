// Where the program keeps its own files: beside its executable when it may write there (a copy
// unpacked into a folder of its own), otherwise in the player's folders (an install under /usr).
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

// Whether a new file can be made in `folder`. Tried for real, since neither the permission bits
// nor access(2) tell root that a folder is immutable or on a read-only mount.
bool canCreateIn(const QString& folder);

// Whether the file at `path` exists and may be written.
bool canWrite(const QString& path);

// The player's folders, by the XDG rules: the variable when it holds an absolute path, otherwise
// ~/.config, ~/.local/share and the temporary folder.
QString configHome();
QString dataHome();

// Where the settings file and the tally file live. Beside the executable when the file stands
// there and may be written, or when the program folder takes new files; otherwise in the
// program's folder under configHome() or dataHome(), which is made when missing. Asked anew at
// every call, so a file moved in or out between runs is followed.
QString settingsFile(const QString& fileName);
QString dataFile(const QString& fileName);

// The file whose lock marks a running copy for other processes: in the runtime folder, never
// beside the executable, since the mark is one per player whichever copy runs.
QString lockFile(const QString& name);

} // namespace paths
