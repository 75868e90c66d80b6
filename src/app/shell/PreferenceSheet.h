// CPreferenceSheet ("Option"): the General page (clock, chimes, start-up, pop-ups) and the
// Other page (office hours), each writing its values into the preferences when confirmed.
#pragma once

#include <QDialog>
#include <QFont>
#include <functional>
#include <optional>
#include <string>

#include "model/DateTime.h"
#include "model/LogFont.h"
#include "shell/Autostart.h"

class QCheckBox;
class QLayout;
class QLineEdit;
class QMenu;
class QPushButton;
class QTabWidget;
class QToolButton;

namespace tv {

class CColorButton;
class CDateTimeField;
class CSyncPage;

// A page of the sheet. Its values are taken over only when the sheet is confirmed after the
// page has been shown: a page the user never looked at keeps its settings as they were.
class CPreferencePage : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;
    bool wasShown() const { return m_shown; }
    // Writes the page into the preferences and saves section "Var".
    virtual void apply() = 0;

protected:
    void showEvent(QShowEvent* event) override;

private:
    bool m_shown = false;
};

class CPreferenceGeneralPage : public CPreferencePage {
    Q_OBJECT
public:
    explicit CPreferenceGeneralPage(QWidget* parent = nullptr);
    void apply() override;

    // The Format button's menu: the 11 patterns, each shown as pattern, tab, sample.
    QMenu* formatMenu() const { return m_formatMenu; }
    void chooseFont();
    void chooseSharpChime();
    void chooseHalfChime();

    // The font dialog and the Set Sound dialog; tests answer for the user. Nothing: Cancel.
    std::function<std::optional<QFont>(QWidget* parent, const QFont& initial)> askFont;
    std::function<std::optional<std::string>(QWidget* parent, const std::string& current)> askSound;
    // What the log-on start entry starts: this program, on its data folder.
    std::function<AutostartTarget()> autostartTarget;

    QCheckBox* showClockBox() const { return m_showClock; }
    QLineEdit* patternEdit() const { return m_pattern; }
    CColorButton* textColorButton() const { return m_textColor; }
    CColorButton* backColorButton() const { return m_backColor; }
    QCheckBox* runBox() const { return m_run; }
    QCheckBox* onTopBox() const { return m_onTop; }
    QCheckBox* showMainBox() const { return m_showMain; }
    const std::string& sharpChime() const { return m_sharp; }

private:
    QWidget* createClockGroup();
    QLayout* createStartupBoxes();
    void showSettings();
    void buildFormatMenu();
    void chooseChime(std::string& chime, QPushButton* button);
    static void showChimeTip(QPushButton* button, const std::string& chime);

    QCheckBox* m_showClock;
    QLineEdit* m_pattern;
    QPushButton* m_format;
    QMenu* m_formatMenu = nullptr;
    CColorButton* m_textColor;
    CColorButton* m_backColor;
    QPushButton* m_fontButton;
    QPushButton* m_sharpButton;
    QPushButton* m_halfButton;
    QCheckBox* m_run;
    QCheckBox* m_onTop;
    QCheckBox* m_showMain;
    LogFont m_font;
    std::string m_sharp, m_half;
};

class COtherPage : public CPreferencePage {
    Q_OBJECT
public:
    explicit COtherPage(QWidget* parent = nullptr);
    void apply() override;

    // A choice from a "..." button's half-hour list (32871 + k for k x 30 minutes).
    void chooseStart(int commandId);
    void chooseEnd(int commandId);

    CDateTimeField* startField() const { return m_start; }
    CDateTimeField* endField() const { return m_end; }
    QCheckBox* notificationsBox() const { return m_notifications; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void fitButtons();

    CDateTimeField* m_start;
    CDateTimeField* m_end;
    QToolButton* m_startButton;
    QToolButton* m_endButton;
    QCheckBox* m_notifications;
};

class CPreferenceSheet : public QDialog {
    Q_OBJECT
public:
    explicit CPreferenceSheet(QWidget* parent = nullptr);

    QTabWidget* tabs() const { return m_tabs; }
    CPreferenceGeneralPage* generalPage() const { return m_general; }
    COtherPage* otherPage() const { return m_other; }
    CSyncPage* syncPage() const { return m_sync; }

    // OK: every page that was shown takes its values over.
    void accept() override;

private:
    QTabWidget* m_tabs;
    CPreferenceGeneralPage* m_general;
    COtherPage* m_other;
    CSyncPage* m_sync;
};

// The program the log-on start entry runs: this executable, with --data-dir when it runs on a
// data folder of its own.
AutostartTarget CurrentAutostartTarget();

}  // namespace tv
