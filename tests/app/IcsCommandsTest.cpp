// Export iCalendar... and Import iCalendar... from the main window: events move once, the
// events a file says more of than the calendar holds are asked about, the page is refilled.
#include <QComboBox>
#include <QTest>

#include "AppTestSupport.h"
#include "store/EventTypeTable.h"
#include "shell/IcsCommands.h"
#include "views/EventListCtrl.h"
#include "views/ListPages.h"
#include "views/ViewPages.h"

using namespace tv;

class IcsCommandsTest : public tvtest::AppTest {
    Q_OBJECT
private Q_SLOTS:
    void cleanup() {
        w.CloseWindows();
        SetIcsChoicesForTesting(nullptr);
    }
    void eventsMoveOnceAndInexactOnesAreAskedAbout();

private:
    void Trigger(CMainWnd* m, const QString& text) {
        for (QAction* a : m->findChildren<QAction*>())
            if (a->text() == text) return a->trigger();
        QFAIL(qPrintable("no action " + text));
    }
};

void IcsCommandsTest::eventsMoveOnceAndInexactOnesAreAskedAbout() {
    w.Add("Dentist", DateTime::FromParts(2024, 6, 3, 9, 0));
    w.Add("Pills", DateTime::FromParts(2024, 6, 3, 8, 0), true);
    CMainWnd* m = w.Open(kViewAll);
    w.prompts.files = {w.Path("out.ics")};
    Trigger(m, "Export iCalendar...");
    QVERIFY(w.dir.Exists("out.ics") && w.dir.Exists("Evnt.uid"));
    QCOMPARE(w.prompts.fileRequests.back().filter, QStringLiteral("iCalendar Files (*.ics)"));

    // Into an emptied store and again: added once, then already present.
    GetEventStore().RemoveAll();
    w.prompts.files = {w.Path("out.ics"), w.Path("out.ics")};
    Trigger(m, "Import iCalendar...");
    Trigger(m, "Import iCalendar...");
    QCOMPARE(w.prompts.told, (QStringList{"Tallyvane: 2 events imported, 0 already present, 0 skipped.",
                                          "Tallyvane: 0 events imported, 2 already present, 0 skipped."}));
    QCOMPARE(m->pages()->allPage()->list()->listModel()->rowCount(), 2);
    CEventStore onDisk(EventFilePath());
    onDisk.Load();
    QCOMPARE(onDisk.GetCount(), size_t(2));

    // A series with a left-out date: Cancel imports nothing, Skip skips it, the dialog's choice
    // reaches the item.
    w.dir.Write("peer.ics", "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nUID:p1\r\nSUMMARY:Chor\r\nDTSTART:20240603T180000\r\n"
                            "RRULE:FREQ=WEEKLY\r\nEXDATE:20240610T180000\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n");
    QStringList asked;
    bool answer = false;
    SetIcsChoicesForTesting([&](QWidget*, const std::vector<ics::IcsImportItem*>& items) {
        for (ics::IcsImportItem* item : items) {
            asked << QString::fromStdString(ics::DescribeItem(*item));
            CIcsImportDlg dialog(items);
            dialog.choiceBox(0)->setCurrentIndex(1);
            dialog.applyChoices();
        }
        return answer;
    });
    w.prompts.told.clear();
    w.prompts.files = {w.Path("peer.ics"), w.Path("peer.ics")};
    Trigger(m, "Import iCalendar...");
    answer = true;
    Trigger(m, "Import iCalendar...");
    QCOMPARE(asked, QStringList(2, "\"Chor\" (2024-06-03 18:00): EXDATE (1 date(s) left out)"));
    QCOMPARE(w.prompts.told, QStringList{"Tallyvane: 0 events imported, 0 already present, 1 skipped."});
    QCOMPARE(GetEventStore().GetCount(), size_t(2));
}

QTEST_MAIN(IcsCommandsTest)
#include "IcsCommandsTest.moc"
