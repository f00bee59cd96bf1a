#pragma once
// Wave resources of the program played through PlaySoundA.

namespace vantrel {

// Starts wave resource id of the program and returns at once.
bool PlayWaveAsync(int waveId);
// Plays wave resource id and returns when it has finished.
bool PlayWaveToEnd(int waveId);
// The click of (almost) every button: wave 222, asynchronous.
bool PlayClickSound();

}  // namespace vantrel
