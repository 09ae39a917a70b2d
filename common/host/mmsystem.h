// Stand-in for <mmsystem.h> in the host fuzz build: sounds play silently.
#pragma once
#include <windows.h>

inline BOOL sndPlaySoundA(const char*, UINT) { return 1; }
