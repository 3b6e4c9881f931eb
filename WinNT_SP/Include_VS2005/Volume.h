// Conversions between the four forms of the playback volume: linear factor, whole decibels,
// volume-slider position (p - 41 dB, 0 = silence) and DirectShow hundredths of a decibel.
#pragma once

#include <windows.h>

// DirectShow's silence (IBasicAudio), in hundredths of a decibel.
constexpr long kSilentDirectShowVolume = -10000;

int VolumeToDb(double volume);
int VolumeToDirectShow(int dbOffset, double volume);
double DbToVolume(int db);
double DirectShowToVolume(int ds);
// Range 0..41, ticks at -40/-30/-20/-10 dB; keeps the position of an already set-up slider.
void SetupVolumeSlider(HWND slider);
