// Test doubles and helpers shared by the Qt tests: a settable clock, a recording sound player,
// scripted answers to the program's questions, the scratch world (program folder, settings,
// prompts) every test installs, and the fixture that installs it.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QItemSelectionModel>
#include <QMessageBox>
#include <QStringList>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <deque>
#include <functional>
#include <utility>
#include <vector>

#include "Events.h"
#include "TempDir.h"
#include "engine/Clock.h"
#include "engine/ReminderPopup.h"
#include "engine/SoundPlayer.h"
#include "shell/AppSettings.h"
#include "shell/ClockWnd.h"
#include "shell/MainWnd.h"
#include "shell/UserPrompts.h"
#include "store/EventStore.h"
#include "store/ProgramFolder.h"
#include "views/CalendarView.h"
#include "views/DailyLayout.h"
#include "views/EventListCtrl.h"
#include "views/ViewPages.h"

namespace tvtest {

class FakeClock final : public tv::IClock {
public:
    explicit FakeClock(tv::DateTime now) : m_now(now) {}
    tv::DateTime Now() const override { return m_now; }
    tv::DateTime PreciseNow() const override { return m_now + tv::TimeSpan(m_millis / 86400000.0); }
    void Set(tv::DateTime now, int millis = 0) {
        m_now = now;
        m_millis = millis;
    }

private:
    tv::DateTime m_now;
    int m_millis = 0;
};

class RecordingSoundPlayer final : public tv::ISoundPlayer {
public:
    void Play(const QString& fileName) override { played << fileName; }
    QStringList played;
};

// Answers from queues (Yes, and Cancel for the choosers, when they run dry) and records every
// text it was shown.
class ScriptedPrompts final : public tv::IUserPrompts {
public:
    bool AskYesNo(QWidget*, const QString& caption, const QString& text) override {
        asked << caption + QStringLiteral(": ") + text;
        return Take(yesNo, true);
    }
    tv::DeleteAnswer AskDeleteRecurring(QWidget*) override {
        asked << QStringLiteral("Delete Events");
        return Take(deleteAnswers, tv::DeleteAnswer::Yes);
    }
    void Tell(QWidget*, const QString& caption, const QString& text, bool) override {
        told << caption + QStringLiteral(": ") + text;
    }
    QString ChooseFile(QWidget*, const tv::FileDialogRequest& request) override {
        fileRequests.push_back(request);
        return Take(files, QString());
    }
    QString ChooseFolder(QWidget*, const QString& title) override {
        asked << title;
        return Take(folders, QString());
    }
    bool ChooseImportContent(QWidget*, bool& events, bool& types) override {
        if (importContent.empty()) return false;
        std::tie(events, types) = Take(importContent, std::pair(false, false));
        return true;
    }
    // The print dialog: the test sets the printer up (a PDF file) and answers OK; unset: Cancel.
    bool SetUpPrinter(QWidget*, QPrinter& printer) override {
        asked << QStringLiteral("Print");
        return printerSetup && printerSetup(printer);
    }
    tv::HiddenAnswer AskKeepRunningHidden(QWidget*) override {
        asked << QStringLiteral("Keep running?");
        return Take(hiddenAnswers, tv::HiddenAnswer::KeepRunning);
    }

    std::deque<bool> yesNo;
    std::deque<tv::DeleteAnswer> deleteAnswers;
    std::deque<tv::HiddenAnswer> hiddenAnswers;
    std::function<bool(QPrinter&)> printerSetup;
    std::deque<QString> files, folders;
    std::deque<std::pair<bool, bool>> importContent;  // (events, types); empty: Cancel
    std::vector<tv::FileDialogRequest> fileRequests;
    QStringList asked, told;

private:
    template <class T>
    static T Take(std::deque<T>& queue, T otherwise) {
        if (queue.empty()) return otherwise;
        T answer = queue.front();
        queue.pop_front();
        return answer;
    }
};

// A named child widget; the test stops when it is missing.
template <class T>
T* Child(QObject* parent, const char* name) {
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

// Answers every message box that opens while it lives with OK (or Yes), keeping the texts.
class MessageBoxAnswerer : public QObject {
public:
    MessageBoxAnswerer() {
        m_timer.setInterval(10);
        connect(&m_timer, &QTimer::timeout, this, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return;
            texts << box->text();
            box->button(QMessageBox::Ok) ? box->button(QMessageBox::Ok)->click() : box->reject();
        });
        m_timer.start();
    }
    QStringList texts;

private:
    QTimer m_timer;
};

// A clock window without the scheduler, the tray icon or the main window at start.
inline tv::ClockOptions QuietClock() {
    tv::ClockOptions o;
    o.startScheduler = false;
    o.trayIcon = false;
    o.honourShowMainWnd = false;
    return o;
}

// The scratch program folder, settings, prompts and sound player the process-wide objects use.
struct AppWorld {
    TempDir dir;
    tv::MemoryKeyValueStore settings;
    ScriptedPrompts prompts;
    RecordingSoundPlayer sound;
    FakeClock clock{tv::DateTime::FromParts(2024, 5, 6, 10, 0, 0)};

    void Install() {
        tv::SetProgramFolder(dir.Path());
        tv::SetSettingsStore(&settings);
        tv::SetUserPrompts(&prompts);
        tv::SetSoundPlayer(&sound);
    }
    // Before each test: an empty store and fresh answers.
    void Reset() {
        tv::GetEventStore().RemoveAll();
        prompts = ScriptedPrompts();
        sound.played.clear();
    }
    // After each test: every window closed and deleted.
    static void CloseWindows() {
        tv::CReminderPopup::CloseAll();
        if (tv::CMainWnd* m = tv::CMainWnd::Instance()) m->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    // An event in the process-wide store; a recurring one repeats daily from its start, which is
    // 09:00 on the world's day unless given.
    uint32_t Add(const char* name, const tv::DateTime& start, bool recurring = false, uint32_t type = 0) {
        tv::CPtEvent ev(clock.Now());
        ev.SetName(name);
        ev.SetStart(start);
        ev.SetType(type);
        if (recurring) {
            ev.GetRecurrence().SetStart(start);
            ev.GetRecurrence().SetPattern(std::make_unique<tv::CDailyRePattern>());
        }
        tv::GetEventStore().Add(ev);
        return ev.GetId();
    }
    uint32_t Add(const char* name, bool recurring = false, uint32_t type = 0) {
        return Add(name, clock.Now().DateOnly() + tv::TimeSpan::FromParts(0, 9, 0, 0), recurring, type);
    }
    tv::CMainWnd* Open(int view) {
        tv::CMainWnd* w = tv::CMainWnd::OpenOrRestore();
        w->setClock(&clock);
        w->resize(900, 700);
        w->setView(view);
        QCoreApplication::processEvents();
        return w;
    }
};

// The fixture of the tests that open the program's windows: the world installed once, an empty
// store and fresh answers before each test, every window closed after it. A test class with
// more to prepare declares its own init() and calls w.Reset() there.
class AppTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { w.Install(); }
    void init() { w.Reset(); }
    void cleanup() { w.CloseWindows(); }

protected:
    AppWorld w;
};

// A click on the Daily view's half-hour row that starts at that time of its day.
inline void ClickDaily(tv::CCalendarView* daily, int hour, int minute = 0) {
    const int y = tv::DailyLayout::SlotTop(hour * 2 + minute / 30) - daily->layout().GetScroll().pos + 5;
    QTest::mouseClick(daily->viewport(), Qt::LeftButton, {}, QPoint(120, y));
}

// Selects the rows of those events, as clicks with Ctrl held would.
inline void SelectRows(tv::CEventListCtrl* list, const std::vector<uint32_t>& ids) {
    list->clearSelection();
    for (uint32_t id : ids)
        list->selectionModel()->select(list->listModel()->index(list->listModel()->rowOf(id), 0),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

// The event as a fresh start of the program would read it from the event file.
inline bool OnDisk(uint32_t id, tv::CPtEvent* out = nullptr) {
    tv::CEventStore reread(tv::EventFilePath());
    reread.Load();
    tv::CPtEvent ev;
    const bool found = reread.GetById(id, ev);
    if (out) *out = ev;
    return found;
}

}  // namespace tvtest
