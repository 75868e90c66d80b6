// The program in German: the shipped translation is found beside the program and reaches the
// menus, the window title, the core's texts and the dates.
#include <QMenuBar>

#include "AppTestSupport.h"
#include "model/ReCurrence.h"
#include "shell/Commands.h"
#include "shell/Translation.h"
#include "texts/DateTexts.h"

using namespace tv;
using tvtest::At;

class GermanTest : public tvtest::AppTest {
    Q_OBJECT
private Q_SLOTS:
    void menusPagesTextsAndDatesReadGerman();
};

void GermanTest::menusPagesTextsAndDatesReadGerman() {
    const QLocale german(QLocale::German, QLocale::Germany);
    QLocale::setDefault(german);
    QVERIFY(!InstallTranslations(german, {QCoreApplication::applicationDirPath()}).isEmpty());
    CMainWnd* m = w.Open(kViewMonthly);
    QCOMPARE(m->windowTitle(), QStringLiteral("Tallyvane – Monat"));
    QCOMPARE(m->menuBar()->actions().first()->text(), QStringLiteral("&Ereignis"));
    QCOMPARE(m->action(cmd::kFind)->text(), QStringLiteral("&Suchen\tF3"));
    // A description put together in the core, with its arguments in the German order.
    CYearlyRePattern yearly;
    yearly.SetMonth(3);
    yearly.SetDay(5);
    QCOMPARE(QString::fromStdString(yearly.GetDescription()), QStringLiteral("Jeden 5. März"));
    QCOMPARE(QString::fromStdString(GetDateTexts().EventTime(At(2008, 1, 16, 9, 0))),
             QStringLiteral("09:00 - 16. Jan. 2008"));
}

QTEST_MAIN(GermanTest)
#include "GermanTest.moc"
