#include "framework/sound.h"

#include <windows.h>
#include <mmsystem.h>

#include "resource.h"

namespace vantrel {

namespace {
bool PlayWave(int waveId, DWORD flags) {
  return PlaySoundA(MAKEINTRESOURCEA(waveId), GetModuleHandleA(nullptr), flags) != FALSE;
}
}  // namespace

bool PlayWaveAsync(int waveId) { return PlayWave(waveId, SND_RESOURCE | SND_ASYNC); }

bool PlayWaveToEnd(int waveId) { return PlayWave(waveId, SND_RESOURCE); }

bool PlayClickSound() { return PlayWaveAsync(IDW_CLICK); }

}  // namespace vantrel
