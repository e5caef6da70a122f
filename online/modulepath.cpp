// Where the program's loadable modules lie.
#include "modulepath.h"

#include <climits>

#include <dlfcn.h>
#include <unistd.h>

namespace modulepath {

std::string programFolder() {
    char path[PATH_MAX];
    const ssize_t length = ::readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0)
        return ".";
    const std::string file(path, std::size_t(length));
    const std::size_t slash = file.rfind('/');
    return slash == std::string::npos ? std::string(".") : file.substr(0, slash);
}

std::string find(const std::string& fileName) {
    const std::string folder = programFolder();
    const std::string beside = folder + "/" + fileName;
    if (::access(beside.c_str(), F_OK) == 0)
        return beside;
    return folder + "/" + SOLMARIN_MODULES_FROM_BIN + "/" + fileName;
}

void* load(const std::string& fileName, const char* what, std::string& error) {
    const std::string path = find(fileName);
    void* module = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!module) {
        const char* why = ::dlerror();
        error = why ? why : std::string("the ") + what + " cannot be loaded";
    }
    return module;
}

} // namespace modulepath
