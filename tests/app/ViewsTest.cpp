// The calendar pages in the main window: switching, selection by mouse and keys, the date
// commands, the view-area menu, the list pages with sorting, Find and group delete, and the
// coming-events balloon.
#include <QCheckBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include "AppTestSupport.h"
#include "TempDir.h"
#include "controls/DateTimeField.h"
#include "model/EventTypeTable.h"
#include "shell/AppSettings.h"
#include "shell/ClockWnd.h"
#include "shell/Commands.h"
#include "shell/MainWnd.h"
#include "shell/WindowSettings.h"
#include "store/EventStore.h"
#include "store/ProgramFolder.h"
#include "views/CalendarView.h"
#include "views/ComingEventsWnd.h"
#include "views/DailyLayout.h"
#include "views/ListPages.h"
#include "views/MonthlyLayout.h"
#include "views/ViewPages.h"
#include "views/ViewPainter.h"
#include "views/ViewTabBar.h"
#include "views/WeekdayLayout.h"
#include "views/WeeklyLayout.h"

using namespace tv;

namespace {

DateTime At(int y, int mo, int d, int h = 0, int mi = 0) { return DateTime::FromParts(y, mo, d, h, mi, 0); }

QAction* ActionFor(QMenu* menu, int id) {
    for (QAction* a : menu->actions())
        if (a->data().toInt() == id) return a;
    return nullptr;
}

}  // namespace

class ViewsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void pagesAndTabBarFollowTheView();
    void storedViewTypeOutsideTheRangeOpensDaily();
    void clickSelectsABoxAndEnablesTheEventCommands();
    void weekdayKeysMoveTheCellAndTheCurrentDate();
    void weeklyScrollBarNavigatesWeeksEvenAtItsEnd();
    void contextMenuFollowsTheCommandRules();
    void gotoTodayAndThisDaySwitchToTheDailyView();
    void gotoDateMovesTheCalendarButOnlyTheTabDateOnLists();
    void dateButtonIsAbsentOnFindAndNarrowOnAll();
    void currentDateSurvivesAClosedMainWindow();
    void doubleClickOnAnEmptyCellStartsAnEventThere();
    void allPageSortsByHeaderClicksKeepingTheSelection();
    void findPageMatchesItsCriteria();
    void groupDeleteOnTheAllPage();
    void balloonListsTodaysDueEventsAndOpensAfterARest();
    void paperShowsNeitherSelectionNorIcons();

private:
    uint32_t Add(const char* name, const DateTime& start, bool recurring = false, uint32_t type = 0);
    CMainWnd* Open(int view);
    CViewPages* Pages(CMainWnd* w) { return CViewPages::Of(w); }

    tvtest::TempDir m_dir;
    MemoryKeyValueStore m_settings;
    tvtest::ScriptedPrompts m_prompts;
    tvtest::FakeClock m_clock{At(2008, 1, 16, 10, 0)};  // a Wednesday
};

void ViewsTest::initTestCase() {
    SetProgramFolder(m_dir.Path());
    SetSettingsStore(&m_settings);
    SetUserPrompts(&m_prompts);
}

void ViewsTest::init() {
    GetEventStore().RemoveAll();
    m_prompts = tvtest::ScriptedPrompts();
    m_clock.Set(At(2008, 1, 16, 10, 0));
    CViewPages::SetSharedDate(At(2008, 1, 16, 10, 0));
    CViewPages::SetNewEventAt({});
    WriteViewType(m_settings, 0);
}

void ViewsTest::cleanup() {
    if (CMainWnd* m = CMainWnd::Instance()) m->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

uint32_t ViewsTest::Add(const char* name, const DateTime& start, bool recurring, uint32_t type) {
    CPtEvent ev(m_clock.Now());
    ev.SetName(name);
    ev.SetStart(start);
    ev.SetType(type);
    if (recurring) {
        ev.GetRecurrence().SetStart(start);
        ev.GetRecurrence().SetPattern(std::make_unique<CDailyRePattern>());
    }
    GetEventStore().Add(ev);
    return ev.GetId();
}

CMainWnd* ViewsTest::Open(int view) {
    CMainWnd* w = CMainWnd::OpenOrRestore();
    w->setClock(&m_clock);
    w->resize(900, 700);
    w->setView(view);
    QCoreApplication::processEvents();
    return w;
}

void ViewsTest::pagesAndTabBarFollowTheView() {
    Add("Dentist", At(2008, 1, 16, 9, 0));
    Add("Lunch", At(2008, 1, 1, 12, 0), true);
    CMainWnd* w = Open(kViewMonthly);
    CViewPages* pages = Pages(w);
    QVERIFY(pages);
    auto* bar = qobject_cast<CViewTabBar*>(w->tabBar());
    QCOMPARE(bar, pages->tabBar());
    QCOMPARE(bar->height(), 31);
    QCOMPARE(bar->titleText(), QStringLiteral("Monthly"));
    QCOMPARE(w->pageWidget(kViewMonthly), pages->calendarView(kViewMonthly));
    auto& monthly = static_cast<MonthlyLayout&>(pages->calendarView(kViewMonthly)->layout());
    QCOMPARE(monthly.GetFirstCellDate(), At(2008, 1, 13));
    QCOMPARE(bar->dateText(), CCalendarView::ShortDate(At(2008, 1, 13)) + QStringLiteral(" - ") +
                                  CCalendarView::ShortDate(At(2008, 2, 16)));

    w->runCommand(cmd::kAllEvents);
    QCOMPARE(bar->titleText(), QStringLiteral("All"));
    QCOMPARE(pages->allPage()->list()->model()->rowCount(), 2);
    QCOMPARE(pages->activeCalendarView(), pages->calendarView(kViewMonthly));  // kept behind the list

    // A refill on every visit: an event added meanwhile shows up.
    Add("Late", At(2008, 1, 20, 9, 0));
    w->runCommand(cmd::kFind);
    QCOMPARE(pages->findPage()->list()->model()->rowCount(), 3);  // a search without criteria
    w->runCommand(cmd::kAllEvents);
    QCOMPARE(pages->allPage()->list()->model()->rowCount(), 3);
    QVERIFY(w->action(cmd::kAllEvents)->isChecked());
}

void ViewsTest::storedViewTypeOutsideTheRangeOpensDaily() {
    WriteViewType(m_settings, 9);
    CMainWnd* w = CMainWnd::OpenOrRestore();
    QCOMPARE(w->viewIndex(), kViewDaily);
    QCOMPARE(Pages(w)->tabBar()->titleText(), QStringLiteral("Daily"));
    QVERIFY(Pages(w)->calendarView(kViewDaily)->isVisibleTo(w));
}

void ViewsTest::clickSelectsABoxAndEnablesTheEventCommands() {
    const uint32_t id = Add("Dentist", At(2008, 1, 16, 9, 0));
    CMainWnd* w = Open(kViewDaily);
    CCalendarView* view = Pages(w)->calendarView(kViewDaily);
    auto& daily = static_cast<DailyLayout&>(view->layout());
    QCOMPARE(daily.GetShownDate(), At(2008, 1, 16, 10, 0));
    const int y = DailyLayout::SlotTop(18) - daily.GetScroll().pos + 5;
    QVERIFY(!w->isCommandEnabled(cmd::kDelete));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, QPoint(120, y));
    QVERIFY(view->HasSelectedEvent());
    QCOMPARE(view->GetSelectedEvent(), id);
    QVERIFY(w->isCommandEnabled(cmd::kDelete));
    QVERIFY(w->isCommandEnabled(cmd::kDisable));
    QCOMPARE(view->SelectedEventIds(), std::vector<uint32_t>{id});

    // The item's own command works on it: Disable reaches the store and the view keeps it.
    w->runCommand(cmd::kDisable);
    CPtEvent ev;
    QVERIFY(GetEventStore().GetById(id, ev));
    QVERIFY(!ev.IsEnabled());
    QVERIFY(view->HasSelectedEvent());

    // A click on an empty slot selects the slot alone; Delete is off again.
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, QPoint(120, y + 40));
    QVERIFY(!view->HasSelectedEvent());
    QCOMPARE(daily.GetSelectedSlot(), 20);
    QVERIFY(!w->isCommandEnabled(cmd::kDelete));
    QCOMPARE(view->GetSelectedDate(), At(2008, 1, 16, 10, 0));

    // Deleting the selected box removes it from the view without a rebuild.
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, QPoint(120, y));
    w->runCommand(cmd::kDelete);
    QVERIFY(!view->HasSelectedEvent());
    QCOMPARE(daily.ItemCount(), size_t(0));
    QCOMPARE(GetEventStore().GetCount(), size_t(0));
}

void ViewsTest::weekdayKeysMoveTheCellAndTheCurrentDate() {
    CMainWnd* w = Open(kViewWeekday);
    CCalendarView* view = Pages(w)->calendarView(kViewWeekday);
    auto& weekday = static_cast<WeekdayLayout&>(view->layout());
    QCOMPARE(weekday.GetFirstDay(), At(2008, 1, 14));
    QCOMPARE(weekday.GetSelectedColumn(), 2);
    QCOMPARE(weekday.GetSelectedSlot(), 20);
    view->setFocus();
    QTest::keyClick(view, Qt::Key_Down);
    QTest::keyClick(view, Qt::Key_Right);
    QCOMPARE(weekday.GetSelectedSlot(), 21);
    QCOMPARE(Pages(w)->currentDate(), At(2008, 1, 17, 10, 30));
    QCOMPARE(CViewPages::SharedDate(), At(2008, 1, 17, 10, 30));
    // The grid scrolls with the wheel; the header stays where it is.
    const int before = view->verticalScrollBar()->value();
    QWheelEvent wheel(QPointF(200, 200), view->viewport()->mapToGlobal(QPointF(200, 200)), QPoint(), QPoint(0, -120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(view->viewport(), &wheel);
    QCOMPARE(view->verticalScrollBar()->value(), before + 20);
    QCOMPARE(weekday.GetScroll().pos, before + 20);

    // Office hours from the preferences: the grid opens at their start and shades them.
    DateTime start, end;
    GetAppSettings().GetOfficeHours(start, end);
    GetAppSettings().SetOfficeHours(DateTime::FromParts(1899, 12, 30, 7, 30, 0), DateTime::FromParts(1899, 12, 30, 16, 0, 0));
    w->runCommand(cmd::kWeekDay);
    QCOMPARE(weekday.GetScroll().pos, 15 * 20);
    QCOMPARE(weekday.GetOfficeHours().startMinute, 7 * 60 + 30);
    GetAppSettings().SetOfficeHours(start, end);
    view->repaint();
    QCOMPARE(weekday.GetOfficeHours().startMinute, 9 * 60);
}

void ViewsTest::weeklyScrollBarNavigatesWeeksEvenAtItsEnd() {
    CMainWnd* w = Open(kViewWeekly);
    CCalendarView* view = Pages(w)->calendarView(kViewWeekly);
    auto& weekly = static_cast<WeeklyLayout&>(view->layout());
    QScrollBar* bar = view->verticalScrollBar();
    QCOMPARE(bar->value(), 25);
    QCOMPARE(bar->maximum(), 51);
    QCOMPARE(weekly.GetFirstDay(), At(2008, 1, 14));
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    QCOMPARE(weekly.GetFirstDay(), At(2008, 1, 28));
    QCOMPARE(bar->value(), 27);
    QCOMPARE(Pages(w)->currentDate(), At(2008, 1, 30));  // Wednesday stays selected
    QVERIFY(Pages(w)->tabBar()->dateText().startsWith(CCalendarView::ShortDate(At(2008, 1, 28))));

    bar->setSliderPosition(51);  // dragged to the end: 24 weeks on
    QCOMPARE(weekly.GetFirstDay(), At(2008, 7, 14));
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    QCOMPARE(bar->value(), 51);
    QCOMPARE(weekly.GetFirstDay(), At(2008, 7, 21));
    bar->triggerAction(QAbstractSlider::SliderPageStepSub);
    QCOMPARE(weekly.GetFirstDay(), At(2008, 7, 14));
}

void ViewsTest::contextMenuFollowsTheCommandRules() {
    Add("Dentist", At(2008, 1, 16, 9, 0));
    CMainWnd* w = Open(kViewDaily);
    CViewPages* pages = Pages(w);
    std::unique_ptr<QMenu> menu = pages->buildContextMenu();
    QStringList texts;
    for (QAction* a : menu->actions())
        if (!a->isSeparator()) texts << a->text();
    QCOMPARE(texts, (QStringList{"New", "&Modify...", "D&elete", "&Accept", "&Enable", "&Disable", "Goto &Today",
                                 "Goto T&his Day", "Goto ..."}));
    QVERIFY(!ActionFor(menu.get(), cmd::kDelete)->isEnabled());
    QVERIFY(ActionFor(menu.get(), cmd::kGotoToday)->isEnabled());
    QVERIFY(!ActionFor(menu.get(), cmd::kGotoThisDay)->isEnabled());  // already the Daily view
    QVERIFY(ActionFor(menu.get(), cmd::kGotoDate)->isEnabled());

    // A right press on the box selects it before the menu is built.
    CCalendarView* view = pages->calendarView(kViewDaily);
    const int y = DailyLayout::SlotTop(18) - view->layout().GetScroll().pos + 5;
    QTest::mousePress(view->viewport(), Qt::RightButton, {}, QPoint(120, y));
    QTest::mouseRelease(view->viewport(), Qt::RightButton, {}, QPoint(120, y));
    menu = pages->buildContextMenu();
    for (int id : {cmd::kDelete, cmd::kAccept, cmd::kEnable, cmd::kDisable})
        QVERIFY2(ActionFor(menu.get(), id)->isEnabled(), qPrintable(QString::number(id)));
    QCOMPARE(ActionFor(menu.get(), cmd::kModify)->isEnabled(), w->isCommandEnabled(cmd::kModify));

    w->setView(kViewMonthly);
    menu = pages->buildContextMenu();
    QVERIFY(ActionFor(menu.get(), cmd::kGotoThisDay)->isEnabled());
    w->setView(kViewFind);
    QVERIFY(!w->isCommandEnabled(cmd::kGotoDate));
    QVERIFY(!w->isCommandEnabled(cmd::kGotoThisDay));
    QVERIFY(w->isCommandEnabled(cmd::kGotoToday));
}

void ViewsTest::gotoTodayAndThisDaySwitchToTheDailyView() {
    CMainWnd* w = Open(kViewMonthly);
    CViewPages* pages = Pages(w);
    m_clock.Set(At(2008, 2, 3, 14, 59));
    w->runCommand(cmd::kGotoToday);
    QCOMPARE(w->viewIndex(), kViewDaily);
    auto& daily = static_cast<DailyLayout&>(pages->calendarView(kViewDaily)->layout());
    QCOMPARE(daily.GetShownDate(), At(2008, 2, 3));
    QCOMPARE(pages->currentDate(), At(2008, 2, 3));
    QCOMPARE(pages->tabBar()->tabDate(), At(2008, 2, 3));

    w->setView(kViewMonthly);
    CCalendarView* monthlyView = pages->calendarView(kViewMonthly);
    auto& monthly = static_cast<MonthlyLayout&>(monthlyView->layout());
    const QRect cell = QRect(0, 0, monthlyView->viewport()->width(), monthlyView->viewport()->height());
    const int cw = cell.width() / 7, rh = (cell.height() - 17) / 5;
    QTest::mouseClick(monthlyView->viewport(), Qt::LeftButton, {}, QPoint(4 * cw + 5, 17 + rh + 5));
    QCOMPARE(monthly.GetViewDate(), At(2008, 2, 14));
    QCOMPARE(pages->currentDate(), At(2008, 2, 14));
    w->runCommand(cmd::kGotoThisDay);
    QCOMPARE(w->viewIndex(), kViewDaily);
    QCOMPARE(daily.GetShownDate(), At(2008, 2, 14, 15, 0));  // the next minute of the present
}

void ViewsTest::gotoDateMovesTheCalendarButOnlyTheTabDateOnLists() {
    CMainWnd* w = Open(kViewWeekly);
    CViewPages* pages = Pages(w);
    pages->tabBar()->setDateChooser([](QWidget*, DateTime& d) {
        d = At(2008, 3, 5);
        return true;
    });
    w->runCommand(cmd::kGotoDate);
    QCOMPARE(w->viewIndex(), kViewWeekly);
    QCOMPARE(static_cast<WeeklyLayout&>(pages->calendarView(kViewWeekly)->layout()).GetFirstDay(), At(2008, 3, 3));
    QCOMPARE(pages->tabBar()->tabDate(), At(2008, 3, 5));
    QCOMPARE(pages->currentDate(), At(2008, 3, 5));

    w->setView(kViewAll);
    pages->tabBar()->setDateChooser([](QWidget*, DateTime& d) {
        d = At(2008, 9, 9);
        return true;
    });
    w->runCommand(cmd::kGotoDate);
    QCOMPARE(w->viewIndex(), kViewAll);
    QCOMPARE(pages->tabBar()->tabDate(), At(2008, 9, 9));
    QCOMPARE(pages->currentDate(), At(2008, 3, 5));

    // A cancelled dialog changes nothing.
    pages->tabBar()->setDateChooser([](QWidget*, DateTime&) { return false; });
    w->setView(kViewWeekly);
    w->runCommand(cmd::kGotoDate);
    QCOMPARE(pages->tabBar()->tabDate(), At(2008, 9, 9));
}

void ViewsTest::dateButtonIsAbsentOnFindAndNarrowOnAll() {
    CMainWnd* w = Open(kViewDaily);
    CViewTabBar* bar = Pages(w)->tabBar();
    int chosen = 0;
    bar->setDateChooser([&](QWidget*, DateTime& d) {
        ++chosen;
        d = At(2008, 5, 1, 8, 0);
        return true;
    });
    const QRect daily = bar->dateButtonRect();
    QVERIFY(daily.width() > 12);
    QCOMPARE(daily.right(), bar->width() - 10 + 6 - 1);
    QTest::mouseClick(bar, Qt::LeftButton, {}, daily.center());
    QCOMPARE(chosen, 1);
    QCOMPARE(static_cast<DailyLayout&>(Pages(w)->calendarView(kViewDaily)->layout()).GetShownDate(), At(2008, 5, 1, 8, 0));

    w->setView(kViewAll);
    QCOMPARE(bar->dateText(), QString());
    QCOMPARE(bar->dateButtonRect().width(), 12);
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->dateButtonRect().center());
    QCOMPARE(chosen, 2);
    w->setView(kViewFind);
    QVERIFY(bar->dateButtonRect().isEmpty());
    QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(bar->width() - 16, 15));
    QCOMPARE(chosen, 2);
}

void ViewsTest::currentDateSurvivesAClosedMainWindow() {
    CMainWnd* w = Open(kViewMonthly);
    CCalendarView* view = Pages(w)->calendarView(kViewMonthly);
    const int cw = view->viewport()->width() / 7, rh = (view->viewport()->height() - 17) / 5;
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, QPoint(cw + 5, 17 + 3 * rh + 5));  // 4 February
    QCOMPARE(Pages(w)->currentDate(), At(2008, 2, 4));
    w->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!CMainWnd::Instance());

    m_clock.Set(At(2008, 6, 1, 9, 0));
    CMainWnd* again = Open(kViewDaily);
    QCOMPARE(Pages(again)->currentDate(), At(2008, 2, 4));
    QCOMPARE(static_cast<DailyLayout&>(Pages(again)->calendarView(kViewDaily)->layout()).GetShownDate(), At(2008, 2, 4));
}

void ViewsTest::doubleClickOnAnEmptyCellStartsAnEventThere() {
    DateTime asked;
    CViewPages::SetNewEventAt([&](QWidget*, const DateTime& start) {
        asked = start;
        CPtEvent ev(start);
        ev.SetName("new");
        ev.SetStart(start);
        GetEventStore().Add(ev);
        return ev.GetId();
    });
    CMainWnd* w = Open(kViewMonthly);
    CCalendarView* view = Pages(w)->calendarView(kViewMonthly);
    m_clock.Set(At(2008, 1, 16, 14, 59));
    const int cw = view->viewport()->width() / 7, rh = (view->viewport()->height() - 17) / 5;
    const QPoint cell(5 * cw + 5, 17 + rh + 40);  // Friday 25 January, below its label
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cell);  // a double click's first press
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, cell);
    QCOMPARE(QString::fromStdString(asked.ToIsoText()), QStringLiteral("2008-01-25 15:00:00"));
    QCOMPARE(view->layout().ItemCount(), size_t(1));  // rebuilt after the editor
}

void ViewsTest::allPageSortsByHeaderClicksKeepingTheSelection() {
    const uint32_t c = Add("Charlie", At(2008, 1, 18, 9, 0));
    const uint32_t a = Add("alpha", At(2008, 1, 17, 9, 0));
    const uint32_t b = Add("Bravo", At(2008, 1, 19, 9, 0));
    CMainWnd* w = Open(kViewAll);
    CEventListCtrl* list = Pages(w)->allPage()->list();
    CEventListTableModel* model = list->listModel();
    QCOMPARE(model->idAt(0), c);
    list->selectRow(1);  // alpha
    QHeaderView* header = list->horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(header->sectionViewportPosition(kColName) + 10, 5));
    QCOMPARE(model->idAt(0), b);  // byte order: capitals first
    QCOMPARE(model->idAt(1), c);
    QCOMPARE(model->idAt(2), a);
    QCOMPARE(list->selectedIds(), std::vector<uint32_t>{a});
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(header->sectionViewportPosition(kColTime) + 10, 5));
    QCOMPARE(model->idAt(0), a);
    QCOMPARE(model->data(model->index(0, kColName), Qt::DisplayRole).toString(), QStringLiteral("alpha"));
    QCOMPARE(model->data(model->index(0, kColTime), Qt::DisplayRole).toString(), QStringLiteral("09:00 - Jan 17,2008"));
    QCOMPARE(model->headerData(kColDuration, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("Duration"));

    // The Find page's results cannot be sorted.
    w->setView(kViewFind);
    CEventListCtrl* found = Pages(w)->findPage()->list();
    const uint32_t first = found->listModel()->idAt(0);
    QHeaderView* fh = found->horizontalHeader();
    QTest::mouseClick(fh->viewport(), Qt::LeftButton, {}, QPoint(fh->sectionViewportPosition(kColName) + 10, 5));
    QCOMPARE(found->listModel()->idAt(0), first);
}

void ViewsTest::findPageMatchesItsCriteria() {
    CEventTypeTable& types = GetEventTypeTable();
    types.RemoveAll();
    CEventType meeting(m_clock.Now());
    meeting.SetName("Meeting");
    types.AddType(meeting);
    const uint32_t dentist = Add("Dentist", At(2008, 1, 18, 9, 0));
    const uint32_t note = Add("Call", At(2008, 1, 20, 9, 0));
    CPtEvent ev;
    GetEventStore().GetById(note, ev);
    ev.SetNote("about the accident");
    GetEventStore().Modify(note, ev);
    const uint32_t team = Add("Team", At(2008, 2, 1, 9, 0), false, meeting.GetId());

    CMainWnd* w = Open(kViewFind);
    CFindPage* find = Pages(w)->findPage();
    QCOMPARE(find->list()->listModel()->rowCount(), 3);
    find->textEdit()->setText(QStringLiteral("dent"));
    QTest::mouseClick(find->findButton(), Qt::LeftButton);
    QCOMPARE(find->list()->listModel()->model().Ids(), (std::vector<uint32_t>{dentist, note}));
    find->caseCheck()->setChecked(true);
    // Return in the text field searches (the main window's Enter key is for Modify elsewhere).
    w->activateWindow();
    find->textEdit()->setFocus();
    QTRY_VERIFY(find->textEdit()->hasFocus());
    QTest::keyClick(find->textEdit(), Qt::Key_Return);
    QCOMPARE(find->list()->listModel()->model().Ids(), std::vector<uint32_t>{note});

    find->textEdit()->clear();
    find->caseCheck()->setChecked(false);
    find->fromCheck()->setChecked(true);
    find->fromField()->setValue(At(2008, 1, 19));
    find->search();
    QCOMPARE(find->list()->listModel()->model().Ids(), (std::vector<uint32_t>{note, team}));
    find->fromCheck()->setChecked(false);
    find->templateCombo()->refill();
    QCOMPARE(find->templateCombo()->itemText(0), QStringLiteral("All"));
    find->templateCombo()->setCurrentIndex(find->templateCombo()->findText(QStringLiteral("Meeting")));
    find->search();
    QCOMPARE(find->list()->listModel()->model().Ids(), std::vector<uint32_t>{team});
    find->templateCombo()->refill();  // reopening keeps the chosen type
    QCOMPARE(find->templateCombo()->currentText(), QStringLiteral("Meeting"));

    // Escape leaves the page where it is.
    QTest::keyClick(find, Qt::Key_Escape);
    QVERIFY(find->isVisible());
    QCOMPARE(w->viewIndex(), kViewFind);
    types.RemoveAll();
}

void ViewsTest::groupDeleteOnTheAllPage() {
    const uint32_t a = Add("a", At(2008, 1, 17, 9, 0));
    const uint32_t r1 = Add("r1", At(2008, 1, 1, 8, 0), true);
    const uint32_t b = Add("b", At(2008, 1, 18, 9, 0));
    Add("r2", At(2008, 1, 1, 8, 0), true);
    const uint32_t keep = Add("keep", At(2008, 1, 19, 9, 0));
    CMainWnd* w = Open(kViewAll);
    CEventListCtrl* list = Pages(w)->allPage()->list();
    QCOMPARE(list->listModel()->rowCount(), 5);
    // Rows: a, b, keep (one-off), then r1, r2. Select all but "keep".
    for (uint32_t id : GetEventStore().GetAllIds())
        if (id != keep)
            list->selectionModel()->select(list->listModel()->index(list->listModel()->rowOf(id), 0),
                                           QItemSelectionModel::Select | QItemSelectionModel::Rows);
    QVERIFY(w->isCommandEnabled(cmd::kDelete));
    m_prompts.deleteAnswers = {DeleteAnswer::No, DeleteAnswer::Cancel};
    w->runCommand(cmd::kDelete);
    QCOMPARE(m_prompts.asked, (QStringList{"Warning: Do you really want to delete the selected events?", "Delete Events",
                                           "Delete Events"}));
    // a and b went before the Cancel; r1 was skipped; r2 and keep stay.
    QCOMPARE(list->listModel()->rowCount(), 3);
    QCOMPARE(list->listModel()->rowOf(a), -1);
    QCOMPARE(list->listModel()->rowOf(b), -1);
    QVERIFY(list->listModel()->rowOf(r1) >= 0);
    QCOMPARE(GetEventStore().GetCount(), size_t(3));
    CEventStore onDisk(EventFilePath());
    onDisk.Load();
    QCOMPARE(onDisk.GetCount(), size_t(3));

    // Yes to All asks the recurring question once for both remaining recurring events.
    m_prompts = tvtest::ScriptedPrompts();
    list->selectAll();
    m_prompts.deleteAnswers = {DeleteAnswer::YesToAll};
    w->runCommand(cmd::kDelete);
    QCOMPARE(m_prompts.asked.count(QStringLiteral("Delete Events")), 1);
    QCOMPARE(list->listModel()->rowCount(), 0);
    QCOMPARE(GetEventStore().GetCount(), size_t(0));
}

void ViewsTest::balloonListsTodaysDueEventsAndOpensAfterARest() {
    ClockOptions options;
    options.startScheduler = false;
    options.trayIcon = false;
    options.honourShowMainWnd = false;
    auto* clock = new CClockWnd(m_clock, options);
    clock->show();
    auto* balloon = new CComingEventsWnd(clock);
    QCOMPARE(clock->watcher(), balloon);

    balloon->collectAndShow();
    QVERIFY(balloon->ids().empty());
    QCOMPARE(balloon->size(), QSize(255, 70));

    Add("missed", At(2008, 1, 15, 9, 0));
    Add("later today", At(2008, 1, 16, 18, 0));
    Add("tomorrow", At(2008, 1, 17, 9, 0));
    const uint32_t off = Add("disabled", At(2008, 1, 16, 12, 0));
    CPtEvent ev;
    GetEventStore().GetById(off, ev);
    ev.SetEnabled(false);
    GetEventStore().Modify(off, ev);
    balloon->collectAndShow();
    QCOMPARE(balloon->ids().size(), size_t(2));
    QCOMPARE(balloon->size(), QSize(255, 85 + 5));
    QVERIFY(balloon->isVisible());
    balloon->hide();

    // Opens 500 ms after the last move over the clock, unless the right button interrupts.
    QPoint cursor = clock->frameGeometry().center();
    balloon->setCursorSource([&] { return cursor; });
    balloon->ClockMouseMoved(cursor);
    QVERIFY(balloon->isOpening());
    balloon->ClockRightPressed(cursor);
    QVERIFY(!balloon->isOpening());
    balloon->ClockMouseMoved(cursor);
    QTRY_VERIFY_WITH_TIMEOUT(balloon->isVisible(), 2000);
    cursor = clock->frameGeometry().bottomRight() + QPoint(50, 50);
    QTRY_VERIFY_WITH_TIMEOUT(!balloon->isVisible(), 2000);
    delete clock;
}

void ViewsTest::paperShowsNeitherSelectionNorIcons() {
    Add("Dentist", At(2008, 1, 16, 9, 0));
    DailyLayout layout(GetEventStore(), GetEventTypeTable());
    layout.Resize(600, 960);
    layout.SetDate(At(2008, 1, 16));
    layout.MousePress(300, 10 * 20 + 5 - layout.GetScroll().pos, MouseButton::Left);  // 05:00, an empty slot
    const QColor blue(49, 106, 197);
    auto render = [&](bool printer) {
        QImage image(600, 960, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter p(&image);
        ViewStyle style = ViewStyle::ForScreen();
        style.target = {printer, {0, 0, 600, 960}, 0};
        layout.LayoutItems(style.target.rect);
        DrawView(p, layout, style);
        return image;
    };
    auto count = [&](const QImage& image, int x0, int x1, int y0, int y1) {
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) n += image.pixelColor(x, y) == blue;
        return n;
    };
    const QImage screen = render(false), paper = render(true);
    QVERIFY(count(screen, 100, 500, 200, 220) > 1000);  // the selected slot
    QCOMPARE(count(paper, 100, 500, 200, 220), 0);
    // The Dentist box: an icon at left + 7 on screen, none on paper.
    auto nonWhite = [](const QImage& image, int x0, int y0) {
        int n = 0;
        for (int y = y0; y < y0 + 16; ++y)
            for (int x = x0; x < x0 + 16; ++x) n += image.pixelColor(x, y) != Qt::white;
        return n;
    };
    QVERIFY(nonWhite(screen, 77, 362) > 20);
    QVERIFY(nonWhite(paper, 77, 362) < nonWhite(screen, 77, 362));
}

QTEST_MAIN(ViewsTest)
#include "ViewsTest.moc"
