#include "sound/voice.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr float voicelevel = 0.25f;  // four voices at full volume just reach full scale
constexpr float loudest = 15;

float steps(int64_t ms) { return 1.0f / static_cast<float>(std::max<int64_t>(1, ms * soundrate / 1000)); }

// Removes the step of a jump at phase 0 (polynomial band-limited step): square and sawtooth
// would otherwise alias into audible whistles at high notes.
inline double blep(double phase, double increment) {
    if (phase < increment) {
        const double t = phase / increment;
        return t + t - t * t - 1;
    }
    if (phase > 1 - increment) {
        const double t = (phase - 1) / increment;
        return t * t + t + t + 1;
    }
    return 0;
}

inline float nextnoise(uint32_t& state) {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return static_cast<float>(state) * (2.0f / 4294967296.0f) - 1.0f;
}

// The envelope one frame on; answers the level to play it at.
inline float envelope(t_Voice& voice) {
    switch (voice.Stage) {
        case t_Stage::Attack:
            voice.Level += voice.Current.AttackStep;
            if (voice.Level >= 1) {
                voice.Level = 1;
                voice.Stage = t_Stage::Decay;
            }
            break;
        case t_Stage::Decay:
            voice.Level -= voice.Current.DecayStep;
            if (voice.Level <= voice.Current.SustainLevel) {
                voice.Level = voice.Current.SustainLevel;
                voice.Stage = t_Stage::Sustain;
            }
            break;
        case t_Stage::Release:
            voice.Level -= voice.ReleaseStep;
            if (voice.Level <= 0) {
                voice.Level = 0;
                voice.Stage = t_Stage::Idle;
            }
            break;
        case t_Stage::Sustain:
        case t_Stage::Idle:
            break;
    }
    return voice.Level;
}

template <int64_t Waveform>
inline float oscillator(t_Voice& voice) {
    const double phase = voice.Phase, increment = voice.Current.Increment;
    double value = 0;
    if constexpr (Waveform == squarewave) {
        value = (phase < 0.5 ? 1.0 : -1.0) + blep(phase, increment) - blep(std::fmod(phase + 0.5, 1.0), increment);
    } else if constexpr (Waveform == trianglewave) {
        value = 1 - 4 * std::abs(phase - 0.5);
    } else if constexpr (Waveform == sawtoothwave) {
        value = 2 * phase - 1 - blep(phase, increment);
    } else if constexpr (Waveform == sinewave) {
        value = std::sin(2 * std::numbers::pi * phase);
    }
    double next = phase + increment;
    if (next >= 1) {
        next -= std::floor(next);
        // Noise takes a new random level once a period, so its pitch follows the note.
        if constexpr (Waveform == noisewave) voice.NoiseValue = nextnoise(voice.Noise);
    }
    voice.Phase = next;
    if constexpr (Waveform == noisewave) return voice.NoiseValue;
    return static_cast<float>(value);
}

template <int64_t Waveform>
void run(t_Voice& voice, float* out, int64_t count) {
    const float amplitude = voice.Current.Amplitude;
    for (int64_t i = 0; i < count; ++i) {
        const float level = envelope(voice);
        out[i] += oscillator<Waveform>(voice) * level * amplitude;
    }
}

void runwaveform(t_Voice& voice, float* out, int64_t count) {
    switch (voice.Current.Waveform) {
        case trianglewave: return run<trianglewave>(voice, out, count);
        case sawtoothwave: return run<sawtoothwave>(voice, out, count);
        case noisewave: return run<noisewave>(voice, out, count);
        case sinewave: return run<sinewave>(voice, out, count);
        default: return run<squarewave>(voice, out, count);
    }
}

// A new note retriggers the envelope from the level the last one left and keeps the wave's
// phase: no click between notes.
void begin(t_Voice& voice) {
    voice.Current = voice.Ring[voice.Head];
    voice.Head = (voice.Head + 1) % mostqueuednotes;
    --voice.Count;
    if (voice.Stage == t_Stage::Idle) voice.Phase = 0;  // a note out of silence starts its wave afresh
    voice.Stage = t_Stage::Attack;
}

void release(t_Voice& voice) {
    voice.Stage = t_Stage::Release;
    voice.ReleaseStep = voice.Level / static_cast<float>(std::max<int64_t>(1, voice.Current.ReleaseFrames));
}

bool gateon(const t_Voice& voice) {
    return voice.Stage == t_Stage::Attack || voice.Stage == t_Stage::Decay || voice.Stage == t_Stage::Sustain;
}

}  // namespace

t_Note makenote(int64_t start, int64_t sounding, double frequency, int64_t volume, const t_Instrument& instrument) {
    t_Note note;
    note.Start = start;
    note.Sounding = sounding;
    note.Increment = frequency / soundrate;
    note.Amplitude = voicelevel * static_cast<float>(volume) / loudest;
    note.Waveform = instrument.Waveform;
    note.AttackStep = steps(instrument.AttackMs);
    note.SustainLevel = static_cast<float>(instrument.Sustain) / loudest;
    note.DecayStep = (1 - note.SustainLevel) * steps(instrument.DecayMs);
    note.ReleaseFrames = instrument.ReleaseMs * soundrate / 1000;
    return note;
}

int64_t voiceroom(const t_Voice& voice) { return mostqueuednotes - voice.Count; }

void voicepush(t_Voice& voice, const t_Note& note) {
    voice.Ring[(voice.Head + voice.Count) % mostqueuednotes] = note;
    ++voice.Count;
}

void voicerender(t_Voice& voice, int64_t from, float* out, int64_t count) {
    const int64_t end = from + count;
    for (int64_t frame = from; frame < end;) {
        // Each pass begins a note, ends a gate or renders a run up to the next of those, so the
        // loop ends even when notes of no length pile up on one frame.
        if (voice.Count > 0 && voice.Ring[voice.Head].Start <= frame) begin(voice);
        if (gateon(voice) && frame >= voice.Current.Start + voice.Current.Sounding) release(voice);
        int64_t stop = end;
        if (voice.Count > 0) stop = std::min(stop, voice.Ring[voice.Head].Start);
        if (gateon(voice)) stop = std::min(stop, voice.Current.Start + voice.Current.Sounding);
        stop = std::max(stop, frame);
        if (voice.Stage != t_Stage::Idle) runwaveform(voice, out + (frame - from), stop - frame);
        frame = stop;
    }
}

bool voicesounding(const t_Voice& voice) { return voice.Count > 0 || voice.Stage != t_Stage::Idle; }

void voicesilence(t_Voice& voice) {
    voice.Head = 0;
    voice.Count = 0;
    voice.Stage = t_Stage::Idle;
    voice.Level = 0;
}
