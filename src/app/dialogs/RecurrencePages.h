// The four pattern pages of the recurrence dialog: daily, weekly, monthly and yearly.
#pragma once

#include <QWidget>
#include <array>

#include "editing/RecurrenceModel.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QRadioButton;

namespace tv {

// A page shows its part of RecurrencePages and reads it back. Reading checks every integer
// box in turn; the first that is not an integer in its range is reported, focused and
// selected, and reading stops.
class CPatternPage : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;
    virtual void showPages(const RecurrencePages& pages) = 0;
    virtual bool readPages(RecurrencePages& pages) = 0;
    // The box OK's "Invalid time" points at (the yearly day), or null.
    virtual QLineEdit* dayBox() const { return nullptr; }

protected:
    // The integer in a box, or false after telling the user what is wrong with it.
    bool readInt(QLineEdit* box, IntRange range, int& value);
    static QLineEdit* NumberBox(QWidget* parent, const char* name, int digits);
};

class CDailyPage : public CPatternPage {
    Q_OBJECT
public:
    explicit CDailyPage(QWidget* parent = nullptr);
    void showPages(const RecurrencePages& pages) override;
    bool readPages(RecurrencePages& pages) override;

private:
    QLineEdit* m_interval;
};

class CWeeklyPage : public CPatternPage {
    Q_OBJECT
public:
    explicit CWeeklyPage(QWidget* parent = nullptr);
    void showPages(const RecurrencePages& pages) override;
    bool readPages(RecurrencePages& pages) override;

private:
    QLineEdit* m_interval;
    std::array<QCheckBox*, 7> m_days{};  // [0] = Sunday
};

class CMonthlyPage : public CPatternPage {
    Q_OBJECT
public:
    explicit CMonthlyPage(QWidget* parent = nullptr);
    void showPages(const RecurrencePages& pages) override;
    bool readPages(RecurrencePages& pages) override;

private:
    QRadioButton* m_dayRow;
    QRadioButton* m_theRow;
    QLineEdit* m_day;
    QLineEdit* m_dayInterval;
    QComboBox* m_ordinal;
    QComboBox* m_weekday;
    QLineEdit* m_theInterval;
};

class CYearlyPage : public CPatternPage {
    Q_OBJECT
public:
    explicit CYearlyPage(QWidget* parent = nullptr);
    void showPages(const RecurrencePages& pages) override;
    bool readPages(RecurrencePages& pages) override;
    QLineEdit* dayBox() const override { return m_day; }

private:
    QRadioButton* m_everyRow;
    QRadioButton* m_theRow;
    QComboBox* m_everyMonth;
    QLineEdit* m_day;
    QComboBox* m_ordinal;
    QComboBox* m_weekday;
    QComboBox* m_theMonth;
};

}  // namespace tv
