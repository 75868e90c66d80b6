// The INI settings file behind the preferences: sections, value types and damaged values.
#include <QDir>
#include <QFile>
#include <QTest>

#include "TempDir.h"
#include "shell/AppSettings.h"
#include "shell/QSettingsStore.h"
#include "shell/WindowSettings.h"

using namespace tv;

class SettingsStoreTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void preferencesRoundTripThroughTheFile();
    void handEditedAndDamagedValuesFallBackToDefaults();
    void unwritableFileIsReported();
};

void SettingsStoreTest::preferencesRoundTripThroughTheFile() {
    tvtest::TempDir dir;
    const QString path = QString::fromStdString(dir.File("tallyvane.ini"));
    {
        auto store = CQSettingsStore::ForFile(path);
        CAppSettings s;
        s.SetTimePattern("hh:nn:ss -ww- dd,M,yyyy");
        s.SetHalfChime("");
        s.SetClockText(0x00FFFFFF);
        LogFont f = s.GetClockFont();
        f.SetFaceName("Caf\xE9 Sans");
        f.height = -18;
        s.SetClockFont(f);
        s.Save(*store);
        WriteClockRect(*store, {-20, 5, 100, 25});
        QVERIFY(store->Flush().ok);
    }
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    QVERIFY(text.contains("[Var]"));
    QVERIFY(text.contains("[Settings]"));
    QVERIFY(text.contains("StartTime=900"));

    auto store = CQSettingsStore::ForFile(path);
    CAppSettings back;
    back.Load(*store);
    QCOMPARE(back.GetTimePattern(), std::string("hh:nn:ss -ww- dd,M,yyyy"));
    QVERIFY(!back.IsHalfChimeEnabled());
    QCOMPARE(back.GetClockText(), 0x00FFFFFFu);
    QCOMPARE(back.GetClockFont().height, -18);
    QCOMPARE(back.GetClockFont().faceName, std::string("Caf\xE9 Sans"));
    QCOMPARE(ReadClockRect(*store), (ScreenRect{-20, 5, 100, 25}));
}

void SettingsStoreTest::handEditedAndDamagedValuesFallBackToDefaults() {
    tvtest::TempDir dir;
    dir.Write("t.ini",
              "[Var]\nHeight=big\nWeight=0x2BC\nTimeFormat=hh:nn, dd\nStartTime=930\nShowClock=\n"
              "[Settings]\nViewType=17\n");
    auto store = CQSettingsStore::ForFile(QString::fromStdString(dir.File("t.ini")));
    CAppSettings s;
    s.Load(*store);
    QCOMPARE(s.GetClockFont().height, 14);
    QCOMPARE(s.GetClockFont().weight, 700);
    QCOMPARE(s.GetTimePattern(), std::string("hh:nn,dd"));  // an unquoted comma is read back as text
    DateTime start, end;
    s.GetOfficeHours(start, end);
    QCOMPARE(start.ToIsoText(), std::string("1899-12-30 09:30:00"));
    QVERIFY(s.GetShowClock());
    QCOMPARE(ReadViewType(*store), 0);
}

void SettingsStoreTest::unwritableFileIsReported() {
    tvtest::TempDir dir;
    // A folder where the file should be: nobody, not even root, can write the file there.
    QVERIFY(QDir().mkpath(QString::fromStdString(dir.File("t.ini"))));
    auto store = CQSettingsStore::ForFile(QString::fromStdString(dir.File("t.ini")));
    store->WriteNumber("Var", "Run", 0);
    const FileResult r = store->Flush();
    QVERIFY(!r.ok);
    QVERIFY(QString::fromStdString(r.message).contains(QStringLiteral("t.ini")));
}

QTEST_MAIN(SettingsStoreTest)
#include "SettingsStoreTest.moc"
