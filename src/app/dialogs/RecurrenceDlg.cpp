// The recurrence dialog.
#include "RecurrenceDlg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "DialogSupport.h"
#include "RecurrencePages.h"
#include "controls/DateTimeField.h"
#include "controls/DurationField.h"

namespace tv {

CRecurrenceDlg::CRecurrenceDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("Set Recurrence"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(createTimeGroup());
    layout->addWidget(createPatternGroup(), 1);
    layout->addLayout(createEndRow());
    layout->addLayout(createButtonRow());
    setTabOrders();
    LoadFromRule(CReCurrence());
    if (!parent) CenterOnScreen(this);
}

// Event time: the rule's start (its time of day is every occurrence's) and duration.
QWidget* CRecurrenceDlg::createTimeGroup() {
    auto* timeGroup = new QGroupBox(tr("Event Time"), this);
    m_start = new CDateTimeField(CDateTimeField::Display::DateAndTime, timeGroup);
    m_start->setObjectName(QStringLiteral("start"));
    m_duration = new CDurationField(timeGroup);
    m_duration->setObjectName(QStringLiteral("duration"));
    auto* startLabel = new QLabel(tr("Start"), timeGroup);
    startLabel->setBuddy(m_start);
    auto* durationLabel = new QLabel(tr("Duration"), timeGroup);
    durationLabel->setBuddy(m_duration);
    auto* timeLayout = new QHBoxLayout(timeGroup);
    timeLayout->addWidget(startLabel);
    timeLayout->addWidget(m_start, 1);
    timeLayout->addSpacing(12);
    timeLayout->addWidget(durationLabel);
    timeLayout->addWidget(m_duration);
    return timeGroup;
}

// The pattern: four kinds on the left, the chosen kind's page on the right.
QWidget* CRecurrenceDlg::createPatternGroup() {
    auto* patternGroup = new QGroupBox(tr("Recurrence Pattern"), this);
    const char* kindNames[] = {QT_TR_NOOP("Daily"), QT_TR_NOOP("Weekly"), QT_TR_NOOP("Monthly"), QT_TR_NOOP("Yearly")};
    auto* kindColumn = new QVBoxLayout;
    m_stack = new QStackedWidget(patternGroup);
    m_pages = {new CDailyPage(m_stack), new CWeeklyPage(m_stack), new CMonthlyPage(m_stack), new CYearlyPage(m_stack)};
    for (int kind = 0; kind < 4; ++kind) {
        m_kinds[kind] = new QRadioButton(tr(kindNames[kind]), patternGroup);
        m_kinds[kind]->setObjectName(QString::fromLatin1(kindNames[kind]).toLower());
        kindColumn->addWidget(m_kinds[kind]);
        connect(m_kinds[kind], &QRadioButton::toggled, this, [this, kind](bool on) {
            if (on) switchKind(kind);
        });
        m_stack->addWidget(m_pages[kind]);
    }
    kindColumn->addStretch();
    auto* line = new QFrame(patternGroup);
    line->setFrameShape(QFrame::VLine);
    line->setFrameShadow(QFrame::Sunken);
    auto* patternLayout = new QHBoxLayout(patternGroup);
    patternLayout->addLayout(kindColumn);
    patternLayout->addWidget(line);
    patternLayout->addWidget(m_stack, 1);
    m_stack->setMinimumHeight(m_stack->sizeHint().height());
    return patternGroup;
}

// The end of the series.
QLayout* CRecurrenceDlg::createEndRow() {
    m_endsOn = new QCheckBox(tr("Ends On"), this);
    m_endsOn->setObjectName(QStringLiteral("endsOn"));
    m_end = new CDateTimeField(CDateTimeField::Display::Date, this);
    m_end->setObjectName(QStringLiteral("end"));
    auto* endRow = new QHBoxLayout;
    endRow->addWidget(m_endsOn);
    endRow->addWidget(m_end);
    endRow->addStretch();
    connect(m_end, &CDateTimeField::valueChanged, this, [this] { m_model.end = m_end->value(); });
    // A start moved past the end takes the end along, and the end field shows it.
    connect(m_start, &CDateTimeField::valueChanged, this, [this] {
        m_model.SetStart(m_start->value());
        if (m_end->value() != m_model.end) m_end->setValue(m_model.end);
    });
    // The end date only counts while "Ends On" is ticked, so it is only editable then.
    connect(m_endsOn, &QCheckBox::toggled, this, [this](bool on) {
        m_model.endsOn = on;
        m_end->setEnabled(on);
    });
    return endRow;
}

QLayout* CRecurrenceDlg::createButtonRow() {
    auto* remove = new QPushButton(tr("&Remove Recurrence"), this);
    remove->setObjectName(QStringLiteral("remove"));
    remove->setAutoDefault(false);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(tr("&OK"), QDialogButtonBox::AcceptRole);
    ok->setDefault(true);
    buttons->addButton(tr("&Cancel"), QDialogButtonBox::RejectRole);
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addWidget(remove);
    buttonRow->addStretch();
    buttonRow->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &CRecurrenceDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(remove, &QPushButton::clicked, this, &CRecurrenceDlg::removeRecurrence);
    return buttonRow;
}

void CRecurrenceDlg::setTabOrders() {
    setTabOrder(m_start, m_duration);
    setTabOrder(m_duration, m_kinds[0]);
    setTabOrder(m_kinds[0], m_kinds[1]);
    setTabOrder(m_kinds[1], m_kinds[2]);
    setTabOrder(m_kinds[2], m_kinds[3]);
}

void CRecurrenceDlg::LoadFromRule(const CReCurrence& rule) {
    m_model.LoadFromRule(rule);
    const CRecurrenceModel loaded = m_model;  // the widgets' signals write back as they are set
    m_start->setValue(loaded.start);
    m_end->setValue(loaded.end);
    m_duration->setSeconds(loaded.duration);
    m_endsOn->setChecked(loaded.endsOn);
    m_end->setEnabled(loaded.endsOn);
    m_model = loaded;
    for (CPatternPage* page : m_pages) page->showPages(m_model.pages);
    switchKind(m_model.GetPatternType());
}

void CRecurrenceDlg::switchKind(int patternType) {
    m_model.SwitchKind(patternType);
    const int kind = m_model.GetPatternType();
    m_stack->setCurrentIndex(kind);
    if (!m_kinds[kind]->isChecked()) m_kinds[kind]->setChecked(true);
}

CPatternPage* CRecurrenceDlg::currentPage() const { return m_pages[m_model.GetPatternType()]; }

void CRecurrenceDlg::accept() {
    const bool removing = m_model.removeRequested;
    // A refused Remove must not linger: a later OK keeps the pattern.
    m_model.removeRequested = false;
    CPatternPage* page = currentPage();
    if (!page->readPages(m_model.pages)) return;
    m_model.start = m_start->value();
    m_model.end = m_end->value();
    m_model.endsOn = m_endsOn->isChecked();
    const RecurrenceOkCheck check = m_model.CheckOk();
    if (check.outcome != RecurrenceOkCheck::Outcome::Accept) {
        ShowProductMessage(this, QString::fromStdString(check.message));
        if (check.outcome == RecurrenceOkCheck::Outcome::EndBeforeStart) {
            m_end->setFocus();
        } else if (QLineEdit* day = page->dayBox()) {
            day->setFocus();
            day->selectAll();
        }
        return;
    }
    if (!check.notice.empty()) ShowProductNotice(this, QString::fromStdString(check.notice));
    m_model.removeRequested = removing;
    m_model.duration = m_duration->seconds();
    QDialog::accept();
}

void CRecurrenceDlg::removeRecurrence() {
    m_model.removeRequested = true;
    accept();
}

}  // namespace tv
