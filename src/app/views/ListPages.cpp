// The All-events and Find pages.
#include "ListPages.h"

#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "controls/DateTimeField.h"
#include "engine/Clock.h"
#include "shell/AppIcons.h"
#include "store/EventTypeTable.h"

namespace tv {

namespace {

// Return in the search text runs the search. The field claims the key before the main window's
// Enter accelerator (Modify) can: an unclaimed override would travel on to the page and be
// taken there.
class ReturnKeeper : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::ShortcutOverride) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                event->accept();
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }
};

}  // namespace

CAllEventsPage::CAllEventsPage(const IClock& clock, QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("AllEvents"));
    m_list = new CEventListCtrl(clock, this);
    m_list->setObjectName(QStringLiteral("AllEventsList"));
    m_list->setSortable(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_list);
    setFocusProxy(m_list);
}

// ---- CTemplateCombo -------------------------------------------------------------------

void CTemplateCombo::refill() {
    const std::optional<uint32_t> chosen = typeFilter();
    blockSignals(true);
    clear();
    addItem(tr("All"), QVariant(-1));
    for (const CEventType& t : GetEventTypeTable().Snapshot())
        addItem(icons::TypeIcon(t.GetIcon()), QString::fromStdString(t.GetName()),
                QVariant(static_cast<qlonglong>(t.GetId())));
    // The type chosen before stays chosen while it exists; otherwise "All".
    int index = 0;
    if (chosen) {
        const int found = findData(QVariant(static_cast<qlonglong>(*chosen)));
        if (found >= 0) index = found;
    }
    setCurrentIndex(index);
    blockSignals(false);
}

std::optional<uint32_t> CTemplateCombo::typeFilter() const {
    if (currentIndex() <= 0) return std::nullopt;
    return static_cast<uint32_t>(currentData().toLongLong());
}

void CTemplateCombo::showPopup() {
    refill();
    QComboBox::showPopup();
}

// ---- CFindPage ------------------------------------------------------------------------

CFindPage::CFindPage(const IClock& clock, QWidget* parent) : QWidget(parent), m_clock(clock) {
    setObjectName(QStringLiteral("Find"));
    m_text = new QLineEdit(this);
    m_text->setObjectName(QStringLiteral("FindText"));
    m_text->setClearButtonEnabled(true);
    m_text->installEventFilter(new ReturnKeeper(m_text));
    m_find = new QPushButton(tr("Find"), this);
    m_find->setDefault(true);
    m_find->setAutoDefault(true);
    m_fromOn = new QCheckBox(tr("From"), this);
    m_toOn = new QCheckBox(tr("To"), this);
    m_from = new CDateTimeField(CDateTimeField::Display::DateAndTime, this);
    m_to = new CDateTimeField(CDateTimeField::Display::DateAndTime, this);
    m_from->setCalendarPopup(true);
    m_to->setCalendarPopup(true);
    m_from->setEnabled(false);
    m_to->setEnabled(false);
    m_case = new QCheckBox(tr("Case Sensitive"), this);
    m_template = new CTemplateCombo(this);
    m_template->setObjectName(QStringLiteral("Template"));
    m_template->setMinimumContentsLength(14);
    m_template->refill();
    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    m_list = new CEventListCtrl(clock, this);
    m_list->setObjectName(QStringLiteral("FindList"));
    m_list->setSortable(false);

    // A bound is off until its box is ticked; ticking it first offers today's start or end.
    connect(m_fromOn, &QCheckBox::toggled, this, [this](bool on) {
        m_from->setEnabled(on);
        if (on && !m_from->value().IsValid()) m_from->setValue(m_clock.Now().DateOnly());
    });
    connect(m_toOn, &QCheckBox::toggled, this, [this](bool on) {
        m_to->setEnabled(on);
        if (on && !m_to->value().IsValid())
            m_to->setValue(m_clock.Now().DateOnly() + TimeSpan::FromParts(0, 23, 59, 59));
    });
    m_from->setValue(DateTime::Null());
    m_to->setValue(DateTime::Null());
    connect(m_find, &QPushButton::clicked, this, &CFindPage::search);
    connect(m_text, &QLineEdit::returnPressed, this, &CFindPage::search);

    auto* grid = new QGridLayout;
    grid->setContentsMargins(8, 8, 8, 4);
    grid->setHorizontalSpacing(8);
    grid->addWidget(new QLabel(tr("Text"), this), 0, 0);
    grid->addWidget(m_text, 0, 1, 1, 3);
    grid->addWidget(m_find, 0, 4);
    grid->addWidget(m_fromOn, 1, 0);
    grid->addWidget(m_from, 1, 1);
    grid->addWidget(m_toOn, 1, 2, Qt::AlignRight);
    grid->addWidget(m_to, 1, 3);
    grid->addWidget(m_case, 2, 1);
    auto* templateLabel = new QLabel(tr("Template"), this);
    grid->addWidget(templateLabel, 2, 2, Qt::AlignRight);
    grid->addWidget(m_template, 2, 3);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(grid);
    layout->addWidget(line);
    layout->addWidget(m_list, 1);
    setFocusProxy(m_text);
}

FindCriteria CFindPage::criteria() const {
    FindCriteria c;
    c.text = m_text->text().toStdString();
    c.caseSensitive = m_case->isChecked();
    if (m_fromOn->isChecked()) c.from = BoundFromControl(m_from->value());
    if (m_toOn->isChecked()) c.to = BoundFromControl(m_to->value());
    c.typeId = m_template->typeFilter();
    return c;
}

void CFindPage::search() { m_list->listModel()->setIds(FindEvents(GetEventStore(), criteria())); }

void CFindPage::Rebuild() {
    const CEventStore& store = GetEventStore();
    std::vector<uint32_t> gone;
    for (uint32_t id : m_list->listModel()->model().Ids()) {
        CPtEvent ev;
        if (!store.GetById(id, ev)) gone.push_back(id);
    }
    for (uint32_t id : gone) m_list->listModel()->removeById(id);
    m_list->viewport()->update();
}

void CFindPage::keyPressEvent(QKeyEvent* event) {
    // Escape neither closes nor hides the page.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

}  // namespace tv
