// The tally file: the table's text form compressed with the fast codec, kept beside the
// executable.
#pragma once

#include "tallygrid.h"

#include <string>

class TallyStore {
public:
    explicit TallyStore(std::string path) : m_path(std::move(path)) {}

    const std::string& path() const { return m_path; }
    std::string damagedCopyPath() const { return m_path + ".bad"; }

    // Reads the file into `grid`. No file leaves the grid as it is. A file that cannot be read
    // throws the codec's or the text form's error, leaving the grid with what was read so far.
    void load(TallyGrid& grid);

    // Writes the grid's text form, compressed, in place of the file. The new file is written
    // beside the old one and takes its place only once complete, so a failed save keeps the
    // previous tally; in a folder that takes no new file the file is rewritten in place.
    // Returns false on failure.
    bool save(const TallyGrid& grid);

private:
    std::string m_path;
    bool m_loadFailed = false; // the file on disk could not be read: keep it before replacing it
};
