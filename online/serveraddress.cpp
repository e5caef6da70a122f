// Where the program finds its web server.
#include "serveraddress.h"

#include "fetchcore.h"

#include <mutex>

namespace serveraddress {

namespace {

std::mutex& lock() {
    static std::mutex mutex;
    return mutex;
}

std::string& configured() {
    static std::string base;
    return base;
}

} // namespace

std::string defaultHost() {
    return SOLMARIN_SERVER_HOST;
}

std::string parse(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    std::string trimmed = text.substr(first, text.find_last_not_of(" \t") - first + 1);
    // A closing "/" is allowed; anything after the host and port is not.
    if (trimmed.back() == '/')
        trimmed.pop_back();
    const fetch::UrlParts parts = fetch::splitUrl(trimmed + "/");
    if (!parts.valid || parts.path != "/")
        return {};
    for (char c : parts.host) {
        const bool allowed = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                             (c >= '0' && c <= '9') || c == '-' || c == '.' || c == '[' ||
                             c == ']' || c == ':';
        if (!allowed)
            return {};
    }
    std::string base = (parts.tls ? "https://" : "http://") + parts.host;
    if (parts.port != (parts.tls ? 443 : 80))
        base += ":" + std::to_string(parts.port);
    return base;
}

void setConfigured(const std::string& text) {
    const std::lock_guard<std::mutex> hold(lock());
    configured() = parse(text);
}

std::string baseUrl() {
    {
        const std::lock_guard<std::mutex> hold(lock());
        if (!configured().empty())
            return configured();
    }
    return "http://" + defaultHost();
}

} // namespace serveraddress
