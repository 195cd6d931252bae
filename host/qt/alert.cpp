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

// GUI thread only, like the statics it keeps. A module that cannot sound (no audio device, no
// readable file, a refused start) is said once: the beeps that follow are the same fallback.
void play() {
    static const t_PlayAlert playalert = loadsoundmodule();
    static const std::string sound = resourcepath("sysbeep.aif");
    static bool silencesaid = false;
    if (playalert != nullptr && playalert(sound.c_str())) return;
    if (playalert != nullptr && !silencesaid) {
        silencesaid = true;
        reportfailure("playalert", "No sound output, the desktop beep instead.");
    }
    QApplication::beep();
}

}  // namespace

namespace host {

void playalert() { runasync(play); }

}  // namespace host
