// New and Modify as the program runs them: the real editor and recurrence dialogs filled in
// by hand, the event added to the process-wide store and the event file written.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <functional>

#include "AppTestSupport.h"
#include "TempDir.h"
#include "controls/DateTimeField.h"
#include "dialogs/EventCommands.h"
#include "dialogs/EventEditorDlg.h"
#include "dialogs/RecurrenceDlg.h"
#include "model/EventTypeTable.h"
#include "shell/Commands.h"
#include "shell/KeyValueStore.h"
#include "shell/MainWnd.h"
#include "store/EventStore.h"
#include "store/FileIo.h"
#include "store/ProgramFolder.h"

using namespace tv;

namespace {

template <class T>
T* Child(QWidget* parent, const char* name) {
    T* w = parent->findChild<T*>(QLatin1String(name));
    if (!w) qFatal("no child %s", name);
    return w;
}

// Runs fn on the next modal dialog of type T once it shows. fn must close the dialog, so it
// records what it sees instead of checking it there.
template <class T>
void WhenModal(std::function<void(T*)> fn) {
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, fn] {
        if (T* dlg = qobject_cast<T*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            fn(dlg);
        }
    });
    timer->start();
}

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
    CEventTypeTable& types = GetEventTypeTable();
    for (size_t i = 0; i < types.GetCount(); ++i)
        if (types.GetAt(static_cast<long>(i)).GetName() == name) return static_cast<int>(i);
    qFatal("no type %s", name);
}

}  // namespace

class EditingCommandsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void yearlyBirthday();
    void weeklyMeeting();
    void monthlyPaymentOnTheLastFriday();
    void dailyPillWithAnEnd();
    void modifyKeepsTheIdAndMovesBetweenLists();
    void failedSaveIsReported();
    void mainWindowNewAndModifyRefreshTheActivePage();

private:
    tvtest::TempDir m_dir;
    MemoryKeyValueStore m_settings;
    tvtest::ScriptedPrompts m_prompts;
};

void EditingCommandsTest::initTestCase() {
    SetProgramFolder(m_dir.Path());
    SetSettingsStore(&m_settings);
    SetUserPrompts(&m_prompts);
    QVERIFY(GetEventTypeTable().GetCount() >= 10);  // the shipped types, seeded
    QCOMPARE(GetEventStore().GetCount(), size_t(0));
}

void EditingCommandsTest::yearlyBirthday() {
    const DateTime start = Tomorrow(9, 0);
    QString title;
    WhenModal<CEventEditorDlg>([&](CEventEditorDlg* dlg) {
        title = dlg->windowTitle();
        Child<QLineEdit>(dlg, "name")->setText(QStringLiteral("Ann's birthday"));
        SetRecurrenceVia(dlg, [&](CRecurrenceDlg* rd) {
            Child<CDateTimeField>(rd, "start")->setValue(start);
            Child<QRadioButton>(rd, "yearly")->click();
            Child<QComboBox>(rd, "yearlyEveryMonth")->setCurrentIndex(start.GetMonth() - 1);
            Child<QLineEdit>(rd, "yearlyDay")->setText(QString::number(start.GetDay()));
        });
        dlg->accept();
    });
    const uint32_t id = NewEventWithEditor(nullptr, TypeIndex("Birthday"));
    QCOMPARE(title, QStringLiteral("New Birthday"));
    QVERIFY(id >= kFirstRecurringId);
    CPtEvent ev;
    QVERIFY(GetEventStore().GetById(id, ev));
    QCOMPARE(ev.GetName(), std::string("Ann's birthday"));
    QCOMPARE(ev.GetRecurrence().GetDescription(),
             "Every " + GetMonthName(start.GetMonth()) + " " + std::to_string(start.GetDay()));
    QCOMPARE(ev.GetRecurrence().GetNextOccurrence(LocalNow()), start);
    QVERIFY(m_dir.Exists("Evnt.est"));
}

void EditingCommandsTest::weeklyMeeting() {
    WhenModal<CEventEditorDlg>([&](CEventEditorDlg* dlg) {
        Child<QLineEdit>(dlg, "name")->setText(QStringLiteral("Team meeting"));
        SetRecurrenceVia(dlg, [&](CRecurrenceDlg* rd) {
            Child<CDateTimeField>(rd, "start")->setValue(Tomorrow(10, 30));
            Child<QRadioButton>(rd, "weekly")->click();
            Child<QCheckBox>(rd, "sunday")->setChecked(false);
            Child<QCheckBox>(rd, "monday")->setChecked(true);
            Child<QCheckBox>(rd, "thursday")->setChecked(true);
        });
        dlg->accept();
    });
    const uint32_t id = NewEventWithEditor(nullptr, TypeIndex("Meeting"));
    CPtEvent ev;
    QVERIFY(GetEventStore().GetById(id, ev));
    QCOMPARE(ev.GetRecurrence().GetDescription(), std::string("Every 1 week(s) on Monday,Thursday"));
}

void EditingCommandsTest::monthlyPaymentOnTheLastFriday() {
    WhenModal<CEventEditorDlg>([&](CEventEditorDlg* dlg) {
        Child<QLineEdit>(dlg, "name")->setText(QStringLiteral("Rent"));
        SetRecurrenceVia(dlg, [&](CRecurrenceDlg* rd) {
            Child<CDateTimeField>(rd, "start")->setValue(Tomorrow(8, 0));
            Child<QRadioButton>(rd, "monthly")->click();
            Child<QRadioButton>(rd, "monthlyTheMode")->click();
            Child<QComboBox>(rd, "monthlyOrdinal")->setCurrentIndex(4);
            Child<QComboBox>(rd, "monthlyWeekday")->setCurrentIndex(5);
        });
        dlg->accept();
    });
    const uint32_t id = NewEventWithEditor(nullptr, TypeIndex("Payment"));
    CPtEvent ev;
    QVERIFY(GetEventStore().GetById(id, ev));
    QCOMPARE(ev.GetRecurrence().GetDescription(), std::string("The Last Friday of Every 1 Months"));
    const DateTime next = ev.GetRecurrence().GetNextOccurrence(LocalNow());
    QCOMPARE(next.GetDayOfWeek(), 6);
    QVERIFY(next.GetDay() + 7 > DaysInMonthOf(next));
}

void EditingCommandsTest::dailyPillWithAnEnd() {
    const DateTime end = Tomorrow(0, 0) + TimeSpan(13.0);
    WhenModal<CEventEditorDlg>([&](CEventEditorDlg* dlg) {
        Child<QLineEdit>(dlg, "name")->setText(QStringLiteral("Pill"));
        SetRecurrenceVia(dlg, [&](CRecurrenceDlg* rd) {
            Child<CDateTimeField>(rd, "start")->setValue(Tomorrow(8, 0));
            Child<QRadioButton>(rd, "daily")->click();
            Child<QCheckBox>(rd, "endsOn")->setChecked(true);
            Child<CDateTimeField>(rd, "end")->setValue(end);
        });
        dlg->accept();
    });
    const uint32_t id = NewEventWithEditor(nullptr, 0);
    CPtEvent ev;
    QVERIFY(GetEventStore().GetById(id, ev));
    QCOMPARE(ev.GetRecurrence().GetDescription(), std::string("Every 1 Days"));
    QVERIFY(ev.GetRecurrence().IsEndEnabled());
    QCOMPARE(ev.GetRecurrence().GetEnd().DateOnly(), end.DateOnly());
}

void EditingCommandsTest::modifyKeepsTheIdAndMovesBetweenLists() {
    WhenModal<CEventEditorDlg>([&](CEventEditorDlg* dlg) {
        Child<QLineEdit>(dlg, "name")->setText(QStringLiteral("Dentist"));
        Child<CDateTimeField>(dlg, "start")->setValue(Tomorrow(14, 0));
        dlg->accept();
    });
    const uint32_t id = NewEventWithEditor(nullptr, TypeIndex("Appointment"));
    QVERIFY(id > 0 && id < kOneOffIdLimit);

    QString title, name;
    WhenModal<CEventEditorDlg>([&](CEventEditorDlg* dlg) {
        title = dlg->windowTitle();
        name = Child<QLineEdit>(dlg, "name")->text();
        SetRecurrenceVia(dlg, [](CRecurrenceDlg* rd) { Child<QRadioButton>(rd, "daily")->click(); });
        dlg->accept();
    });
    QVERIFY(ModifyEventWithEditor(nullptr, id));
    QCOMPARE(title, QStringLiteral("Modify Appointment"));
    QCOMPARE(name, QStringLiteral("Dentist"));
    CPtEvent ev;
    QVERIFY(GetEventStore().GetById(id, ev));
    QVERIFY(ev.IsRecurrent());
    QVERIFY(!ModifyEventWithEditor(nullptr, 12345));  // no such event: nothing opens
}

void EditingCommandsTest::failedSaveIsReported() {
    SetWriteFunctionForTesting([](int, const void*, size_t) -> long {
        errno = ENOSPC;
        return -1;
    });
    const bool saved = SaveEventFileReporting(nullptr);
    SetWriteFunctionForTesting(nullptr);
    QVERIFY(!saved);
    QCOMPARE(m_prompts.told.size(), 1);
    QVERIFY(m_prompts.told[0].startsWith(QStringLiteral("Tallyvane: ")));
    QVERIFY(SaveEventFileReporting(nullptr));
}

void EditingCommandsTest::mainWindowNewAndModifyRefreshTheActivePage() {
    CMainWnd* w = CMainWnd::OpenOrRestore();
    auto* day = new tvtest::FakePage;
    w->setPage(0, day);
    auto* all = new tvtest::FakePage;
    w->setPage(5, all);
    w->setView(0);
    w->updateCommandStates();
    QVERIFY(w->isCommandEnabled(cmd::kNew));
    QVERIFY(!w->isCommandEnabled(cmd::kModify));  // nothing selected

    // New of the third type from the main window.
    const size_t before = GetEventStore().GetCount();
    QString title;
    WhenModal<CEventEditorDlg>([&](CEventEditorDlg* dlg) {
        title = dlg->windowTitle();
        Child<QLineEdit>(dlg, "name")->setText(QStringLiteral("Checkup"));
        Child<CDateTimeField>(dlg, "start")->setValue(Tomorrow(11, 0));
        dlg->accept();
    });
    w->runCommand(kTypeMenuFirstId + 2);
    QCOMPARE(title, QStringLiteral("New Appointment"));
    QCOMPARE(GetEventStore().GetCount(), before + 1);
    QCOMPARE(day->rebuilds, 1);

    // Modify the selected event on a calendar view: the view lays out again.
    uint32_t id = 0;
    GetEventStore().ForEachEvent([&](const CPtEvent& ev) {
        if (ev.GetName() == "Checkup") id = ev.GetId();
    });
    day->selection = {id};
    w->updateCommandStates();
    QVERIFY(w->isCommandEnabled(cmd::kModify));
    WhenModal<CEventEditorDlg>([&](CEventEditorDlg* dlg) {
        title = dlg->windowTitle();
        Child<QLineEdit>(dlg, "name")->setText(QStringLiteral("Check-up"));
        dlg->accept();
    });
    w->runCommand(cmd::kModify);
    QCOMPARE(title, QStringLiteral("Modify Appointment"));
    CPtEvent ev;
    QVERIFY(GetEventStore().GetById(id, ev));
    QCOMPARE(ev.GetName(), std::string("Check-up"));
    QCOMPARE(day->rebuilds, 2);

    // On the list page only the row is redrawn; Cancel changes nothing.
    w->setView(5);
    all->selection = {id};
    WhenModal<CEventEditorDlg>([](CEventEditorDlg* dlg) {
        Child<QLineEdit>(dlg, "name")->setText(QStringLiteral("Dropped"));
        dlg->reject();
    });
    w->runCommand(cmd::kModify);
    QVERIFY(all->refreshed.empty());
    WhenModal<CEventEditorDlg>([](CEventEditorDlg* dlg) { dlg->accept(); });
    w->runCommand(cmd::kModify);
    QCOMPARE(all->refreshed, std::vector<uint32_t>{id});
    QVERIFY(GetEventStore().GetById(id, ev));
    QCOMPARE(ev.GetName(), std::string("Check-up"));
    w->close();
}

QTEST_MAIN(EditingCommandsTest)
#include "EditingCommandsTest.moc"
