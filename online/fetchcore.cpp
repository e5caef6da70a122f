// The plain part of the background fetch: splitting an address, encoding query values, the
// request a fetch sends.
#include "fetchcore.h"

#include <cctype>

namespace fetch {

namespace {

bool startsWithNoCase(const std::string& text, const char* prefix) {
    std::size_t i = 0;
    for (; prefix[i]; ++i) {
        if (i >= text.size() || std::tolower(static_cast<unsigned char>(text[i])) != prefix[i])
            return false;
    }
    return true;
}

// A port is only taken when it is all digits and in range; anything else makes the address
// unusable rather than guessed at.
bool parsePort(const std::string& text, int& port) {
    if (text.empty() || text.size() > 5)
        return false;
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + (c - '0');
    }
    if (value < 1 || value > 65535)
        return false;
    port = value;
    return true;
}

} // namespace

UrlParts splitUrl(const std::string& url) {
    UrlParts parts;
    std::string rest = url;
    if (startsWithNoCase(rest, "http://")) {
        rest.erase(0, 7);
    } else if (startsWithNoCase(rest, "https://")) {
        rest.erase(0, 8);
        parts.tls = true;
        parts.port = 443;
    }
    const std::size_t slash = rest.find('/');
    if (slash == std::string::npos)
        return parts; // no path: nothing can be asked for
    std::string host = rest.substr(0, slash);
    parts.path = rest.substr(slash);
    const std::size_t colon = host.rfind(':');
    const std::size_t bracket = host.rfind(']'); // an IPv6 literal holds colons of its own
    if (colon != std::string::npos && (bracket == std::string::npos || colon > bracket)) {
        if (!parsePort(host.substr(colon + 1), parts.port))
            return parts;
        host.erase(colon);
    }
    parts.host = host;
    parts.valid = !host.empty();
    return parts;
}

std::string encodeQueryValue(const std::string& value) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(value.size());
    for (unsigned char c : value) {
        if (std::isalnum(c) && c < 0x80) {
            out += char(c);
        } else if (c == '-' || c == '.' || c == '_' || c == '~' || c == '/') {
            out += char(c);
        } else {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 15];
        }
    }
    return out;
}

std::vector<std::string> requestHeaders(const Settings& settings) {
    std::vector<std::string> headers;
    headers.push_back("Accept: " + settings.acceptTypes);
    if (!settings.useCache) {
        // Both spellings, so that neither an old nor a new cache in between answers for the
        // server.
        headers.push_back("Pragma: no-cache");
        headers.push_back("Cache-Control: no-cache");
    }
    if (!settings.postQuery.empty())
        headers.push_back("Content-Type: application/x-www-form-urlencoded");
    return headers;
}

} // namespace fetch
