// Runs a fetch through the transfer module, loaded beside the executable with the first fetch.
#include "fetchcore.h"

#include <climits>
#include <mutex>

#include <dlfcn.h>
#include <unistd.h>

namespace fetch {

namespace {

std::string programFolder() {
    char path[PATH_MAX];
    const ssize_t length = ::readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0)
        return ".";
    std::string folder(path, std::size_t(length));
    const std::size_t slash = folder.rfind('/');
    return slash == std::string::npos ? std::string(".") : folder.substr(0, slash);
}

RunFetch loadModule(std::string& error) {
    static std::once_flag once;
    static RunFetch entry = nullptr;
    static std::string loadError;
    std::call_once(once, [] {
        // Only the module built beside this executable is used, never one from the library
        // search path.
        const std::string path = programFolder() + "/" + SOLMARIN_HTTP_MODULE;
        void* module = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!module) {
            const char* why = ::dlerror();
            loadError = why ? why : "the network module cannot be loaded";
            return;
        }
        entry = reinterpret_cast<RunFetch>(::dlsym(module, kRunFetchSymbol));
        if (!entry)
            loadError = "the network module has no entry point";
    });
    error = loadError;
    return entry;
}

} // namespace

void run(const Settings& settings, Result& result, Control& control) {
    result = Result();
    std::string error;
    const RunFetch entry = loadModule(error);
    if (!entry) {
        result.error = error;
        return;
    }
    entry(settings, result, control);
}

} // namespace fetch
