// The alert: the sound module, loaded at the first alert so that its audio libraries (and
// everything they pull in) stay out of every launch; the desktop beep when the module, the
// sound file or an audio device is missing.
#include <dlfcn.h>

#include <QApplication>

#include <string>

#include "core/report.h"
#include "core/resources.h"
#include "host/host.h"

namespace {

constexpr const char* soundmodule = "stangenspiel_sound.so";
using t_PlayAlert = bool (*)(const char* path);

// Once, on the GUI thread. A module that cannot be loaded is named in one line: without it every
// alert is the beep.
t_PlayAlert loadsoundmodule() {
    const std::string path = modulepath(soundmodule);
    void* module = path.empty() ? nullptr : dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    auto* play = module ? reinterpret_cast<t_PlayAlert>(dlsym(module, "stangenspiel_playalert")) : nullptr;
    if (play == nullptr) {
        const char* why = path.empty() ? "no such file" : dlerror();
        reportfailure("playalert", std::string("Sound module ") + soundmodule + " unusable (" + (why ? why : "?") +
                                       "), the desktop beep instead.");
    }
    return play;
}

void play() {
    static const t_PlayAlert playalert = loadsoundmodule();
    static const std::string sound = resourcepath("sysbeep.aif");
    if (playalert == nullptr || !playalert(sound.c_str())) QApplication::beep();
}

}  // namespace

namespace host {

void playalert() { runasync(play); }

}  // namespace host
