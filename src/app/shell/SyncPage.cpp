// CSyncPage: the form, its check and where each value goes.
#include "SyncPage.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "DavUrl.h"
#include "SyncController.h"
#include "SyncSecrets.h"
#include "SyncSettings.h"
#include "UserPrompts.h"
#include "shell/KeyValueStore.h"

namespace tv {

CSyncPage::CSyncPage(QWidget* parent) : CPreferencePage(parent) {
    sync::SyncSettings settings;
    settings.Load(GetSettingsStore());
    auto* layout = new QVBoxLayout(this);
    auto* intro =
        new QLabel(QStringLiteral("Keep your events in step with a CalDAV calendar (Radicale, Nextcloud, ...). "
                                  "The URL may name the calendar itself or only its server."),
                   this);
    intro->setWordWrap(true);
    layout->addWidget(intro);
    auto* form = new QFormLayout;
    m_url = new QLineEdit(QString::fromStdString(settings.url), this);
    m_url->setObjectName(QStringLiteral("syncUrl"));
    m_url->setPlaceholderText(QStringLiteral("https://example.org/remote.php/dav/"));
    m_url->setMinimumWidth(320);
    m_user = new QLineEdit(QString::fromStdString(settings.user), this);
    m_user->setObjectName(QStringLiteral("syncUser"));
    m_password = new QLineEdit(this);
    m_password->setObjectName(QStringLiteral("syncPassword"));
    m_password->setEchoMode(QLineEdit::Password);
    m_password->setPlaceholderText(QStringLiteral("kept in the desktop's secret store"));
    connect(m_password, &QLineEdit::textEdited, this, [this] { m_passwordTyped = true; });
    m_minutes = new QSpinBox(this);
    m_minutes->setObjectName(QStringLiteral("syncMinutes"));
    m_minutes->setRange(0, sync::SyncSettings::kMaxMinutes);
    m_minutes->setSuffix(QStringLiteral(" minutes"));
    m_minutes->setSpecialValueText(QStringLiteral("only when asked"));
    m_minutes->setValue(settings.minutes);
    form->addRow(QStringLiteral("Calendar &URL:"), m_url);
    form->addRow(QStringLiteral("&User:"), m_user);
    form->addRow(QStringLiteral("&Password:"), m_password);
    form->addRow(QStringLiteral("Sync &every:"), m_minutes);
    layout->addLayout(form);
    m_syncNow = new QPushButton(QStringLiteral("Sync &now"), this);
    m_syncNow->setObjectName(QStringLiteral("syncNow"));
    m_syncNow->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    layout->addWidget(m_syncNow);
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("syncStatus"));
    m_status->setWordWrap(true);
    layout->addWidget(m_status);
    layout->addStretch();
    connect(m_syncNow, &QPushButton::clicked, this, &CSyncPage::syncNow);
    if (CSyncController* controller = CSyncController::Instance())
        connect(controller, &CSyncController::finished, this, [this] { showStatus(); });
    showStatus();
}

void CSyncPage::showStatus() {
    const CSyncController* controller = CSyncController::Instance();
    const QString last = controller ? controller->lastResult() : QString();
    m_status->setText(last.isEmpty() ? QStringLiteral("Not synced since Tallyvane started.")
                                     : QStringLiteral("Last sync: ") + last);
    m_syncNow->setEnabled(controller && !controller->isRunning());
}

void CSyncPage::apply() {
    sync::SyncSettings settings;
    settings.url = m_url->text().trimmed().toStdString();
    settings.user = m_user->text().trimmed().toStdString();
    settings.minutes = m_minutes->value();
    IKeyValueStore& store = GetSettingsStore();
    settings.Save(store);
    ReportSave(this, store.Flush());
    CSyncController* controller = CSyncController::Instance();
    if (m_passwordTyped) {
        const QString url = QString::fromStdString(settings.url), user = QString::fromStdString(settings.user);
        if (controller) controller->setTypedPassword(url, user, m_password->text());
        SyncSecrets().Write(SyncSecretKey(url, user), m_password->text(), this, [](bool ok, const QString& why) {
            if (!ok)
                Prompts().Tell(nullptr, ProductName(),
                               QStringLiteral("The password could not be kept in the desktop's secret store (%1). "
                                              "Tallyvane uses it until it ends; type it again after the next start.")
                                   .arg(why),
                               true);
        });
        m_passwordTyped = false;
    }
    if (controller) controller->reschedule();
}

void CSyncPage::syncNow() {
    const std::string url = m_url->text().trimmed().toStdString();
    sync::UrlParts parts;
    if (!sync::SplitUrl(url, parts) || sync::HasUserInfo(url)) {
        Prompts().Tell(this, ProductName(),
                       QStringLiteral("The calendar URL must start with http:// or https:// and hold no user name."),
                       true);
        return;
    }
    apply();
    CSyncController* controller = CSyncController::Instance();
    if (!controller) return;
    controller->syncNow(true);
    showStatus();
}

}  // namespace tv
