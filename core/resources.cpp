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

// The first folder that holds a readable file of that name, as a path; empty when none does.
std::string firstreadable(const std::vector<std::string>& folders, const std::string& name) {
    for (const std::string& candidate : folders)
        if (::access((candidate + name).c_str(), R_OK) == 0) return candidate + name;
    return {};
}

// Where the framework's modules may lie: beside the library in its own folder (installed), beside
// the library or the program (build tree, a program that ships them), the installed folder (a
// statically linked program). The build tree's folder only for code that runs from the build tree:
// an installed library never loads code from where a build once was.
std::vector<std::string> modulefolders() {
    const fs::path library = libraryfile();
    const fs::path program = programfile();
    const std::string build = folder(STANGENSPIEL_BUILD_MODULES);
    std::vector<std::string> folders;
    if (!library.empty()) {
        folders.push_back(folder(library.parent_path() / "stangenspiel"));
        folders.push_back(folder(library.parent_path()));
    }
    if (!program.empty()) folders.push_back(folder(program.parent_path()));
    if (!library.empty() && folder(library.parent_path()).starts_with(build)) folders.push_back(build);
    folders.push_back(folder(STANGENSPIEL_INSTALLED_MODULES));
    return folders;
}

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
    if (std::string found = firstreadable(resourcefolders(), name); !found.empty()) return found;
    const fs::path library = libraryfile();
    if (library.empty()) return folder(STANGENSPIEL_BUILD_RESOURCES) + name;
    return folder(library.parent_path() / STANGENSPIEL_LIBRARY_TO_RESOURCES) + name;
}

std::string modulepath(const std::string& name) { return firstreadable(modulefolders(), name); }
