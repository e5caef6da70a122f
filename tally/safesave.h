// Saving a small file of the program's own (the settings, the tally) so that a reader sees
// either its old contents or its new ones, in whatever folder it lives.
#pragma once

#include <string>

namespace safesave {

// Replaces the contents of the file at `path` with `data`.
//
// The new contents go to a new file beside the old one, whose name is unique to this process
// and made by exclusive creation (so two copies of the program saving at once never write into
// one file), and which then takes the old file's name in one step. An existing file keeps its
// permissions and, where allowed, its owner. `syncFirst` forces the new file to the disk before
// it takes the name.
//
// Where no new file can be made in the folder but the file itself is writable, the file is
// rewritten in place and flushed to the disk; should that fail halfway, the old contents are put
// back as far as the disk allows.
//
// Returns false when the contents could not be replaced.
bool replace(const std::string& path, const std::string& data, bool syncFirst);

// Removes the new files that saves of `path` by processes no longer running left behind (a save
// cut short by a crash or a power cut), and returns how many. Files of a running process, of
// another user, or not made by a save are left alone. One pass over the folder.
int removeLeftovers(const std::string& path);

} // namespace safesave
