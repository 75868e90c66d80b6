// The Sync page and the program's syncs: where each setting goes (the password never to the
// settings file), the main window following a sync, and a server that stays down told once.
#include <QLineEdit>
#include <QProcess>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>

#include "AppTestSupport.h"
#include "shell/PreferenceSheet.h"
#include "shell/QSettingsStore.h"
#include "shell/SyncController.h"
#include "shell/SyncPage.h"
#include "shell/SyncSecrets.h"
#include "views/ListPages.h"
#include "views/ViewPages.h"

using namespace tv;

namespace {

class MemorySecrets final : public ISyncSecrets {
public:
    void Read(const QString& key, QObject*, std::function<void(bool, const QString&)> done) override {
        done(true, kept.value(key));
    }
    void Write(const QString& key, const QString& password, QObject*,
               std::function<void(bool, const QString&)> done) override {
        kept[key] = password;
        done(true, {});
    }
    QHash<QString, QString> kept;
};

}  // namespace

class SyncPageTest : public tvtest::AppTest {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() {
        w.Install();
        SetSyncSecretsForTesting(&secrets);
        // The misbehaving calendar server of the sync tests; its first line is its port.
        stub.start(QStringLiteral("python3"), {QStringLiteral(TALLYVANE_SOURCE_DIR "/tests/sync/stub_server.py")});
        QVERIFY(stub.waitForReadyRead(10000));
        port = QString::fromLatin1(stub.readLine()).trimmed();
    }
    void cleanupTestCase() {
        stub.kill();
        stub.waitForFinished();
        SetSyncSecretsForTesting(nullptr);
    }
    void settingsGoToTheIniFileAndThePasswordToTheSecretStore();
    void windowsFollowASyncAndAServerThatStaysDownIsToldOnce();

private:
    QString Url(const char* mode) const {
        return QStringLiteral("http://127.0.0.1:%1/%2/").arg(port, QLatin1String(mode));
    }
    void Configure(const QString& url) {
        CSyncPage page;
        page.urlEdit()->setText(url);
        page.userEdit()->setText(QStringLiteral("alice"));
        page.passwordEdit()->setText(QStringLiteral("hunter2"));
        emit page.passwordEdit()->textEdited(page.passwordEdit()->text());
        page.apply();
    }
    MemorySecrets secrets;
    QProcess stub;
    QString port;
};

void SyncPageTest::settingsGoToTheIniFileAndThePasswordToTheSecretStore() {
    auto ini = CQSettingsStore::ForFile(QString::fromStdString(w.dir.File("settings.ini")));
    SetSettingsStore(ini.get());
    CSyncPage page;
    page.urlEdit()->setText(QStringLiteral(" https://cal.example/dav/ "));
    page.userEdit()->setText(QStringLiteral("alice"));
    page.minutesBox()->setValue(15);
    page.passwordEdit()->setText(QStringLiteral("hunter2"));
    emit page.passwordEdit()->textEdited(page.passwordEdit()->text());
    page.apply();
    // Shown again, the page holds what was saved and no password.
    CSyncPage again;
    SetSettingsStore(&w.settings);
    const std::string file = w.dir.Read("settings.ini");
    QVERIFY(file.find("[Sync]") != std::string::npos && file.find("Url=https://cal.example/dav/") != std::string::npos);
    QVERIFY(file.find("Minutes=15") != std::string::npos);
    QVERIFY(file.find("hunter2") == std::string::npos);
    QCOMPARE(secrets.kept.value(SyncSecretKey(QStringLiteral("https://cal.example/dav/"), QStringLiteral("alice"))),
             QStringLiteral("hunter2"));
    QCOMPARE(again.urlEdit()->text(), QStringLiteral("https://cal.example/dav/"));
    QCOMPARE(again.minutesBox()->value(), 15);
    QVERIFY(again.passwordEdit()->text().isEmpty());
}

void SyncPageTest::windowsFollowASyncAndAServerThatStaysDownIsToldOnce() {
    CSyncController sync;
    w.Add("Dentist", DateTime::FromParts(2027, 6, 3, 9, 0));
    CMainWnd* m = w.Open(kViewAll);
    CEventListTableModel* rows = m->pages()->allPage()->list()->listModel();
    QSignalSpy finished(&sync, &CSyncController::finished);
    Configure(Url("calendar"));
    sync.syncNow(true);
    QVERIFY(finished.wait(10000));
    QCOMPARE(finished.last().at(0).toBool(), true);
    QTRY_VERIFY(!w.prompts.told.isEmpty());
    QCOMPARE(
        w.prompts.told.last(),
        QStringLiteral(
            "Tallyvane: Synced: 1 sent, 1 received, 0 deleted here, 0 deleted there, 0 conflict(s) kept as copies."));
    QCOMPARE(GetEventStore().GetCount(), size_t(2));
    QTRY_COMPARE(rows->model().Ids().size(), size_t(2));

    // Two scheduled syncs that fail alike are told once; one asked for is told again.
    Configure(Url("unauthorized"));
    w.prompts.told.clear();
    for (bool asked : {false, false, true}) {
        sync.syncNow(asked);
        QVERIFY(finished.wait(10000));
    }
    QTest::qWait(50);
    QCOMPARE(w.prompts.told.size(), 2);
    QVERIFY(w.prompts.told[0].contains(QStringLiteral("refused the user name or password")));
    QCOMPARE(GetEventStore().GetCount(), size_t(2));

    // Gone from the server: the page lets go of the events as the sync deletes them, before the
    // sync's own refresh arrives.
    QCOMPARE(QProcess::execute(QStringLiteral("python3"),
                               {QStringLiteral("-c"), QStringLiteral("import urllib.request; urllib.request.urlopen("
                                                                     "'http://127.0.0.1:%1/forget-lunch')")
                                                          .arg(port)}),
             0);
    Configure(Url("calendar"));
    sync.syncNow(false);
    QVERIFY(finished.wait(10000));
    QCOMPARE(GetEventStore().GetCount(), size_t(0));
    QVERIFY(rows->model().Ids().empty());
}

QTEST_MAIN(SyncPageTest)
#include "SyncPageTest.moc"
