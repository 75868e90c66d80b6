// PlayEventSound over one Qt sound effect: stop the current sound, play one WAV once.
#include "SoundPlayer.h"

#include <QSoundEffect>
#include <QUrl>
#include <memory>

#include "shell/SoundFiles.h"
#include "store/ProgramFolder.h"

namespace tv {

namespace {

class CQtSoundPlayer final : public ISoundPlayer {
public:
    void Play(const QString& fileName) override {
        if (m_effect) m_effect->stop();
        if (fileName.isEmpty()) return;
        const std::string path = FindSoundFile(SoundFolders(), fileName.toStdString());
        if (path.empty()) return;
        // A fresh effect per sound: the previous one may still be loading its file, and
        // changing its source then would play the old sound after all.
        m_effect = std::make_unique<QSoundEffect>();
        m_effect->setSource(QUrl::fromLocalFile(QString::fromStdString(path)));
        m_effect->setLoopCount(1);
        m_effect->play();
    }

private:
    std::unique_ptr<QSoundEffect> m_effect;
};

ISoundPlayer* g_player = nullptr;

}  // namespace

void SetSoundPlayer(ISoundPlayer* player) { g_player = player; }

int PlayEventSound(const QString& fileName) {
    if (!g_player) {
        // Kept to the very end: a sound may still be playing while the program shuts down.
        static CQtSoundPlayer* own = new CQtSoundPlayer;
        g_player = own;
    }
    g_player->Play(fileName);
    return 0;
}

}  // namespace tv
