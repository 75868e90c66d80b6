// PlayEventSound: the program's one sound at a time, from the Sound folder.
#pragma once

#include <QString>

namespace tv {

// Whatever plays the program's sounds. Tests install a recording one.
class ISoundPlayer {
public:
    virtual ~ISoundPlayer() = default;
    // Stops this program's current sound and, unless the name is empty, plays the named file
    // of the Sound folder once without waiting for it. A missing file plays nothing.
    virtual void Play(const QString& fileName) = 0;
};

// The installed player, or null for the program's own (made on first use).
void SetSoundPlayer(ISoundPlayer* player);

// Plays a reminder sound or chime through the installed player; always answers 0.
int PlayEventSound(const QString& fileName);

}  // namespace tv
