// CDurationField: a length of time in whole seconds, edited as days, hours, minutes, seconds.
#pragma once

#include <QAbstractSpinBox>
#include <climits>

namespace tv {

// Shows "1d 02h 05m 00s". The arrow keys, the wheel and the spin buttons step the part under
// the cursor (minutes until the user puts the cursor elsewhere), carrying into the next part;
// the user may also type over the text.
//
//   CDurationField snooze;
//   snooze.setSeconds(300);
//   ...
//   int seconds = snooze.seconds();   // 300 again unless the user changed it
//
// seconds() answers exactly what setSeconds() was given until the user changes the field, even
// a value outside the range. The default range is 0 to INT_MAX. valueChanged() fires whenever
// seconds() changes, by the user or by setSeconds().
class CDurationField : public QAbstractSpinBox {
    Q_OBJECT
public:
    enum class Part { Days, Hours, Minutes, Seconds };

    explicit CDurationField(QWidget* parent = nullptr);

    int seconds() const { return m_seconds; }
    void setSeconds(int seconds);

    void setRange(int minimum, int maximum);
    int minimum() const { return m_minimum; }
    int maximum() const { return m_maximum; }

    // The part the arrows step.
    Part currentPart() const { return m_part; }
    void setCurrentPart(Part part);

    // "1d 02h 05m 00s" for 93900; a leading '-' for a negative length.
    static QString TextFor(int seconds);
    // The seconds a text stands for, or false when it is not a duration. Parts above their
    // usual range ("0d 00h 90m 00s") are accepted and carried.
    static bool ParseText(const QString& text, long long& seconds);

    void stepBy(int steps) override;
    QValidator::State validate(QString& input, int& pos) const override;
    void fixup(QString& input) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

Q_SIGNALS:
    void valueChanged(int seconds);

protected:
    StepEnabled stepEnabled() const override;
    void focusInEvent(QFocusEvent* event) override;

private:
    void onTextEdited(const QString& text);
    void onCursorMoved(int oldPos, int newPos);
    void showValue();
    void selectPart();
    Part PartAt(int pos) const;

    int m_seconds = 0;
    int m_minimum = 0;
    int m_maximum = INT_MAX;
    Part m_part = Part::Minutes;
    bool m_updating = false;
};

}  // namespace tv
