// The tally file on disk.
#include "tallystore.h"

#include "lzrw1.h"
#include "safesave.h"

#include <cstdio>
#include <fstream>
#include <sstream>
#include <sys/stat.h>

namespace {

bool exists(const std::string& path) {
    struct stat info;
    return ::stat(path.c_str(), &info) == 0;
}

// The component names the stream it read from; the player is better served by the file's name.
[[noreturn]] void rethrowForFile(const ELzrw1Exception& error, const std::string& path) {
    const std::string message = error.what();
    if (message == "Lzrw1 decompression : input stream contains no valid header !") {
        throw ELzrw1Exception(path + " : Lzrw1 decompression : this file has no valid header !");
    }
    if (message == "Lzrw1 : Error reading from input stream !") {
        throw ELzrw1Exception("Lzrw1 : Error reading from input file : " + path);
    }
    throw;
}

// The fast coder, working between two streams in memory.
void setUpCoder(Tlzrw1& doit, std::istream& in, std::ostream& out) {
    doit.CompressMode = TCompressMode::Fast;
    doit.Visible = false;
    doit.UseStream = true;
    doit.InputStream = &in;
    doit.OutputStream = &out;
}

} // namespace

void TallyStore::load(TallyGrid& grid) {
    m_loadFailed = false;
    if (!exists(m_path)) {
        return;
    }
    try {
        std::ifstream file(m_path, std::ios::binary);
        if (!file) {
            throw ELzrw1Exception("Lzrw1 (de)compression : Failed to open input file : " + m_path);
        }
        std::ostringstream text;
        Tlzrw1 doit;
        setUpCoder(doit, file, text);
        try {
            doit.Decompress();
        } catch (const ELzrw1Exception& error) {
            rethrowForFile(error, m_path);
        }
        LoadGridText(grid, text.str());
    } catch (...) {
        m_loadFailed = true;
        throw;
    }
}

bool TallyStore::save(const TallyGrid& grid) {
    std::istringstream text(SaveGridText(grid));
    std::ostringstream packed;
    try {
        Tlzrw1 doit;
        setUpCoder(doit, text, packed);
        doit.Compress();
    } catch (const ELzrw1Exception&) {
        return false;
    }
    // A file that could not be read is kept for inspection before the first save replaces it.
    if (m_loadFailed && exists(m_path)) {
        if (std::rename(m_path.c_str(), damagedCopyPath().c_str()) != 0) {
            return false;
        }
    }
    m_loadFailed = false;
    return safesave::replace(m_path, packed.str(), true);
}
