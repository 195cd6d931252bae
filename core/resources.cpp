#include "core/resources.h"

#include <dlfcn.h>
#include <unistd.h>

#include <filesystem>
#include <system_error>

namespace {

namespace fs = std::filesystem;

// The file the running code was loaded from: the shared library, or the program when the
// framework is linked statically.
fs::path libraryfile() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&resourcefolders), &info) == 0 || info.dli_fname == nullptr) return {};
    std::error_code error;
    const fs::path path = fs::canonical(info.dli_fname, error);
    return error ? fs::path(info.dli_fname) : path;
}

fs::path programfile() {
    std::error_code error;
    const fs::path path = fs::read_symlink("/proc/self/exe", error);
    return error ? fs::path() : path;
}

std::string folder(const fs::path& path) { return path.lexically_normal().string() + "/"; }

}  // namespace

std::vector<std::string> resourcefolders() {
    const fs::path program = programfile();
    const fs::path library = libraryfile();
    std::vector<std::string> folders;
    if (!program.empty()) {
        folders.push_back(folder(program.parent_path() / "resources"));
        folders.push_back(folder(program.parent_path() / ".." / "share" / program.filename()));
    }
    if (!library.empty()) {
        folders.push_back(folder(library.parent_path() / STANGENSPIEL_LIBRARY_TO_RESOURCES));
        folders.push_back(folder(library.parent_path() / "resources"));
    }
    folders.push_back(folder(STANGENSPIEL_BUILD_RESOURCES));
    return folders;
}

std::string resourcepath(const std::string& name) {
    for (const std::string& candidate : resourcefolders())
        if (::access((candidate + name).c_str(), R_OK) == 0) return candidate + name;
    const fs::path library = libraryfile();
    if (library.empty()) return folder(STANGENSPIEL_BUILD_RESOURCES) + name;
    return folder(library.parent_path() / STANGENSPIEL_LIBRARY_TO_RESOURCES) + name;
}
