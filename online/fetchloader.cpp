// Runs a fetch through the transfer module, loaded with the first fetch.
#include "fetchcore.h"
#include "modulepath.h"

#include <mutex>

#include <dlfcn.h>

namespace fetch {

namespace {

RunFetch loadModule(std::string& error) {
    static std::once_flag once;
    static RunFetch entry = nullptr;
    static std::string loadError;
    std::call_once(once, [] {
        void* module = modulepath::load(SOLMARIN_HTTP_MODULE, "network module", loadError);
        if (!module)
            return;
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
