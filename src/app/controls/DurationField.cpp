// CDurationField: a length of time in whole seconds, edited as days, hours, minutes, seconds.
#include "DurationField.h"

#include <QFocusEvent>
#include <QLineEdit>
#include <QRegularExpression>
#include <QStyle>
#include <QStyleOptionSpinBox>
#include <QTimer>
#include <algorithm>

namespace tv {

namespace {

constexpr long long kUnit[] = {86400, 3600, 60, 1};
const QLatin1Char kSuffix[] = {QLatin1Char('d'), QLatin1Char('h'), QLatin1Char('m'), QLatin1Char('s')};

int PartIndex(CDurationField::Part part) { return static_cast<int>(part); }

}  // namespace

CDurationField::CDurationField(QWidget* parent) : QAbstractSpinBox(parent) {
    setAccelerated(true);
    setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
    connect(lineEdit(), &QLineEdit::textEdited, this, &CDurationField::onTextEdited);
    connect(lineEdit(), &QLineEdit::cursorPositionChanged, this, &CDurationField::onCursorMoved);
    connect(this, &QAbstractSpinBox::editingFinished, this, [this] { showValue(); });
    showValue();
}

QString CDurationField::TextFor(int seconds) {
    long long rest = seconds;
    const bool negative = rest < 0;
    if (negative) rest = -rest;
    const long long days = rest / 86400;
    rest %= 86400;
    return QStringLiteral("%1%2d %3h %4m %5s")
        .arg(negative ? QStringLiteral("-") : QString())
        .arg(days)
        .arg(rest / 3600, 2, 10, QLatin1Char('0'))
        .arg(rest % 3600 / 60, 2, 10, QLatin1Char('0'))
        .arg(rest % 60, 2, 10, QLatin1Char('0'));
}

bool CDurationField::ParseText(const QString& text, long long& seconds) {
    static const QRegularExpression re(
        QStringLiteral("^\\s*(-?)\\s*(\\d{1,6})\\s*d\\s*(\\d{1,6})\\s*h\\s*(\\d{1,6})\\s*m\\s*(\\d{1,6})\\s*s\\s*$"));
    const QRegularExpressionMatch m = re.match(text);
    if (!m.hasMatch()) return false;
    long long total = 0;
    for (int i = 0; i < 4; ++i) total += m.captured(i + 2).toLongLong() * kUnit[i];
    seconds = m.captured(1).isEmpty() ? total : -total;
    return true;
}

void CDurationField::setSeconds(int seconds) {
    const bool changed = seconds != m_seconds;
    m_seconds = seconds;
    showValue();
    if (changed) Q_EMIT valueChanged(m_seconds);
}

void CDurationField::setRange(int minimum, int maximum) {
    m_minimum = std::min(minimum, maximum);
    m_maximum = std::max(minimum, maximum);
    update();
}

void CDurationField::setCurrentPart(Part part) {
    m_part = part;
    if (hasFocus()) selectPart();
}

void CDurationField::showValue() {
    m_updating = true;
    const Part part = m_part;
    const int cursor = lineEdit()->cursorPosition();
    lineEdit()->setText(TextFor(m_seconds));
    lineEdit()->setCursorPosition(std::min(cursor, static_cast<int>(lineEdit()->text().size())));
    m_part = part;
    m_updating = false;
}

CDurationField::Part CDurationField::PartAt(int pos) const {
    const QString text = lineEdit()->text();
    for (int i = 0; i < 4; ++i) {
        const int end = text.indexOf(kSuffix[i]);
        if (end >= 0 && pos <= end) return static_cast<Part>(i);
    }
    return Part::Seconds;
}

void CDurationField::selectPart() {
    const QString text = lineEdit()->text();
    const int i = PartIndex(m_part);
    const int end = text.indexOf(kSuffix[i]);
    if (end < 0) return;
    int start = i == 0 ? 0 : text.indexOf(kSuffix[i - 1]) + 1;
    while (start < end && (text[start] == QLatin1Char(' ') || text[start] == QLatin1Char('-'))) ++start;
    m_updating = true;
    lineEdit()->setSelection(start, end - start);
    m_updating = false;
}

void CDurationField::onCursorMoved(int, int newPos) {
    if (!m_updating) m_part = PartAt(newPos);
}

void CDurationField::onTextEdited(const QString& text) {
    long long parsed = 0;
    if (!ParseText(text, parsed) || parsed < m_minimum || parsed > m_maximum) return;
    if (parsed == m_seconds) return;
    m_seconds = static_cast<int>(parsed);
    Q_EMIT valueChanged(m_seconds);
}

void CDurationField::stepBy(int steps) {
    // A value set outside the range steps from the nearest edge of it.
    const long long from = std::clamp<long long>(m_seconds, m_minimum, m_maximum);
    const long long next = std::clamp<long long>(from + steps * kUnit[PartIndex(m_part)], m_minimum, m_maximum);
    setSeconds(static_cast<int>(next));
    selectPart();
}

QAbstractSpinBox::StepEnabled CDurationField::stepEnabled() const {
    if (isReadOnly()) return StepNone;
    StepEnabled e = StepNone;
    if (m_seconds < m_maximum) e |= StepUpEnabled;
    if (m_seconds > m_minimum) e |= StepDownEnabled;
    return e;
}

QValidator::State CDurationField::validate(QString& input, int&) const {
    long long parsed = 0;
    if (ParseText(input, parsed)) return parsed >= m_minimum && parsed <= m_maximum ? QValidator::Acceptable
                                                                                    : QValidator::Intermediate;
    // Anything made only of the field's own characters may be on its way to a duration.
    static const QRegularExpression partial(QStringLiteral("^[-\\d\\sdhms]*$"));
    return partial.match(input).hasMatch() ? QValidator::Intermediate : QValidator::Invalid;
}

void CDurationField::fixup(QString& input) const { input = TextFor(m_seconds); }

void CDurationField::focusInEvent(QFocusEvent* event) {
    const Part part = m_part;
    QAbstractSpinBox::focusInEvent(event);
    // Tabbing in selects the part the arrows will step; a click places the cursor itself.
    if (event->reason() != Qt::MouseFocusReason) {
        m_part = part;
        QTimer::singleShot(0, this, [this, part] {
            m_part = part;
            selectPart();
        });
    }
}

QSize CDurationField::sizeHint() const {
    ensurePolished();
    const QFontMetrics fm(font());
    const int w = fm.horizontalAdvance(TextFor(-(99 * 86400 + 23 * 3600 + 59 * 60 + 59))) + 6;
    const int h = lineEdit()->sizeHint().height();
    QStyleOptionSpinBox opt;
    initStyleOption(&opt);
    return style()->sizeFromContents(QStyle::CT_SpinBox, &opt, QSize(w, h), this);
}

QSize CDurationField::minimumSizeHint() const { return sizeHint(); }

}  // namespace tv
