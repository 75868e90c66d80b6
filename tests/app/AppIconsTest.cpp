// The type icons come from the compiled-in strips when the program ships them.
#include <QFile>
#include <QTest>

#include "shell/AppIcons.h"

class AppIconsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void stripsAreCutIntoSixteenIconsOfEachSize();
};

void AppIconsTest::stripsAreCutIntoSixteenIconsOfEachSize() {
    tv::icons::Load();
    // A static library loses its resources unless it registers them itself.
    if (QFile::exists(QStringLiteral(TALLYVANE_SOURCE_DIR "/data/icons/icons.qrc")))
        QVERIFY(QFile::exists(QStringLiteral(":/icons/types-small.png")));
    for (int i = 0; i < 16; ++i) {
        QCOMPARE(tv::icons::SmallTypeIcon(i).size(), QSize(16, 16));
        QCOMPARE(tv::icons::LargeTypeIcon(i).size(), QSize(32, 32));
    }
    // Neighbouring icons differ; an index outside the set shows icon 0.
    QVERIFY(tv::icons::LargeTypeIcon(0).toImage() != tv::icons::LargeTypeIcon(1).toImage());
    QCOMPARE(tv::icons::LargeTypeIcon(99).toImage(), tv::icons::LargeTypeIcon(0).toImage());
    QVERIFY(!tv::icons::AppIcon().isNull());
    QVERIFY(!tv::icons::TrayIcon().isNull());
}

QTEST_MAIN(AppIconsTest)
#include "AppIconsTest.moc"
