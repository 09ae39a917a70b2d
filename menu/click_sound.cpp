#include "click_sound.h"

#include <mmsystem.h>

#include "file_reader.h"

namespace menu {

bool ClickSound::load(const char* path) {
    clear();
    if (!path || !*path) return false;
    common::FileReader file(path);
    DWORD size = 0;
    HGLOBAL h = file.readAll(true, nullptr, &size);
    if (!h) return false;
    if (size == 0) {
        GlobalFree(h);
        return false;
    }
    memory_ = h;
    return true;
}

void ClickSound::clear() {
    if (memory_) {
        sndPlaySoundA(nullptr, 0);  // the system may still be reading this memory
        GlobalFree(memory_);
        memory_ = nullptr;
    }
}

bool ClickSound::play(bool async) {
    if (!memory_) return false;
    void* data = GlobalLock(memory_);
    if (!data) return false;
    UINT flags = SND_MEMORY | SND_NOSTOP;
    if (async) flags |= SND_ASYNC;
    BOOL ok = sndPlaySoundA(static_cast<LPCSTR>(data), flags);
    // A movable block only moves on reallocation, which never happens to a
    // sound, so an asynchronous sound may go on playing after the unlock.
    GlobalUnlock(memory_);
    return ok != FALSE;
}

ClickSound& ClickSound::standard() {
    static ClickSound sound;
    return sound;
}

bool ClickSound::playOwnOrStandard(ClickSound& own, bool async) {
    if (!own.empty()) return own.play(async);
    return standard().play(async);
}

void ClickSound::stopAll() { sndPlaySoundA(nullptr, 0); }

}  // namespace menu
