// Where the mix goes: the desktop's audio device, the clock of a scripted run (the program's own
// timeline, written to a WAV file), or nowhere when there is no output. The first sound decides.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "sound/mixer.h"

t_Mixer& soundmixer();  // the one mixer, made at its first use

// A scripted run: a clock of its own renders the mix in real time from now on and it never
// reaches the audio device; with a path the mix is written there as a WAV file. Called once,
// before the first sound.
void usesoundclock(const std::string& wavpath);
// Decides where the mix goes at the first call and answers whether sound is on. Without an
// output: one line "<operation>: No audio output, sound is off." the first time, then false.
bool soundon(std::string_view operation);
// An output renders the mix now. A device that has stopped taking sound for seconds while
// something waits to play counts as gone: sound goes off as if there had never been one.
bool soundrunning(std::string_view operation);
void soundqueued();  // after queueing: a device output resting after a quiet second starts again
// Wait until the mixer has rendered `frame`, until nothing sounds, each also ending when
// everything is stopped (`stops` is the mixer's count when the wait began) or sound goes off.
void waitforframe(std::string_view operation, int64_t frame, int64_t stops);
void waitforsilence(std::string_view operation);

// Stops the clock and finishes the WAV file; false after a line when it could not be written.
bool endsoundrecording();
// Tests: everything stopped and the choice forgotten; the next sound chooses again, the clock
// (without a file) when `clock`, otherwise the device as in a run of its own.
void restartsoundoutput(bool clock);
