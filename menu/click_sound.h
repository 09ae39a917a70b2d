// A click sound: a wave file held whole in movable global memory and played
// from there, never interrupting a sound that is already playing.
#pragma once
#include <windows.h>

namespace menu {

class ClickSound {
public:
    ClickSound() = default;
    ~ClickSound() { clear(); }
    ClickSound(const ClickSound&) = delete;
    ClickSound& operator=(const ClickSound&) = delete;

    // Reads the whole file; an empty name or a missing file leaves the sound
    // empty (silence) and returns false.
    bool load(const char* path);
    void clear();
    bool empty() const { return memory_ == nullptr; }

    // Plays with SND_MEMORY | SND_NOSTOP, plus SND_ASYNC when async.
    // False when empty or the system did not play it.
    bool play(bool async);

    // The standard sound (`StdSound`), played by everything without a sound of its own.
    static ClickSound& standard();
    // Plays `own` when it holds a sound, else the standard sound.
    static bool playOwnOrStandard(ClickSound& own, bool async);
    // Stops whatever sound is playing.
    static void stopAll();

private:
    HGLOBAL memory_ = nullptr;
};

}  // namespace menu
