// The calendar pages' days and events, and the reminder pop-up, for screen readers.
#include "CalendarAccessible.h"

#include <QLocale>

#include "CalendarView.h"
#include "controls/QtDateTime.h"
#include "shell/Translation.h"
#include "store/EventStore.h"
#include "store/EventTypeTable.h"
#include "texts/DateTexts.h"
#include "texts/Translate.h"
#include "texts/UserTexts.h"
#include "views/ViewSwitching.h"

namespace tv {

namespace {

QRect OnScreen(const CCalendarView* view, const Rect& r) {
    if (r.IsEmpty()) return {};
    const QPoint corner = view->viewport()->mapToGlobal(QPoint(r.left, r.top));
    return {corner, QSize(r.Width(), r.Height())};
}

// The part of the interfaces below that is the same for days and items: no object, no
// window of their own, nothing to set.
class CPartAccessible : public QAccessibleInterface {
public:
    explicit CPartAccessible(const CCalendarAccessible* page) : m_page(page) {}
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return m_page->window(); }
    void setText(QAccessible::Text, const QString&) override {}

protected:
    const CCalendarAccessible* m_page;
};

// An event of a day: its time, name and type.
class CItemAccessible final : public CPartAccessible {
public:
    CItemAccessible(const CCalendarAccessible* page, int day, int item)
        : CPartAccessible(page), m_day(day), m_item(item) {}

    bool isValid() const override { return Find().has_value(); }
    QAccessibleInterface* parent() const override { return m_page->child(m_day); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessible::Role role() const override { return QAccessible::ListItem; }

    QAccessible::State state() const override {
        QAccessible::State s;
        const std::optional<OutlineItem> item = Find();
        s.invisible = !item || item->rect.IsEmpty();
        s.selectable = true;
        s.selected = item && m_page->view()->HasSelectedEvent() && m_page->view()->GetSelectedEvent() == item->id;
        return s;
    }

    QRect rect() const override {
        const std::optional<OutlineItem> item = Find();
        return item ? OnScreen(m_page->view(), item->rect) : QRect();
    }

    QString text(QAccessible::Text t) const override {
        if (t != QAccessible::Name) return {};
        const std::optional<OutlineItem> item = Find();
        if (!item) return {};
        const CEventStore& store = GetEventStore();
        CEventStore::AllLock lock(store);
        const CPtEvent* ev = store.GetPtrById(item->id);
        if (!ev) return {};
        QString name = QString::fromStdString(GetDateTexts().TimeOfDay(item->occurrence)) + QStringLiteral(", ") +
                       QString::fromUtf8(ev->GetName());
        CEventType type;
        if (GetEventTypeTable().FindById(ev->GetType(), type))
            name += QStringLiteral(", ") + QString::fromStdString(type.GetName());
        return name;
    }

private:
    std::optional<OutlineItem> Find() const {
        const std::vector<OutlineDay>& days = m_page->Days();
        if (m_day >= static_cast<int>(days.size())) return std::nullopt;
        const auto& items = days[m_day].items;
        if (m_item >= static_cast<int>(items.size())) return std::nullopt;
        return items[m_item];
    }

    int m_day, m_item;
};

// A day of the page: its date, and its events as children.
class CDayAccessible final : public CPartAccessible {
public:
    CDayAccessible(const CCalendarAccessible* page, int day) : CPartAccessible(page), m_day(day) {}

    bool isValid() const override { return m_day < static_cast<int>(m_page->Days().size()); }
    QAccessibleInterface* parent() const override { return const_cast<CCalendarAccessible*>(m_page); }
    int childCount() const override {
        const std::optional<OutlineDay> day = Find();
        return day ? static_cast<int>(day->items.size()) : 0;
    }
    QAccessibleInterface* child(int index) const override {
        return index >= 0 && index < childCount() ? m_page->Item(m_day, index) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        for (int i = 0; i < childCount(); ++i)
            if (m_page->Item(m_day, i) == child) return i;
        return -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        for (int i = 0; i < childCount(); ++i)
            if (QAccessibleInterface* c = child(i); c->rect().contains(x, y)) return c;
        return nullptr;
    }
    QAccessible::Role role() const override { return QAccessible::Cell; }

    QAccessible::State state() const override {
        QAccessible::State s;
        const std::optional<OutlineDay> day = Find();
        s.selectable = true;
        s.selected = day && day->selected;
        s.focused = s.selected && m_page->view()->hasFocus();
        return s;
    }

    QRect rect() const override {
        const std::optional<OutlineDay> day = Find();
        return day ? OnScreen(m_page->view(), day->rect) : QRect();
    }

    // The date in full; the description says how many events the day has and, where they do
    // not all fit, how many of them the page cannot show.
    QString text(QAccessible::Text t) const override {
        const std::optional<OutlineDay> day = Find();
        if (!day) return {};
        if (t == QAccessible::Name) return QLocale().toString(ToQDate(day->date), QLocale::LongFormat);
        if (t == QAccessible::Description && day->more.count > 0)
            return QString::fromStdString(texts::TrPrintf(texts::kMoreEvents, day->more.count));
        return {};
    }

private:
    std::optional<OutlineDay> Find() const {
        const std::vector<OutlineDay>& days = m_page->Days();
        if (m_day >= static_cast<int>(days.size())) return std::nullopt;
        return days[m_day];
    }

    int m_day;
};

// The reminder pop-up interrupts whatever the user does: it is an alert, not a plain dialog.
class CAlertAccessible final : public QAccessibleWidget {
public:
    explicit CAlertAccessible(QWidget* w) : QAccessibleWidget(w, QAccessible::AlertMessage) {}
};

QAccessibleInterface* Factory(const QString& className, QObject* object) {
    if (!object || !object->isWidgetType()) return nullptr;
    if (className == QLatin1String("tv::CCalendarView"))
        return new CCalendarAccessible(static_cast<CCalendarView*>(object));
    if (className == QLatin1String("tv::CReminderPopup")) return new CAlertAccessible(static_cast<QWidget*>(object));
    return nullptr;
}

}  // namespace

void InstallAccessibleFactory() {
    static const bool installed = [] {
        QAccessible::installFactory(Factory);
        return true;
    }();
    (void)installed;
}

CCalendarAccessible::CCalendarAccessible(CCalendarView* view) : QAccessibleWidget(view, QAccessible::Table) {}

CCalendarAccessible::~CCalendarAccessible() {
    for (QAccessible::Id id : m_days) QAccessible::deleteAccessibleInterface(id);
    for (const auto& items : m_items)
        for (QAccessible::Id id : items)
            if (id) QAccessible::deleteAccessibleInterface(id);
}

CCalendarView* CCalendarAccessible::view() const { return static_cast<CCalendarView*>(widget()); }

const std::vector<OutlineDay>& CCalendarAccessible::Days() const {
    // A screen reader asks many questions in a row; the outline is made again only after the
    // page changed.
    if (!m_outlineRead || m_outlineVersion != view()->outlineVersion()) {
        m_outline = view()->layout().Outline();
        m_outlineVersion = view()->outlineVersion();
        m_outlineRead = true;
    }
    return m_outline;
}

int CCalendarAccessible::childCount() const { return static_cast<int>(Days().size()); }

QAccessibleInterface* CCalendarAccessible::child(int index) const {
    if (index < 0 || index >= childCount()) return nullptr;
    // A page has a fixed number of days, so a day's interface only ever grows in number.
    while (static_cast<int>(m_days.size()) <= index) {
        m_days.push_back(
            QAccessible::registerAccessibleInterface(new CDayAccessible(this, static_cast<int>(m_days.size()))));
        m_items.emplace_back();
    }
    return QAccessible::accessibleInterface(m_days[index]);
}

QAccessibleInterface* CCalendarAccessible::Item(int day, int item) const {
    if (day < 0 || item < 0 || !child(day)) return nullptr;
    std::vector<QAccessible::Id>& items = m_items[day];
    while (static_cast<int>(items.size()) <= item)
        items.push_back(
            QAccessible::registerAccessibleInterface(new CItemAccessible(this, day, static_cast<int>(items.size()))));
    return QAccessible::accessibleInterface(items[item]);
}

int CCalendarAccessible::indexOfChild(const QAccessibleInterface* c) const {
    for (size_t i = 0; i < m_days.size(); ++i)
        if (QAccessible::accessibleInterface(m_days[i]) == c) return static_cast<int>(i);
    return -1;
}

QAccessibleInterface* CCalendarAccessible::childAt(int x, int y) const {
    for (int i = 0; i < childCount(); ++i)
        if (QAccessibleInterface* c = child(i); c->rect().contains(x, y)) return c;
    return nullptr;
}

QString CCalendarAccessible::text(QAccessible::Text t) const {
    // The page's name and the days it shows, as the tab bar says them.
    if (t == QAccessible::Name) return CoreText(ViewTitle(view()->kind()).c_str());
    if (t == QAccessible::Description) return view()->GetCaptionText();
    return QAccessibleWidget::text(t);
}

}  // namespace tv
