// One voice of the mixer: a queue of notes and the oscillator and envelope that play them.
// The program side appends notes, the mixer's thread renders; the mixer's lock guards both.
#pragma once

#include <cstdint>
#include <vector>

constexpr int64_t soundrate = 48000;     // frames a second, everywhere in the sound path
constexpr int64_t voicecount = 4;
constexpr int64_t mostqueuednotes = 4096;  // per voice: a long tune, and a bound on memory

enum t_Waveform : int64_t { squarewave = 0, trianglewave, sawtoothwave, noisewave, sinewave, waveformcount };

// How a voice shapes its notes. s_Voice changes it; a note keeps the one it was queued with.
struct t_Instrument {
    int64_t Waveform = squarewave;
    int64_t AttackMs = 2;    // short ramps at both ends keep a note from clicking
    int64_t DecayMs = 0;
    int64_t Sustain = 15;    // 0-15 of the note's level
    int64_t ReleaseMs = 5;
};

// A note on the mixer's timeline, everything in frames and per-frame steps.
struct t_Note {
    int64_t Start = 0;       // the frame it begins at
    int64_t Sounding = 0;    // frames with the gate on; the release follows
    double Increment = 0;    // oscillator phase per frame: frequency / rate
    float Amplitude = 0;     // peak level of the voice's share of the mix
    int64_t Waveform = squarewave;
    float AttackStep = 1;    // envelope change per frame
    float DecayStep = 1;
    float SustainLevel = 1;  // 0-1
    int64_t ReleaseFrames = 0;
};

enum class t_Stage { Idle, Attack, Decay, Sustain, Release };

struct t_Voice {
    // Queued notes that have not begun, a ring of fixed capacity: appending never allocates.
    std::vector<t_Note> Ring = std::vector<t_Note>(mostqueuednotes);
    int64_t Head = 0;
    int64_t Count = 0;
    int64_t QueueEnd = 0;  // the frame where the last queued string ends, rests included
    // What sounds now (mixer thread).
    t_Note Current;
    t_Stage Stage = t_Stage::Idle;
    double Phase = 0;        // 0-1
    float Level = 0;         // envelope 0-1
    float ReleaseStep = 0;
    uint32_t Noise = 0x9E3779B9u;  // generator state of the noise waveform
    float NoiseValue = 0;
};

// A note from a music event: `start` and `sounding` already in frames.
t_Note makenote(int64_t start, int64_t sounding, double frequency, int64_t volume, const t_Instrument& instrument);
int64_t voiceroom(const t_Voice& voice);  // notes that can still be queued
void voicepush(t_Voice& voice, const t_Note& note);  // caller checked the room
// Adds frames [from, from + count) of the voice to out (mono).
void voicerender(t_Voice& voice, int64_t from, float* out, int64_t count);
bool voicesounding(const t_Voice& voice);  // a note queued, or one still sounding or releasing
void voicesilence(t_Voice& voice);          // forgets every note and cuts the sound
