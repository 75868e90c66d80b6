// CMainWnd: the calendar main window with its menu bar, toolbar, keys, pages and commands.
#pragma once

#include <QHash>
#include <QMainWindow>
#include <array>
#include <cstdint>

#include "MainPage.h"
#include "engine/Clock.h"

class QStackedWidget;
class QLabel;
class QMenu;
class QToolButton;

namespace tv {

class CAcceleratorTable;

// The window of the six pages (see IMainPage). Commands arrive from the menu bar, the
// toolbar, the accelerator table and other windows under one set of ids (shell/Commands.h)
// and go through runCommand(), which drops a command whose rule says it is disabled. Only one
// exists at a time; closing it saves the event file, its placement and its page, and the
// program keeps running in the tray.
class CMainWnd : public QMainWindow {
    Q_OBJECT
public:
    // Builds the window and restores its placement and page from section "Settings".
    explicit CMainWnd(QWidget* parent = nullptr);
    ~CMainWnd() override;

    // The open main window, or null.
    static CMainWnd* Instance();
    // Restores (un-minimises) and raises the open window, or makes one.
    static CMainWnd* OpenOrRestore();

    // Pages: 0 Daily, 1 Week Day, 2 Weekly, 3 Monthly, 4 Find, 5 All.
    int viewIndex() const { return m_view; }
    // Shows that page; an index outside 0..5 changes nothing.
    void setView(int index);
    // Puts a page in place of the one at that index (which is deleted). The widget must also
    // implement IMainPage.
    void setPage(int index, QWidget* page);
    QWidget* pageWidget(int index) const;
    IMainPage* page(int index) const;
    IMainPage* activePage() const { return page(m_view); }
    // The 31-pixel strip above the pages; setTabBar() replaces it (the old one is deleted).
    QWidget* tabBar() const { return m_tabBar; }
    void setTabBar(QWidget* tabBar);

    void runCommand(int commandId);
    bool isCommandEnabled(int commandId) const;
    // The menu and toolbar action of a command (null for type menu items).
    QAction* action(int commandId) const { return m_actions.value(commandId); }
    // Enables and checks every action by its rule; runs whenever the program goes idle.
    void updateCommandStates();

    // The moment Accept and the views use; the system clock unless a test sets another.
    void setClock(const IClock* clock) { m_clock = clock; }
    const IClock& clock() const { return *m_clock; }

    // Whether the commands filled in by the event editor, the type dialogs and the
    // preferences exist yet; the clock's menu asks too.
    static bool IsNewEventAvailable();
    static bool IsCustomizeAvailable();
    static bool IsOptionsAvailable();

public Q_SLOTS:
    // Delete, Accept, Enable and Disable the selected events of the active page.
    void deleteEvents();
    void acceptEvents();
    void enableEvents();
    void disableEvents();

    // Filled in by the event editor: New (the first type), New of a type, Modify.
    void newEvent(int typeIndex);
    void modifyEvent();
    // Filled in by the type dialogs: the event-type list ("Customize...").
    void customizeTypes();
    // The preferences sheet (MainWndOptions.cpp).
    void showOptions();
    // Printing and the print preview of the active page (views/MainWndPrint.cpp).
    void print();
    void printPreview();
    // Backup, Restore, Export and the imports (MainWndTransfer.cpp).
    void backup();
    void restoreBackup();
    void exportEvents();
    void importExpFile();
    void importHoliday();
    void importPlumtrace();
    // Export iCalendar... and Import iCalendar... (IcsCommands.cpp).
    void exportIcs();
    void importIcs();
    // Filled in by the views: the date navigation.
    void gotoToday();
    void gotoThisDay();
    void gotoDate();

    // "KORVATE-REFRESH", "KORVATE-EVENT_DEL", "KORVATE-INVALIDATE".
    void onRefresh(quint32 wParam);
    void onEventDeleted(quint32 eventId);
    void onInvalidate(quint32 eventId);

Q_SIGNALS:
    // setView() showed a page (also when it was shown already): the views follow the switch.
    void viewChanged(int index);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createActions();
    void createMenus();
    void createToolBar();
    void createStatusBar();
    void createPages();
    void restorePlacement();
    void savePlacement();
    QAction* makeAction(int id, const QString& menuText);
    void changeSelected(int change);
    // After Restore and the imports: saves what changed and refreshes the shown page.
    void afterTransfer(bool typesChanged, bool eventsChanged);
    bool hasSelection() const;

    // Whether each command filled in by another part exists yet (see MainWndPending.cpp).
    static bool IsModifyAvailable();
    static bool IsPrintAvailable();
    static bool IsTransferAvailable(int commandId);
    static bool IsGotoAvailable(int commandId);

    QHash<int, QAction*> m_actions;
    QStackedWidget* m_stack = nullptr;
    QWidget* m_tabBar = nullptr;
    QWidget* m_central = nullptr;
    std::array<QWidget*, 6> m_pages{};
    QMenu* m_newMenu = nullptr;
    QMenu* m_toolNewMenu = nullptr;
    CAcceleratorTable* m_accelerators = nullptr;
    QMetaObject::Connection m_idle;
    const IClock* m_clock = nullptr;
    int m_view = 0;
    bool m_closed = false;
};

}  // namespace tv
