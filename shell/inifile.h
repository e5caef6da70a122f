// The settings file: reading and writing single keys of an INI file, one call per key.
#pragma once

#include <stdexcept>
#include <string>

namespace inifile {

// A write the system refused. The message is "Unable to write to " and the file's full path.
class EIniFileException : public std::runtime_error {
public:
    explicit EIniFileException(const std::string& path);
    const std::string& path() const { return m_path; }

private:
    std::string m_path;
};

// The longest value handed back by a read; the rest of a longer value is cut off.
constexpr std::size_t kMaxValueLength = 2047;

// Section and key names match without regard to (ASCII) case; the value is the text after the
// first "=" with surrounding blanks removed. A file, section or key that is missing gives
// `defaultValue`, and so does a file that cannot be read.
std::string readString(const std::string& path, const std::string& section, const std::string& key,
                       const std::string& defaultValue);

// A value of more than two characters starting "0x" or "0X" is hexadecimal; anything else is
// decimal with an optional sign. A missing key, an empty value or a value that does not convert
// to an int gives `defaultValue`.
int readInt(const std::string& path, const std::string& section, const std::string& key,
            int defaultValue);

// Replaces the key's value in place, or adds the key at the end of its section, creating the
// section and the file as needed. Every other byte of the file stays as it was, and its line
// ends (CR LF or LF) are kept. The new contents replace the old in one step, so a failed write
// leaves the old file untouched; in a folder that takes no new file, a writable file is rewritten
// in place. Throws EIniFileException when the file cannot be written, and
// std::invalid_argument for a section or key name that could not be read back (empty, or
// holding a line break, "]" in a section or "=" in a key). Line breaks inside the value become
// blanks, so a value can never start a line of its own.
void writeString(const std::string& path, const std::string& section, const std::string& key,
                 const std::string& value);

// writeString with the decimal form of `value`.
void writeInt(const std::string& path, const std::string& section, const std::string& key,
              int value);

} // namespace inifile
