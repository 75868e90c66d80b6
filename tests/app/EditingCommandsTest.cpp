// New and Modify as the program runs them: the real editor and recurrence dialogs filled in
// by hand, the event added to the process-wide store and the event file written.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

#include "AppTestSupport.h"
#include "controls/DateTimeField.h"
#include "dialogs/EventCommands.h"
#include "dialogs/EventEditorDlg.h"
#include "dialogs/RecurrenceDlg.h"
#include "store/EventTypeTable.h"
#include "shell/Commands.h"
#include "platform/FileIo.h"
#include "views/ListPages.h"

using namespace tv;
using tvtest::Child;
using tvtest::WhenModal;

namespace {

// Fills the recurrence dialog that the editor's "Set Recurrence..." opens.
void SetRecurrenceVia(CEventEditorDlg* editor, std::function<void(CRecurrenceDlg*)> fill) {
    WhenModal<CRecurrenceDlg>([fill](CRecurrenceDlg* rd) {
        fill(rd);
        rd->accept();
    });
    Child<QPushButton>(editor, "setRecurrence")->click();
}

DateTime Tomorrow(int hour, int minute) {
    return (LocalNow() + TimeSpan(1.0)).DateOnly() + TimeSpan::FromParts(0, hour, minute, 0);
}

int TypeIndex(const char* name) {
    for (size_t i = 0; i < GetEventTypeTable().GetCount(); ++i)
        if (GetEventTypeTable().GetAt(static_cast<long>(i)).GetName() == name) return static_cast<int>(i);
    qFatal("no type %s", name);
}

}  // namespace

class EditingCommandsTest : public tvtest::AppTest {
    Q_OBJECT
private Q_SLOTS:
    void newYearlyBirthdayWithAnEndReachesTheFile();
    void failedSaveIsReported();
    void mainWindowNewAndModifyRefreshTheActivePage();
};

void EditingCommandsTest::newYearlyBirthdayWithAnEndReachesTheFile() {
    const DateTime start = Tomorrow(9, 0), end = Tomorrow(0, 0) + TimeSpan(800.0);
    QString title;
    WhenModal<CEventEditorDlg>([&](CEventEditorDlg* dlg) {
        title = dlg->windowTitle();
        Child<QLineEdit>(dlg, "name")->setText(QStringLiteral("Ann's birthday"));
        SetRecurrenceVia(dlg, [&](CRecurrenceDlg* rd) {
            Child<CDateTimeField>(rd, "start")->setValue(start);
            Child<QRadioButton>(rd, "yearly")->click();
            Child<QComboBox>(rd, "yearlyEveryMonth")->setCurrentIndex(start.GetMonth() - 1);
            Child<QLineEdit>(rd, "yearlyDay")->setText(QString::number(start.GetDay()));
            Child<QCheckBox>(rd, "endsOn")->setChecked(true);
            Child<CDateTimeField>(rd, "end")->setValue(end);
        });
        dlg->accept();
    });
    const uint32_t id = NewEventWithEditor(nullptr, TypeIndex("Birthday"));
    QCOMPARE(title, QStringLiteral("New Birthday"));
    QVERIFY(id >= kFirstRecurringId);
    CPtEvent ev;
    QVERIFY(tvtest::OnDisk(id, &ev));
    QCOMPARE(ev.GetName(), std::string("Ann's birthday"));
    QCOMPARE(ev.GetRecurrence().GetDescription(),
             "Every " + GetMonthName(start.GetMonth()) + " " + std::to_string(start.GetDay()));
    QCOMPARE(ev.GetRecurrence().GetNextOccurrence(LocalNow()), start);
    QVERIFY(ev.GetRecurrence().IsEndEnabled());
    QCOMPARE(ev.GetRecurrence().GetEnd().DateOnly(), end.DateOnly());
}

void EditingCommandsTest::failedSaveIsReported() {
    SetWriteFunctionForTesting([](int, const void*, size_t) -> long {
        errno = ENOSPC;
        return -1;
    });
    const bool saved = SaveEventFileReporting(nullptr);
    SetWriteFunctionForTesting(nullptr);
    QVERIFY(!saved);
    QCOMPARE(w.prompts.told.size(), 1);
    QVERIFY(w.prompts.told[0].startsWith(QStringLiteral("Tallyvane: ")));
    QVERIFY(SaveEventFileReporting(nullptr));
}

void EditingCommandsTest::mainWindowNewAndModifyRefreshTheActivePage() {
    CMainWnd* m = w.Open(kViewDaily);
    CCalendarView* daily = m->pages()->calendarView(kViewDaily);
    m->pages()->gotoDate(Tomorrow(0, 0));
    QVERIFY(m->isCommandEnabled(cmd::kNew));

    // New of the third type from the main window: the calendar view lays out again.
    QString title;
    WhenModal<CEventEditorDlg>([&](CEventEditorDlg* dlg) {
        title = dlg->windowTitle();
        Child<QLineEdit>(dlg, "name")->setText(QStringLiteral("Checkup"));
        Child<CDateTimeField>(dlg, "start")->setValue(Tomorrow(11, 0));
        dlg->accept();
    });
    m->runCommand(kTypeMenuFirstId + 2);
    QCOMPARE(title, QStringLiteral("New Appointment"));
    QCOMPARE(daily->layout().ItemCount(), size_t(1));
    tvtest::ClickDaily(daily, 11);
    const uint32_t id = daily->GetSelectedEvent();
    QVERIFY(id);

    // Modify on a calendar view lays it out again: here the event becomes a recurring one
    // under the same id, from the day after. On the list page Modify redraws only the row, and
    // Cancel changes nothing.
    QString name;
    WhenModal<CEventEditorDlg>([&](CEventEditorDlg* dlg) {
        title = dlg->windowTitle();
        name = Child<QLineEdit>(dlg, "name")->text();
        SetRecurrenceVia(dlg, [](CRecurrenceDlg* rd) {
            Child<QRadioButton>(rd, "daily")->click();
            Child<CDateTimeField>(rd, "start")->setValue(Tomorrow(11, 0) + TimeSpan(1.0));
        });
        dlg->accept();
    });
    m->runCommand(cmd::kModify);
    QCOMPARE(std::pair(title, name), std::pair(QStringLiteral("Modify Appointment"), QStringLiteral("Checkup")));
    QCOMPARE(daily->layout().ItemCount(), size_t(0));
    CPtEvent ev;
    QVERIFY(tvtest::OnDisk(id, &ev) && ev.IsRecurrent());
    QVERIFY(!ModifyEventWithEditor(nullptr, 12345));  // no such event: nothing opens
    m->setView(kViewAll);
    CEventListCtrl* list = m->pages()->allPage()->list();
    tvtest::SelectRows(list, {id});
    QVERIFY(m->isCommandEnabled(cmd::kModify));
    QSignalSpy redrawn(list->listModel(), &QAbstractItemModel::dataChanged);
    WhenModal<CEventEditorDlg>([](CEventEditorDlg* dlg) {
        Child<QLineEdit>(dlg, "name")->setText(QStringLiteral("Dropped"));
        dlg->reject();
    });
    m->runCommand(cmd::kModify);
    QCOMPARE(redrawn.count(), 0);
    WhenModal<CEventEditorDlg>([](CEventEditorDlg* dlg) {
        Child<QLineEdit>(dlg, "name")->setText(QStringLiteral("Check-up"));
        dlg->accept();
    });
    m->runCommand(cmd::kModify);
    QCOMPARE(redrawn.count(), 1);
    QVERIFY(tvtest::OnDisk(id, &ev));
    QCOMPARE(ev.GetName(), std::string("Check-up"));
}

QTEST_MAIN(EditingCommandsTest)
#include "EditingCommandsTest.moc"
