// The calendar pages in the main window: switching, keys and scrolling, the date commands,
// the view-area menu, the list pages with sorting and Find, and the coming-events balloon.
#include <QAccessible>
#include <QCheckBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>

#include "AppTestSupport.h"
#include "controls/DateTimeField.h"
#include "shell/Commands.h"
#include "shell/WindowSettings.h"
#include "store/EventTypeTable.h"
#include "views/ComingEventsWnd.h"
#include "views/DailyLayout.h"
#include "views/ListPages.h"
#include "views/MonthlyLayout.h"
#include "views/ViewPainter.h"
#include "views/ViewTabBar.h"
#include "views/WeekdayLayout.h"
#include "views/WeeklyLayout.h"

using namespace tv;
using tvtest::At;

namespace {

QAction* ActionFor(QMenu* menu, int id) {
    for (QAction* a : menu->actions())
        if (a->data().toInt() == id) return a;
    return nullptr;
}

template <class Layout>
Layout& LayoutOf(CCalendarView* view) {
    return static_cast<Layout&>(view->layout());
}

// The centre of a Monthly cell on screen.
QPoint MonthlyCell(CCalendarView* view, int row, int column) {
    const int cw = view->viewport()->width() / 7, rh = (view->viewport()->height() - 17) / 5;
    return {column * cw + 5, 17 + row * rh + rh / 2};
}

// Answers the Select Date dialog with a date, or cancels it for an invalid one.
void ChooseDate(const DateTime& date) {
    tvtest::WhenModal<CSelectDateDialog>([date](CSelectDateDialog* dlg) {
        dlg->field()->setValue(date);
        date.IsValid() ? dlg->accept() : dlg->reject();
    });
}

}  // namespace

class ViewsTest : public tvtest::AppTest {
    Q_OBJECT
private Q_SLOTS:
    void init();

    void pagesAndTabBarFollowTheView();
    void weekdayKeysWheelAndOfficeHours();
    void weeklyScrollBarNavigatesWeeksEvenAtItsEnd();
    void contextMenuFollowsTheCommandRules();
    void gotoCommandsAndTheDateButton();
    void currentDateSurvivesAClosedMainWindow();
    void doubleClickOnAnEmptyCellStartsAnEventThere();
    void allPageSortsByHeaderClicksKeepingTheSelection();
    void findPageMatchesItsCriteria();
    void balloonListsTodaysDueEventsAndOpensAfterARest();
    void paperShowsNeitherSelectionNorIcons();
    void monthlyPageTellsScreenReadersItsDaysAndEvents();

private:
    CViewPages* Pages() { return CMainWnd::Instance()->pages(); }
    CCalendarView* View(int index) { return Pages()->calendarView(index); }
};

void ViewsTest::init() {
    w.Reset();
    w.clock.Set(At(2008, 1, 16, 10, 0));  // a Wednesday
    CViewPages::SetSharedDate(At(2008, 1, 16, 10, 0));
    CViewPages::SetNewEventAt({});
    WriteViewType(w.settings, kViewDaily);
}

void ViewsTest::pagesAndTabBarFollowTheView() {
    w.Add("Dentist", At(2008, 1, 16, 9, 0));
    w.Add("Lunch", At(2008, 1, 1, 12, 0), true);
    CMainWnd* m = w.Open(kViewMonthly);
    CViewTabBar* bar = Pages()->tabBar();
    QCOMPARE(bar->height(), 31);
    QCOMPARE(bar->titleText(), QStringLiteral("Monthly"));
    QCOMPARE(bar->dateText(), CCalendarView::ShortDate(At(2008, 1, 13)) + QStringLiteral(" - ") +
                                  CCalendarView::ShortDate(At(2008, 2, 16)));

    m->runCommand(cmd::kAllEvents);
    QCOMPARE(bar->titleText(), QStringLiteral("All"));
    QCOMPARE(Pages()->allPage()->list()->model()->rowCount(), 2);
    QCOMPARE(Pages()->activeCalendarView(), View(kViewMonthly));  // kept behind the list
    QVERIFY(m->action(cmd::kAllEvents)->isChecked());
    // A refill on every visit: an event added meanwhile shows up.
    w.Add("Late", At(2008, 1, 20, 9, 0));
    m->runCommand(cmd::kFind);
    QCOMPARE(Pages()->findPage()->list()->model()->rowCount(), 3);  // a search without criteria
    m->runCommand(cmd::kAllEvents);
    QCOMPARE(Pages()->allPage()->list()->model()->rowCount(), 3);
}

void ViewsTest::weekdayKeysWheelAndOfficeHours() {
    w.Open(kViewWeekday);
    CCalendarView* view = View(kViewWeekday);
    auto& weekday = LayoutOf<WeekdayLayout>(view);
    QCOMPARE(std::pair(weekday.GetSelectedColumn(), weekday.GetSelectedSlot()), std::pair(2, 20));
    view->setFocus();
    QTest::keyClick(view, Qt::Key_Down);
    QTest::keyClick(view, Qt::Key_Right);
    QCOMPARE(Pages()->currentDate(), At(2008, 1, 17, 10, 30));
    QCOMPARE(CViewPages::SharedDate(), At(2008, 1, 17, 10, 30));
    const int before = view->verticalScrollBar()->value();
    QWheelEvent wheel(QPointF(200, 200), view->viewport()->mapToGlobal(QPointF(200, 200)), QPoint(), QPoint(0, -120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(view->viewport(), &wheel);
    QCOMPARE(view->verticalScrollBar()->value(), before + 20);
    QCOMPARE(weekday.GetScroll().pos, before + 20);
    // The grid shades the office hours the preferences hold at each paint (the clock's own
    // Options may change them while the main window is open).
    GetAppSettings().SetOfficeHours(DecodeOfficeTime(730), DecodeOfficeTime(1600));
    view->repaint();
    QCOMPARE(weekday.GetOfficeHours().startMinute, 7 * 60 + 30);
    GetAppSettings().SetOfficeHours(DecodeOfficeTime(900), DecodeOfficeTime(1700));
}

void ViewsTest::weeklyScrollBarNavigatesWeeksEvenAtItsEnd() {
    w.Open(kViewWeekly);
    auto& weekly = LayoutOf<WeeklyLayout>(View(kViewWeekly));
    QScrollBar* bar = View(kViewWeekly)->verticalScrollBar();
    QCOMPARE(std::pair(bar->value(), bar->maximum()), std::pair(25, 51));
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    QCOMPARE(weekly.GetFirstDay(), At(2008, 1, 28));
    QCOMPARE(Pages()->currentDate(), At(2008, 1, 30));  // Wednesday stays selected
    QVERIFY(Pages()->tabBar()->dateText().startsWith(CCalendarView::ShortDate(At(2008, 1, 28))));
    bar->setSliderPosition(51);  // dragged to the end: 24 weeks on
    QCOMPARE(weekly.GetFirstDay(), At(2008, 7, 14));
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    QCOMPARE(bar->value(), 51);
    QCOMPARE(weekly.GetFirstDay(), At(2008, 7, 21));
}

void ViewsTest::contextMenuFollowsTheCommandRules() {
    w.Add("Dentist", At(2008, 1, 16, 9, 0));
    CMainWnd* m = w.Open(kViewDaily);
    std::unique_ptr<QMenu> menu = Pages()->buildContextMenu();
    QCOMPARE(menu->actions().first()->text(), QStringLiteral("New"));
    QVERIFY(!ActionFor(menu.get(), cmd::kDelete)->isEnabled());
    QVERIFY(!ActionFor(menu.get(), cmd::kGotoThisDay)->isEnabled());  // already the Daily view
    QVERIFY(ActionFor(menu.get(), cmd::kGotoDate)->isEnabled());

    // A right press on the box selects it before the menu is built.
    CCalendarView* view = View(kViewDaily);
    const QPoint box(120, DailyLayout::SlotTop(18) - view->layout().GetScroll().pos + 5);
    QTest::mousePress(view->viewport(), Qt::RightButton, {}, box);
    QTest::mouseRelease(view->viewport(), Qt::RightButton, {}, box);
    menu = Pages()->buildContextMenu();
    for (int id : {cmd::kDelete, cmd::kAccept, cmd::kEnable, cmd::kDisable})
        QVERIFY2(ActionFor(menu.get(), id)->isEnabled(), qPrintable(QString::number(id)));
    m->setView(kViewMonthly);
    QVERIFY(ActionFor(Pages()->buildContextMenu().get(), cmd::kGotoThisDay)->isEnabled());
}

void ViewsTest::gotoCommandsAndTheDateButton() {
    CMainWnd* m = w.Open(kViewMonthly);
    auto& daily = LayoutOf<DailyLayout>(View(kViewDaily));
    w.clock.Set(At(2008, 2, 3, 14, 59));
    m->runCommand(cmd::kGotoToday);
    QCOMPARE(m->viewIndex(), kViewDaily);
    QCOMPARE(daily.GetShownDate(), At(2008, 2, 3));
    QCOMPARE(Pages()->tabBar()->tabDate(), At(2008, 2, 3));

    // Goto This Day shows the Monthly view's chosen day at the next minute of the present.
    m->setView(kViewMonthly);
    QTest::mouseClick(View(kViewMonthly)->viewport(), Qt::LeftButton, {}, MonthlyCell(View(kViewMonthly), 1, 4));
    QCOMPARE(Pages()->currentDate(), At(2008, 2, 14));
    m->runCommand(cmd::kGotoThisDay);
    QCOMPARE(m->viewIndex(), kViewDaily);
    QCOMPARE(daily.GetShownDate(), At(2008, 2, 14, 15, 0));

    // Goto... moves a calendar view, but only the tab's date on a list page; Cancel does nothing.
    CViewTabBar* bar = Pages()->tabBar();
    m->setView(kViewWeekly);
    ChooseDate(At(2008, 3, 5));
    m->runCommand(cmd::kGotoDate);
    QCOMPARE(LayoutOf<WeeklyLayout>(View(kViewWeekly)).GetFirstDay(), At(2008, 3, 3));
    QCOMPARE(Pages()->currentDate(), At(2008, 3, 5));
    m->setView(kViewAll);
    ChooseDate(At(2008, 9, 9));
    m->runCommand(cmd::kGotoDate);
    QCOMPARE(bar->tabDate(), At(2008, 9, 9));
    QCOMPARE(Pages()->currentDate(), At(2008, 3, 5));
    ChooseDate(DateTime::Invalid());
    m->runCommand(cmd::kGotoDate);
    QCOMPARE(bar->tabDate(), At(2008, 9, 9));

    // The date button: a 12-pixel button on the All page, none on Find (where Goto is off), the
    // date's on a view.
    QCOMPARE(bar->dateButtonRect().width(), 12);
    m->setView(kViewFind);
    QVERIFY(bar->dateButtonRect().isEmpty());
    QVERIFY(!m->isCommandEnabled(cmd::kGotoDate) && !m->isCommandEnabled(cmd::kGotoThisDay));
    m->setView(kViewDaily);
    QCOMPARE(bar->dateButtonRect().right(), bar->width() - 10 + 6 - 1);
    ChooseDate(At(2008, 5, 1, 8, 0));
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->dateButtonRect().center());
    QCOMPARE(daily.GetShownDate(), At(2008, 5, 1, 8, 0));
}

void ViewsTest::currentDateSurvivesAClosedMainWindow() {
    w.Open(kViewMonthly);
    QTest::mouseClick(View(kViewMonthly)->viewport(), Qt::LeftButton, {}, MonthlyCell(View(kViewMonthly), 3, 1));
    QCOMPARE(Pages()->currentDate(), At(2008, 2, 4));
    w.CloseWindows();
    w.clock.Set(At(2008, 6, 1, 9, 0));
    WriteViewType(w.settings, 9);  // a stored page outside the six opens the Daily view
    QCOMPARE(CMainWnd::OpenOrRestore()->viewIndex(), kViewDaily);
    QCOMPARE(Pages()->currentDate(), At(2008, 2, 4));
    QCOMPARE(LayoutOf<DailyLayout>(View(kViewDaily)).GetShownDate(), At(2008, 2, 4));
}

void ViewsTest::doubleClickOnAnEmptyCellStartsAnEventThere() {
    DateTime asked;
    CViewPages::SetNewEventAt([&](QWidget*, const DateTime& start) {
        asked = start;
        return w.Add("new", start);
    });
    w.Open(kViewMonthly);
    CCalendarView* view = View(kViewMonthly);
    w.clock.Set(At(2008, 1, 16, 14, 59));
    const QPoint cell = MonthlyCell(view, 1, 5) + QPoint(0, 15);    // Friday 25 January, below its label
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cell);  // a double click's first press
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, cell);
    QCOMPARE(QString::fromStdString(asked.ToIsoText()), QStringLiteral("2008-01-25 15:00:00"));
    QCOMPARE(view->layout().ItemCount(), size_t(1));  // rebuilt after the editor
}

void ViewsTest::allPageSortsByHeaderClicksKeepingTheSelection() {
    const uint32_t c = w.Add("Charlie", At(2008, 1, 18, 9, 0));
    const uint32_t a = w.Add("alpha", At(2008, 1, 17, 9, 0));
    const uint32_t b = w.Add("Bravo", At(2008, 1, 19, 9, 0));
    CMainWnd* m = w.Open(kViewAll);
    CEventListCtrl* list = Pages()->allPage()->list();
    CEventListTableModel* model = list->listModel();
    list->selectRow(1);  // alpha
    auto clickHeader = [](CEventListCtrl* l, int column) {
        QHeaderView* header = l->horizontalHeader();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(column) + 10, 5));
    };
    clickHeader(list, kColName);
    QCOMPARE(model->model().Ids(), (std::vector<uint32_t>{b, c, a}));  // byte order: capitals first
    QCOMPARE(list->selectedIds(), std::vector<uint32_t>{a});
    clickHeader(list, kColTime);
    QCOMPARE(model->idAt(0), a);

    // The Find page's results cannot be sorted.
    m->setView(kViewFind);
    CEventListCtrl* found = Pages()->findPage()->list();
    const std::vector<uint32_t> order = found->listModel()->model().Ids();
    clickHeader(found, kColName);
    QCOMPARE(found->listModel()->model().Ids(), order);
}

void ViewsTest::findPageMatchesItsCriteria() {
    CEventTypeTable& types = GetEventTypeTable();
    types.RemoveAll();
    CEventType meeting(w.clock.Now());
    meeting.SetName("Meeting");
    types.AddType(meeting);
    const uint32_t dentist = w.Add("Dentist", At(2008, 1, 18, 9, 0));
    const uint32_t team = w.Add("Team dentist", At(2008, 2, 1, 9, 0), false, meeting.GetId());
    CMainWnd* m = w.Open(kViewFind);
    CFindPage* find = Pages()->findPage();
    auto found = [&] { return find->list()->listModel()->model().Ids(); };
    find->textEdit()->setText(QStringLiteral("dent"));
    QTest::mouseClick(find->findButton(), Qt::LeftButton);
    QCOMPARE(found(), (std::vector<uint32_t>{dentist, team}));

    // The other controls bound the search. Return in the text field searches (the main
    // window's Enter key is for Modify elsewhere).
    find->caseCheck()->setChecked(true);
    find->fromCheck()->setChecked(true);
    find->fromField()->setValue(At(2008, 1, 19));
    find->templateCombo()->refill();
    find->templateCombo()->setCurrentIndex(find->templateCombo()->findText(QStringLiteral("Meeting")));
    const FindCriteria c = find->criteria();
    QVERIFY(c.caseSensitive && c.from == At(2008, 1, 19) && !c.to && c.typeId == meeting.GetId());
    m->activateWindow();
    find->textEdit()->setFocus();
    QTRY_VERIFY(find->textEdit()->hasFocus());
    QTest::keyClick(find->textEdit(), Qt::Key_Return);
    QCOMPARE(found(), std::vector<uint32_t>{team});
    find->templateCombo()->refill();  // reopening keeps the chosen type
    QCOMPARE(find->templateCombo()->currentText(), QStringLiteral("Meeting"));
    types.RemoveAll();
}

void ViewsTest::balloonListsTodaysDueEventsAndOpensAfterARest() {
    auto clock = std::make_unique<CClockWnd>(w.clock, tvtest::QuietClock());
    clock->show();
    auto* balloon = new CComingEventsWnd(clock.get());
    QCOMPARE(clock->watcher(), balloon);
    w.Add("missed", At(2008, 1, 15, 9, 0));
    w.Add("later today", At(2008, 1, 16, 18, 0));
    w.Add("tomorrow", At(2008, 1, 17, 9, 0));
    balloon->collectAndShow();
    QCOMPARE(balloon->ids().size(), size_t(2));
    QCOMPARE(balloon->size(), QSize(255, 90));
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
}

void ViewsTest::paperShowsNeitherSelectionNorIcons() {
    w.Add("Dentist", At(2008, 1, 16, 9, 0));
    DailyLayout layout(GetEventStore(), GetEventTypeTable());
    layout.Resize(600, 960);
    layout.SetDate(At(2008, 1, 16));
    layout.MousePress(300, 10 * 20 + 5 - layout.GetScroll().pos, MouseButton::Left);  // 05:00, an empty slot
    // Pixels in a rectangle of the selection's blue, or of any colour but white.
    auto count = [&](bool printer, QRect r, bool blue) {
        QImage image(600, 960, QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            QPainter p(&image);
            ViewStyle style = ViewStyle::ForScreen();
            style.target = {printer, {0, 0, 600, 960}, 0};
            layout.LayoutItems(style.target.rect);
            DrawView(p, layout, style);
        }
        int n = 0;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                n += blue ? image.pixelColor(x, y) == QColor(49, 106, 197) : image.pixelColor(x, y) != Qt::white;
        return n;
    };
    const QRect slot(100, 200, 400, 20), icon(77, 362, 16, 16);  // the icon at the box's left + 7
    QVERIFY(count(false, slot, true) > 1000);
    QCOMPARE(count(true, slot, true), 0);
    QVERIFY(count(true, icon, false) < count(false, icon, false));
}

void ViewsTest::monthlyPageTellsScreenReadersItsDaysAndEvents() {
    CEventType type;
    type.SetName("Health");
    QCOMPARE(GetEventTypeTable().AddType(type), AddTypeResult::Added);
    w.Add("Dentist", At(2008, 1, 16, 9, 0), false, type.GetId());
    for (int i = 0; i < 8; ++i) w.Add("Busy", At(2008, 1, 17, 8 + i, 0));
    CMainWnd* m = w.Open(kViewMonthly);
    QAccessibleInterface* page = QAccessible::queryAccessibleInterface(View(kViewMonthly));
    QCOMPARE(page->role(), QAccessible::Table);
    QCOMPARE(page->childCount(), 35);  // five weeks from Sunday 13 January

    QAccessibleInterface* day = page->child(3);
    QCOMPARE(day->role(), QAccessible::Cell);
    QCOMPARE(day->text(QAccessible::Name), QLocale().toString(QDate(2008, 1, 16), QLocale::LongFormat));
    QVERIFY(day->state().selected && !page->child(4)->state().selected);
    QCOMPARE(page->indexOfChild(day), 3);
    QCOMPARE(day->childCount(), 1);
    QCOMPARE(day->child(0)->role(), QAccessible::ListItem);
    QCOMPARE(day->child(0)->text(QAccessible::Name), QStringLiteral("09:00, Dentist, Health"));
    QCOMPARE(day->child(0)->parent(), day);

    // A day with more events than its cell holds names every one and says how many are hidden;
    // its "+N more" line opens the day.
    QAccessibleInterface* busy = page->child(4);
    QCOMPARE(busy->childCount(), 8);
    QVERIFY(!busy->child(0)->state().invisible && busy->child(7)->state().invisible);
    const MoreLink more = LayoutOf<MonthlyLayout>(View(kViewMonthly)).CellMore(0, 4);
    QVERIFY(more.count > 0);
    QCOMPARE(busy->text(QAccessible::Description), QStringLiteral("+%1 more").arg(more.count));
    const Rect& r = more.rect;
    QTest::mouseClick(View(kViewMonthly)->viewport(), Qt::LeftButton, {},
                      QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2));
    QCOMPARE(m->viewIndex(), kViewDaily);
    QCOMPARE(LayoutOf<DailyLayout>(View(kViewDaily)).GetShownDate(), At(2008, 1, 17));
    QVERIFY(busy->state().selected && !day->state().selected);  // told afresh after the change
}

QTEST_MAIN(ViewsTest)
#include "ViewsTest.moc"
