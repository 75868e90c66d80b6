// CDesktopNotifier: each reminder pop-up also as a notification of the desktop.
#include "DesktopNotifier.h"

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QImage>
#include <QPixmap>
#include <utility>

#include "ReminderPopup.h"
#include "shell/AppIcons.h"
#include "shell/AppSettings.h"
#include "shell/UserPrompts.h"
#include "shell/WindowSettings.h"

namespace tv {

namespace {

constexpr const char* kInterface = CDesktopNotifier::kService;
constexpr int kCriticalUrgency = 2;
// A reminder stays until it is answered, as the pop-up does.
constexpr int kNeverExpires = 0;
constexpr const char* kSnooze = "snooze";
constexpr const char* kAccept = "accept";

QDBusMessage CallOf(const char* method) {
    return QDBusMessage::createMethodCall(QLatin1String(CDesktopNotifier::kService),
                                          QLatin1String(CDesktopNotifier::kPath), QLatin1String(kInterface),
                                          QLatin1String(method));
}

// The icon as the raw pixels the service draws itself (width, height, row length, alpha,
// bits per sample, samples per pixel, bytes): the type icons are built into the program and
// have no file a service could open.
QVariant ImageData(const QPixmap& pixmap) {
    const QImage image = pixmap.toImage().convertToFormat(QImage::Format_RGBA8888);
    QDBusArgument data;
    data.beginStructure();
    data << image.width() << image.height() << int(image.bytesPerLine()) << true << 8 << 4
         << QByteArray(reinterpret_cast<const char*>(image.constBits()), int(image.sizeInBytes()));
    data.endStructure();
    return QVariant::fromValue(data);
}

}  // namespace

CDesktopNotifier& CDesktopNotifier::Instance() {
    static CDesktopNotifier* notifier = new CDesktopNotifier(QCoreApplication::instance());
    return *notifier;
}

CDesktopNotifier::CDesktopNotifier(QObject* parent) : QObject(parent) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) return;
    const QString service = QLatin1String(kService), path = QLatin1String(kPath), iface = QLatin1String(kInterface);
    bus.connect(service, path, iface, QStringLiteral("ActionInvoked"), this, SLOT(onActionInvoked(uint, QString)));
    bus.connect(service, path, iface, QStringLiteral("NotificationClosed"), this, SLOT(onClosed(uint, uint)));
}

void CDesktopNotifier::Announce(CReminderPopup* popup) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!popup || !bus.isConnected() || !ReadDesktopNotifications(GetSettingsStore())) return;
    if (m_markup) {
        Notify(popup);
        return;
    }
    m_waiting.append(popup);
    if (m_asking) return;
    m_asking = true;
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(CallOf("GetCapabilities")), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* w) {
        w->deleteLater();
        m_asking = false;
        const QDBusPendingReply<QStringList> caps = *w;
        // Without an answer there is no service to show anything; the next pop-up asks again.
        if (caps.isError()) {
            m_waiting.clear();
            return;
        }
        m_markup = caps.value().contains(QStringLiteral("body-markup"));
        for (const QPointer<CReminderPopup>& p : std::exchange(m_waiting, {}))
            if (p && p->isVisible()) Notify(p);
    });
}

void CDesktopNotifier::Notify(CReminderPopup* popup) {
    QString body = popup->timeText();
    if (const QString note = popup->noteText(); !note.isEmpty()) body += QLatin1Char('\n') + note;
    if (*m_markup) body = body.toHtmlEscaped();
    QVariantMap hints{{QStringLiteral("urgency"), QVariant::fromValue(uchar(kCriticalUrgency))}};
    if (const QPixmap icon = icons::LargeTypeIcon(popup->typeIcon()); !icon.isNull())
        hints.insert(QStringLiteral("image-data"), ImageData(icon));
    const QStringList actions{QLatin1String(kSnooze), tr("Snooze"), QLatin1String(kAccept), tr("Accept")};
    QDBusMessage notify = CallOf("Notify");
    notify << ProductName() << uint(0) << QString() << popup->windowTitle() << body << actions << hints
           << kNeverExpires;
    auto* watcher = new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(notify), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, popup = QPointer(popup)](auto* w) {
        w->deleteLater();
        const QDBusPendingReply<uint> reply = *w;
        if (reply.isError()) return;
        // A pop-up answered before the service said its number takes the notification along now.
        if (!popup || !popup->isVisible()) Withdraw(reply.value());
        else Shown(reply.value(), popup);
    });
}

void CDesktopNotifier::Shown(uint id, CReminderPopup* popup) {
    m_shown.insert(id, popup);
    connect(popup, &CReminderPopup::closing, this, [this, id] { Withdraw(id); });
}

void CDesktopNotifier::Withdraw(uint id) {
    m_shown.remove(id);
    QDBusMessage close = CallOf("CloseNotification");
    close << id;
    QDBusConnection::sessionBus().send(close);
}

void CDesktopNotifier::onActionInvoked(uint id, const QString& action) {
    const QPointer<CReminderPopup> popup = m_shown.value(id);
    if (!popup) return;
    if (action == QLatin1String(kSnooze)) popup->snooze();
    else if (action == QLatin1String(kAccept)) popup->acceptEvent();
}

// Dismissed on the desktop: the pop-up still waits for its answer.
void CDesktopNotifier::onClosed(uint id, uint) { m_shown.remove(id); }

}  // namespace tv
