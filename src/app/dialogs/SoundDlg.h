// CSoundDlg ("Set Sound"): picks one WAV file of the Sound folder, with "Play" to listen first
// through the program's sound player (PlayEventSound).
#pragma once

#include <QDialog>
#include <string>
#include <vector>

class QComboBox;
class QPushButton;

namespace tv {

class CSoundDlg : public QDialog {
    Q_OBJECT
public:
    // folder: where the WAV files are listed; by default the user's own Sound folder and then
    // the shipped ones.
    explicit CSoundDlg(QWidget* parent = nullptr, const std::string& folder = {});

    // Set before running; the entry of that name (letter case aside) is selected.
    void setSound(const std::string& sound);
    // After OK: the chosen file name, empty for "<No Sound>".
    const std::string& sound() const { return m_sound; }

    QComboBox* list() const { return m_list; }

public Q_SLOTS:
    void play();
    void done(int result) override;

private:
    std::vector<std::string> m_folders;
    std::string m_sound;
    QComboBox* m_list = nullptr;
    QPushButton* m_play = nullptr;
    std::vector<std::string> m_entries;
};

}  // namespace tv
