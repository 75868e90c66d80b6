// The recurrence dialog's pattern pages.
#include "RecurrencePages.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "DialogSupport.h"

namespace tv {

namespace {

// The lists' entries, translated where they are shown.
const char* const kOrdinals[] = {
    QT_TRANSLATE_NOOP("tv::CPatternPage", "First"), QT_TRANSLATE_NOOP("tv::CPatternPage", "Second"),
    QT_TRANSLATE_NOOP("tv::CPatternPage", "Third"), QT_TRANSLATE_NOOP("tv::CPatternPage", "Fourth"),
    QT_TRANSLATE_NOOP("tv::CPatternPage", "Last")};
const char* const kWeekdays[] = {
    QT_TRANSLATE_NOOP("tv::CPatternPage", "Sunday"),   QT_TRANSLATE_NOOP("tv::CPatternPage", "Monday"),
    QT_TRANSLATE_NOOP("tv::CPatternPage", "Tuesday"),  QT_TRANSLATE_NOOP("tv::CPatternPage", "Wednesday"),
    QT_TRANSLATE_NOOP("tv::CPatternPage", "Thursday"), QT_TRANSLATE_NOOP("tv::CPatternPage", "Friday"),
    QT_TRANSLATE_NOOP("tv::CPatternPage", "Saturday")};
const char* const kMonths[] = {
    QT_TRANSLATE_NOOP("tv::CPatternPage", "January"),   QT_TRANSLATE_NOOP("tv::CPatternPage", "February"),
    QT_TRANSLATE_NOOP("tv::CPatternPage", "March"),     QT_TRANSLATE_NOOP("tv::CPatternPage", "April"),
    QT_TRANSLATE_NOOP("tv::CPatternPage", "May"),       QT_TRANSLATE_NOOP("tv::CPatternPage", "June"),
    QT_TRANSLATE_NOOP("tv::CPatternPage", "July"),      QT_TRANSLATE_NOOP("tv::CPatternPage", "August"),
    QT_TRANSLATE_NOOP("tv::CPatternPage", "September"), QT_TRANSLATE_NOOP("tv::CPatternPage", "October"),
    QT_TRANSLATE_NOOP("tv::CPatternPage", "November"),  QT_TRANSLATE_NOOP("tv::CPatternPage", "December")};

template <size_t N>
QComboBox* FixedList(QWidget* parent, const char* name, const char* const (&entries)[N]) {
    auto* box = new QComboBox(parent);
    box->setObjectName(QLatin1String(name));
    for (const char* e : entries) box->addItem(QCoreApplication::translate("tv::CPatternPage", e));
    return box;
}

void SetIndex(QComboBox* box, int index) { box->setCurrentIndex(std::clamp(index, 0, box->count() - 1)); }

QLabel* Text(QWidget* parent, const QString& text) { return new QLabel(text, parent); }

}  // namespace

QLineEdit* CPatternPage::NumberBox(QWidget* parent, const char* name, int digits) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(QLatin1String(name));
    box->setAlignment(Qt::AlignRight);
    box->setMaxLength(9);
    const QFontMetrics fm(box->font());
    box->setFixedWidth(fm.horizontalAdvance(QString(digits + 1, QLatin1Char('0'))) + 16);
    return box;
}

bool CPatternPage::readInt(QLineEdit* box, IntRange range, int& value) {
    const IntFieldResult r = ParseIntField(box->text().toStdString(), range);
    if (r.ok) {
        value = r.value;
        return true;
    }
    ShowProductMessage(window(), QString::fromStdString(r.message));
    box->setFocus();
    box->selectAll();
    return false;
}

// ---- daily ---------------------------------------------------------------------------

CDailyPage::CDailyPage(QWidget* parent) : CPatternPage(parent) {
    m_interval = NumberBox(this, "dailyInterval", 3);
    auto* every = Text(this, tr("Every"));
    every->setBuddy(m_interval);
    auto* row = new QHBoxLayout;
    row->addWidget(every);
    row->addWidget(m_interval);
    row->addWidget(Text(this, tr("Days")));
    row->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(row);
    layout->addStretch();
}

void CDailyPage::showPages(const RecurrencePages& pages) { m_interval->setText(QString::number(pages.daily.interval)); }

bool CDailyPage::readPages(RecurrencePages& pages) {
    return readInt(m_interval, kDailyIntervalRange, pages.daily.interval);
}

// ---- weekly --------------------------------------------------------------------------

CWeeklyPage::CWeeklyPage(QWidget* parent) : CPatternPage(parent) {
    m_interval = NumberBox(this, "weeklyInterval", 2);
    auto* every = Text(this, tr("Every"));
    every->setBuddy(m_interval);
    auto* row = new QHBoxLayout;
    row->addWidget(every);
    row->addWidget(m_interval);
    row->addWidget(Text(this, tr("Week(s)")));
    row->addStretch();
    auto* days = new QGridLayout;
    days->setHorizontalSpacing(12);
    for (int d = 0; d < 7; ++d) {
        m_days[d] = new QCheckBox(QCoreApplication::translate("tv::CPatternPage", kWeekdays[d]), this);
        m_days[d]->setObjectName(QString::fromLatin1(kWeekdays[d]).toLower());
        days->addWidget(m_days[d], d / 4, d % 4);
    }
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(row);
    layout->addLayout(days);
    layout->addStretch();
}

void CWeeklyPage::showPages(const RecurrencePages& pages) {
    m_interval->setText(QString::number(pages.weekly.interval));
    for (int d = 0; d < 7; ++d) m_days[d]->setChecked(pages.weekly.days[d]);
}

bool CWeeklyPage::readPages(RecurrencePages& pages) {
    if (!readInt(m_interval, kWeeklyIntervalRange, pages.weekly.interval)) return false;
    for (int d = 0; d < 7; ++d) pages.weekly.days[d] = m_days[d]->isChecked();
    return true;
}

// ---- monthly -------------------------------------------------------------------------

CMonthlyPage::CMonthlyPage(QWidget* parent) : CPatternPage(parent) {
    m_dayRow = new QRadioButton(tr("Day"), this);
    m_dayRow->setObjectName(QStringLiteral("monthlyDayMode"));
    m_theRow = new QRadioButton(tr("The"), this);
    m_theRow->setObjectName(QStringLiteral("monthlyTheMode"));
    auto* group = new QButtonGroup(this);
    group->addButton(m_dayRow);
    group->addButton(m_theRow);
    m_day = NumberBox(this, "monthlyDay", 2);
    m_dayInterval = NumberBox(this, "monthlyDayInterval", 2);
    m_ordinal = FixedList(this, "monthlyOrdinal", kOrdinals);
    m_weekday = FixedList(this, "monthlyWeekday", kWeekdays);
    m_theInterval = NumberBox(this, "monthlyTheInterval", 2);

    auto* dayLine = new QHBoxLayout;
    dayLine->addWidget(m_day);
    dayLine->addStretch();
    auto* theLine = new QHBoxLayout;
    theLine->addWidget(m_ordinal);
    theLine->addWidget(m_weekday);
    theLine->addStretch();

    auto* grid = new QGridLayout;
    grid->addWidget(m_dayRow, 0, 0);
    grid->addLayout(dayLine, 0, 1);
    grid->addWidget(Text(this, tr("of every")), 0, 2);
    grid->addWidget(m_dayInterval, 0, 3);
    grid->addWidget(Text(this, tr("Month")), 0, 4);
    grid->addWidget(m_theRow, 1, 0);
    grid->addLayout(theLine, 1, 1);
    grid->addWidget(Text(this, tr("of every")), 1, 2);
    grid->addWidget(m_theInterval, 1, 3);
    grid->addWidget(Text(this, tr("Month")), 1, 4);
    grid->setColumnStretch(5, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(grid);
    layout->addStretch();

    setTabOrder(m_dayRow, m_day);
    setTabOrder(m_day, m_dayInterval);
    setTabOrder(m_dayInterval, m_theRow);
    setTabOrder(m_theRow, m_ordinal);
    setTabOrder(m_ordinal, m_weekday);
    setTabOrder(m_weekday, m_theInterval);
}

void CMonthlyPage::showPages(const RecurrencePages& pages) {
    const MonthlyPage& m = pages.monthly;
    (m.dayMode ? m_dayRow : m_theRow)->setChecked(true);
    m_day->setText(QString::number(m.day));
    m_dayInterval->setText(QString::number(m.dayInterval));
    SetIndex(m_ordinal, m.ordinalIndex);
    SetIndex(m_weekday, m.weekdayIndex);
    m_theInterval->setText(QString::number(m.theInterval));
}

bool CMonthlyPage::readPages(RecurrencePages& pages) {
    MonthlyPage& m = pages.monthly;
    if (!readInt(m_day, kDayOfMonthRange, m.day) || !readInt(m_dayInterval, kMonthlyIntervalRange, m.dayInterval) ||
        !readInt(m_theInterval, kMonthlyIntervalRange, m.theInterval))
        return false;
    m.dayMode = m_dayRow->isChecked();
    m.ordinalIndex = m_ordinal->currentIndex();
    m.weekdayIndex = m_weekday->currentIndex();
    return true;
}

// ---- yearly --------------------------------------------------------------------------

CYearlyPage::CYearlyPage(QWidget* parent) : CPatternPage(parent) {
    m_everyRow = new QRadioButton(tr("Every"), this);
    m_everyRow->setObjectName(QStringLiteral("yearlyEveryMode"));
    m_theRow = new QRadioButton(tr("The"), this);
    m_theRow->setObjectName(QStringLiteral("yearlyTheMode"));
    auto* group = new QButtonGroup(this);
    group->addButton(m_everyRow);
    group->addButton(m_theRow);
    m_everyMonth = FixedList(this, "yearlyEveryMonth", kMonths);
    m_day = NumberBox(this, "yearlyDay", 2);
    m_ordinal = FixedList(this, "yearlyOrdinal", kOrdinals);
    m_weekday = FixedList(this, "yearlyWeekday", kWeekdays);
    m_theMonth = FixedList(this, "yearlyTheMonth", kMonths);

    auto* everyLine = new QHBoxLayout;
    everyLine->addWidget(m_everyMonth);
    everyLine->addWidget(m_day);
    everyLine->addStretch();
    auto* theLine = new QHBoxLayout;
    theLine->addWidget(m_ordinal);
    theLine->addWidget(m_weekday);
    theLine->addWidget(Text(this, tr("of")));
    theLine->addWidget(m_theMonth);
    theLine->addStretch();

    auto* grid = new QGridLayout;
    grid->addWidget(m_everyRow, 0, 0);
    grid->addLayout(everyLine, 0, 1);
    grid->addWidget(m_theRow, 1, 0);
    grid->addLayout(theLine, 1, 1);
    grid->setColumnStretch(1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(grid);
    layout->addStretch();

    setTabOrder(m_everyRow, m_everyMonth);
    setTabOrder(m_everyMonth, m_day);
    setTabOrder(m_day, m_theRow);
    setTabOrder(m_theRow, m_ordinal);
    setTabOrder(m_ordinal, m_weekday);
    setTabOrder(m_weekday, m_theMonth);
}

void CYearlyPage::showPages(const RecurrencePages& pages) {
    const YearlyPage& y = pages.yearly;
    (y.dayMode ? m_everyRow : m_theRow)->setChecked(true);
    SetIndex(m_everyMonth, y.everyMonthIndex);
    m_day->setText(QString::number(y.day));
    SetIndex(m_ordinal, y.ordinalIndex);
    SetIndex(m_weekday, y.weekdayIndex);
    SetIndex(m_theMonth, y.theMonthIndex);
}

bool CYearlyPage::readPages(RecurrencePages& pages) {
    YearlyPage& y = pages.yearly;
    if (!readInt(m_day, kDayOfMonthRange, y.day)) return false;
    y.dayMode = m_everyRow->isChecked();
    y.everyMonthIndex = m_everyMonth->currentIndex();
    y.ordinalIndex = m_ordinal->currentIndex();
    y.weekdayIndex = m_weekday->currentIndex();
    y.theMonthIndex = m_theMonth->currentIndex();
    return true;
}

}  // namespace tv
