// The alert: "sysbeep.aif" through the mixer, once at a time; the desktop beep when there is no
// audio output or the sound cannot be loaded.
#pragma once

void playalert();  // any thread, returns at once
