// The settings file: reading and writing single keys of an INI file, one call per key.
#include "inifile.h"

#include "safesave.h"

#include <charconv>
#include <climits>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string_view>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace inifile {

EIniFileException::EIniFileException(const std::string& path)
    : std::runtime_error("Unable to write to " + path), m_path(path) {}

namespace {

constexpr std::string_view kBlanks = " \t";
// Some editors put a byte order mark before the first section header.
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(kBlanks);
    return text.substr(first, last - first + 1);
}

bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) {
            return false;
        }
    }
    return true;
}

// One line of the file: its text without the line end, and where it starts and ends (the end
// includes the line end, so the bytes between lines are never lost).
struct Line {
    std::size_t begin;
    std::size_t textEnd;
    std::size_t end;
};

enum class LineKind { Section, Key, Other };

struct Parsed {
    LineKind kind = LineKind::Other;
    std::string_view name; // section or key name, trimmed
    std::string_view value;
};

std::vector<Line> splitLines(const std::string& content) {
    std::vector<Line> lines;
    std::size_t pos = 0;
    while (pos < content.size()) {
        const auto newline = content.find('\n', pos);
        if (newline == std::string::npos) {
            lines.push_back({pos, content.size(), content.size()});
            break;
        }
        const bool crlf = newline > pos && content[newline - 1] == '\r';
        lines.push_back({pos, crlf ? newline - 1 : newline, newline + 1});
        pos = newline + 1;
    }
    return lines;
}

Parsed parseLine(std::string_view text, bool firstLine) {
    if (firstLine && text.substr(0, kUtf8Bom.size()) == kUtf8Bom) {
        text.remove_prefix(kUtf8Bom.size());
    }
    text = trimmed(text);
    Parsed parsed;
    if (text.empty() || text.front() == ';' || text.front() == '#') {
        return parsed;
    }
    if (text.front() == '[') {
        const auto close = text.find(']');
        if (close != std::string_view::npos) {
            parsed.kind = LineKind::Section;
            parsed.name = trimmed(text.substr(1, close - 1));
        }
        return parsed;
    }
    const auto equals = text.find('=');
    if (equals != std::string_view::npos) {
        parsed.kind = LineKind::Key;
        parsed.name = trimmed(text.substr(0, equals));
        parsed.value = trimmed(text.substr(equals + 1));
    }
    return parsed;
}

// Where a section and a key sit in the file. Only the first section of a name counts, and in it
// only the first key of a name, so a file edited by hand into duplicates reads predictably.
struct Location {
    bool sectionFound = false;
    std::size_t sectionLine = 0;
    std::size_t lastContentLine = 0; // the last non-blank line of the section (its header at least)
    bool keyFound = false;
    std::size_t keyLine = 0;
    std::string_view value;
};

Location locate(const std::string& content, const std::vector<Line>& lines,
                std::string_view section, std::string_view key) {
    Location where;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string_view text(content.data() + lines[i].begin,
                                    lines[i].textEnd - lines[i].begin);
        const Parsed parsed = parseLine(text, i == 0);
        if (!where.sectionFound) {
            if (parsed.kind == LineKind::Section && sameName(parsed.name, section)) {
                where.sectionFound = true;
                where.sectionLine = where.lastContentLine = i;
            }
            continue;
        }
        if (parsed.kind == LineKind::Section) {
            break;
        }
        if (!trimmed(text).empty()) {
            where.lastContentLine = i;
        }
        if (!where.keyFound && parsed.kind == LineKind::Key && sameName(parsed.name, key)) {
            where.keyFound = true;
            where.keyLine = i;
            where.value = parsed.value;
        }
    }
    return where;
}

// Reads a whole regular file. Anything else (a folder, a device, a pipe that would block) counts
// as unreadable.
bool readWholeFile(const fs::path& path, std::string& content) {
    std::error_code error;
    if (!fs::is_regular_file(path, error)) {
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return false;
    }
    std::ostringstream buffer;
    buffer << in.rdbuf();
    if (in.bad()) {
        return false;
    }
    content = std::move(buffer).str();
    return true;
}

// The line end of the file's first line, so added lines match the ones already there.
std::string_view lineEndOf(const std::string& content) {
    const auto newline = content.find('\n');
    if (newline != std::string::npos && newline > 0 && content[newline - 1] == '\r') {
        return "\r\n";
    }
    return "\n";
}

std::string withKey(const std::string& content, std::string_view section, std::string_view key,
                    std::string_view value) {
    const std::vector<Line> lines = splitLines(content);
    const Location where = locate(content, lines, section, key);
    const std::string_view eol = lineEndOf(content);
    const std::string entry = std::string(key) + "=" + std::string(value);

    if (where.keyFound) {
        const Line& line = lines[where.keyLine];
        return content.substr(0, line.begin) + entry + content.substr(line.textEnd);
    }
    std::string insertion;
    std::size_t at = content.size();
    if (where.sectionFound) {
        at = lines[where.lastContentLine].end;
    } else {
        insertion = "[" + std::string(section) + "]" + std::string(eol);
    }
    insertion += entry + std::string(eol);
    // The last line of a file may lack its line end; it needs one before anything follows it.
    if (at == content.size() && !content.empty() && content.back() != '\n') {
        insertion.insert(0, eol);
    }
    return content.substr(0, at) + insertion + content.substr(at);
}

// A name that the reader would not find again (or would take for something else) is refused.
void checkName(std::string_view name, std::string_view forbidden, const char* what) {
    if (trimmed(name).empty() || name.find_first_of(forbidden) != std::string_view::npos ||
        trimmed(name).size() != name.size() || name.front() == ';' || name.front() == '#') {
        throw std::invalid_argument(std::string("unusable settings ") + what + " name \"" +
                                    std::string(name) + "\"");
    }
}

} // namespace

std::string readString(const std::string& path, const std::string& section, const std::string& key,
                       const std::string& defaultValue) {
    std::string content;
    if (!readWholeFile(path, content)) {
        return defaultValue;
    }
    const std::vector<Line> lines = splitLines(content);
    const Location where = locate(content, lines, section, key);
    if (!where.keyFound) {
        return defaultValue;
    }
    return std::string(where.value.substr(0, kMaxValueLength));
}

int readInt(const std::string& path, const std::string& section, const std::string& key,
            int defaultValue) {
    const std::string text = readString(path, section, key, std::string());
    std::string_view digits = text;
    int base = 10;
    if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
        digits.remove_prefix(2);
        base = 16;
    } else if (!digits.empty() && digits[0] == '+') {
        // from_chars takes a minus sign but not a plus sign.
        digits.remove_prefix(1);
        if (!digits.empty() && (digits[0] == '-' || digits[0] == '+')) {
            return defaultValue;
        }
    }
    if (digits.empty() || (base == 16 && digits[0] == '-')) {
        return defaultValue;
    }
    int value = 0;
    const auto [end, error] =
        std::from_chars(digits.data(), digits.data() + digits.size(), value, base);
    if (error != std::errc() || end != digits.data() + digits.size()) {
        return defaultValue;
    }
    return value;
}

void writeString(const std::string& path, const std::string& section, const std::string& key,
                 const std::string& value) {
    if (path.empty()) {
        throw EIniFileException(path);
    }
    checkName(section, "[]\r\n", "section");
    checkName(key, "=[\r\n", "key");
    std::string safeValue = value;
    for (char& c : safeValue) {
        if (c == '\r' || c == '\n') {
            c = ' ';
        }
    }

    std::error_code error;
    const std::string fullPath = fs::absolute(path, error).string();
    const std::string& shownPath = fullPath.empty() ? path : fullPath;
    // A link to the settings file stays a link: the file it points to gets the new contents.
    fs::path target = path;
    if (fs::is_symlink(target, error)) {
        target = fs::weakly_canonical(target, error);
        if (error) {
            throw EIniFileException(shownPath);
        }
    }

    std::string content;
    struct stat original {};
    const bool exists = ::stat(target.c_str(), &original) == 0;
    if (exists) {
        if (!S_ISREG(original.st_mode) || !readWholeFile(target, content)) {
            throw EIniFileException(shownPath);
        }
        // Renaming over a write-protected file would succeed; the file's own protection decides.
        const int probe = ::open(target.c_str(), O_WRONLY | O_CLOEXEC);
        if (probe < 0) {
            throw EIniFileException(shownPath);
        }
        ::close(probe);
    }
    // The new file is not forced to the disk before it takes the old one's name: a save is six
    // such writes on the GUI thread, and forcing each one cost some 7 ms even on a fast disk.
    // The cost of leaving it out is at worst the settings of the last save after a power failure.
    if (!safesave::replace(target.string(), withKey(content, section, key, safeValue), false)) {
        throw EIniFileException(shownPath);
    }
}

void writeInt(const std::string& path, const std::string& section, const std::string& key,
              int value) {
    writeString(path, section, key, std::to_string(value));
}

} // namespace inifile
