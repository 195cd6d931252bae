// The desktop's sound: the sound module, loaded at the first sound so that its audio libraries
// (and everything they pull in) stay out of every launch, and the desktop beep.
#include <dlfcn.h>

#include <QApplication>

#include <array>
#include <mutex>
#include <string>

#include "core/resources.h"
#include "host/host.h"

namespace {

constexpr const char* modulename = "stangenspiel_sound.so";
constexpr int64_t outputlatencyms = 30;
constexpr int64_t openingtimeoutms = 5000;  // a sound server that does not answer by then never will

// The module's entries, looked up once; all empty when it could not be loaded.
struct t_SoundModule {
    bool (*OpenOutput)(host::t_AudioRender, int64_t, int64_t, char*, int64_t) = nullptr;
    void (*CloseOutput)() = nullptr;
    void (*WakeOutput)() = nullptr;
    void* (*OpenFile)(const char*, int64_t*, int64_t*, char*, int64_t) = nullptr;
    int64_t (*ReadFile)(void*, float*, int64_t) = nullptr;
    void (*CloseFile)(void*) = nullptr;
    std::string Problem;  // why it is unusable
};

template <typename Entry>
void lookup(void* module, const char* name, Entry& entry) {
    entry = module ? reinterpret_cast<Entry>(dlsym(module, name)) : nullptr;
}

t_SoundModule loadmodule() {
    t_SoundModule entries;
    const std::string path = modulepath(modulename);
    void* module = path.empty() ? nullptr : dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    lookup(module, "stangenspiel_openoutput", entries.OpenOutput);
    lookup(module, "stangenspiel_closeoutput", entries.CloseOutput);
    lookup(module, "stangenspiel_wakeoutput", entries.WakeOutput);
    lookup(module, "stangenspiel_openfile", entries.OpenFile);
    lookup(module, "stangenspiel_readfile", entries.ReadFile);
    lookup(module, "stangenspiel_closefile", entries.CloseFile);
    if (!entries.OpenOutput || !entries.CloseOutput || !entries.WakeOutput || !entries.OpenFile || !entries.ReadFile || !entries.CloseFile) {
        const char* why = path.empty() ? "no such file" : dlerror();
        entries = t_SoundModule{};
        entries.Problem = std::string("sound module ") + modulename + " unusable (" + (why ? why : "?") + ")";
    }
    return entries;
}

// Loaded at the first use, from whichever thread that is.
const t_SoundModule& soundmodule() {
    static const t_SoundModule module = loadmodule();
    return module;
}

}  // namespace

namespace host {

bool openaudiooutput(t_AudioRender render, std::string& message) {
    const t_SoundModule& module = soundmodule();
    if (!module.OpenOutput) {
        message = module.Problem;
        return false;
    }
    std::array<char, 256> reason{};
    const bool opened = module.OpenOutput(render, outputlatencyms, openingtimeoutms, reason.data(), reason.size());
    message = reason.data();
    return opened;
}

void closeaudiooutput() {
    if (soundmodule().CloseOutput) soundmodule().CloseOutput();
}

void wakeaudiooutput() {
    if (soundmodule().WakeOutput) soundmodule().WakeOutput();
}

t_AudioFile openaudiofile(const std::string& path, t_AudioFileInfo& info, std::string& message) {
    const t_SoundModule& module = soundmodule();
    if (!module.OpenFile) {
        message = module.Problem;
        return nullptr;
    }
    std::array<char, 256> reason{};
    t_AudioFile file = module.OpenFile(path.c_str(), &info.Rate, &info.Channels, reason.data(), reason.size());
    message = reason.data();
    return file;
}

int64_t readaudiofile(t_AudioFile file, float* frames, int64_t count) {
    return file && soundmodule().ReadFile ? soundmodule().ReadFile(file, frames, count) : 0;
}

void closeaudiofile(t_AudioFile file) {
    if (file && soundmodule().CloseFile) soundmodule().CloseFile(file);
}

void beep() {
    runasync([] { QApplication::beep(); });
}

}  // namespace host
