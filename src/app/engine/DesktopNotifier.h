// CDesktopNotifier: each reminder pop-up also as a notification of the desktop, whose Snooze
// and Accept answer the pop-up.
#pragma once

#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <optional>

namespace tv {

class CReminderPopup;

// Talks to the desktop's notification service (org.freedesktop.Notifications) on the session
// bus. A notification lives as long as its pop-up: its actions press the pop-up's buttons, and
// a pop-up answered in any way withdraws it. Without a session bus or a service, or with the
// preference off, the pop-up is all there is.
class CDesktopNotifier : public QObject {
    Q_OBJECT
public:
    static CDesktopNotifier& Instance();

    // The pop-up's type and name as the summary, its time line and note as the body, the
    // type's icon, critical urgency, and the actions Snooze and Accept.
    void Announce(CReminderPopup* popup);

    static constexpr const char* kService = "org.freedesktop.Notifications";
    static constexpr const char* kPath = "/org/freedesktop/Notifications";

private Q_SLOTS:
    void onActionInvoked(uint id, const QString& action);
    void onClosed(uint id, uint reason);

private:
    explicit CDesktopNotifier(QObject* parent);
    void Notify(CReminderPopup* popup);
    void Shown(uint id, CReminderPopup* popup);
    void Withdraw(uint id);

    QHash<uint, QPointer<CReminderPopup>> m_shown;
    // Whether the service reads markup in the body, where a note's "<" must be escaped; asked
    // once, without waiting, and the first pop-ups wait in m_waiting for the answer.
    std::optional<bool> m_markup;
    bool m_asking = false;
    QList<QPointer<CReminderPopup>> m_waiting;
};

}  // namespace tv
