// The sound picker.
#include "SoundDlg.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "DialogSupport.h"
#include "editing/SoundList.h"
#include "engine/SoundPlayer.h"
#include "store/ProgramFolder.h"

namespace tv {

CSoundDlg::CSoundDlg(QWidget* parent, const std::string& folder)
    : QDialog(parent), m_folders(folder.empty() ? SoundFolders() : std::vector<std::string>{folder}) {
    setWindowTitle(tr("Set Sound"));
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel(tr("Select sound file"), this);
    layout->addWidget(label);
    auto* row = new QHBoxLayout;
    m_list = new QComboBox(this);
    m_list->setObjectName(QStringLiteral("soundList"));
    m_list->setMinimumContentsLength(24);
    m_list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    label->setBuddy(m_list);
    row->addWidget(m_list, 1);
    m_play = new QPushButton(tr("Play"), this);
    m_play->setObjectName(QStringLiteral("play"));
    m_play->setAutoDefault(false);
    row->addWidget(m_play);
    layout->addLayout(row);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_play, &QPushButton::clicked, this, &CSoundDlg::play);
    setSound({});
    connect(m_list, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0 && static_cast<size_t>(index) < m_entries.size())
            m_sound = index == 0 ? std::string() : m_entries[static_cast<size_t>(index)];
    });
}

void CSoundDlg::setSound(const std::string& sound) {
    const SoundChoices choices = BuildSoundChoices(ListSoundFiles(m_folders), sound);
    m_entries = choices.entries;
    const QSignalBlocker block(m_list);
    m_list->clear();
    for (const std::string& entry : m_entries) m_list->addItem(QString::fromStdString(entry));
    m_list->setCurrentIndex(static_cast<int>(choices.selected));
    // A name that differs from its file only in letter case becomes the file's own name, which
    // a case-sensitive file system can open; a name without a file stays as it is until the
    // user picks another entry.
    m_sound = choices.selected ? m_entries[choices.selected] : sound;
}

void CSoundDlg::play() {
    const int index = m_list->currentIndex();
    if (index <= 0 || static_cast<size_t>(index) >= m_entries.size()) return;
    PlayEventSound(QString::fromStdString(m_entries[static_cast<size_t>(index)]));
}

void CSoundDlg::done(int result) {
    PlayEventSound(QString());  // stops what Play started
    QDialog::done(result);
}

}  // namespace tv
