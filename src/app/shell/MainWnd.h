// CMainWnd: the calendar main window with its menu bar, toolbar, keys, pages and commands.
#pragma once

#include <QHash>
#include <QMainWindow>
#include <cstdint>

#include "MainPage.h"
#include "engine/Clock.h"

class QStackedWidget;
class QMenu;
class QToolButton;

namespace tv {

class CAcceleratorTable;
class CViewPages;
struct CommandState;
struct MainCommand;

// The window of the six pages (see IMainPage and CViewPages). Its menu bar, toolbar and keys
// are built from the command table (CommandTable.h); commands from them and from other windows
// go through runCommand(), which drops a command whose rule says it is disabled. Only one
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
    // OpenOrRestore on the desktop the user is on, for a second launch of the program: a window
    // left on another desktop comes over.
    static CMainWnd* BringToFront();

    // The page shown, a ViewIndex.
    int viewIndex() const { return m_view; }
    // Shows that page; an index outside the ViewIndex range changes nothing.
    void setView(int index);
    // The six pages and the tab bar above them.
    CViewPages* pages() const { return m_pages; }
    IMainPage* activePage() const;

    void runCommand(int commandId);
    bool isCommandEnabled(int commandId) const;
    // The menu and toolbar action of a command (null for type menu items).
    QAction* action(int commandId) const { return m_actions.value(commandId); }
    // Enables and checks every action by its rule; runs whenever the program goes idle.
    void updateCommandStates();
    // The shown page shows the store as it is now: a calendar view collects its events again,
    // a list is filled again, a search runs again.
    void refreshPages();

    // The moment Accept and the views use; the system clock unless a test sets another.
    void setClock(const IClock* clock) { m_clock = clock; }
    const IClock& clock() const { return *m_clock; }

public Q_SLOTS:
    // Delete, Accept, Enable and Disable the selected events of the active page.
    void deleteEvents();
    void acceptEvents();
    void enableEvents();
    void disableEvents();

    // New (the first type), New of a type, Modify and the event-type list ("Customize...") in
    // the editing dialogs, each refreshing the page shown.
    void newEvent(int typeIndex);
    void modifyEvent();
    void customizeTypes();
    // The preferences sheet (MainWndOptions.cpp).
    void showOptions();
    // Printing and the print preview of the active page (MainWndPrint.cpp).
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
    void createAccelerators();
    void restorePlacement();
    void savePlacement();
    QAction* makeAction(const MainCommand& command);
    void fillTypeMenu(QMenu* menu);
    // What the commands' rules look at: the page shown and whether it has selected events.
    CommandState commandState() const;
    void changeSelected(int change);
    // After Restore and the imports: saves what changed and refreshes the shown page.
    void afterTransfer(bool typesChanged, bool eventsChanged);

    QHash<int, QAction*> m_actions;
    CViewPages* m_pages = nullptr;
    QStackedWidget* m_stack = nullptr;
    QMenu* m_newMenu = nullptr;
    QMenu* m_toolNewMenu = nullptr;
    CAcceleratorTable* m_accelerators = nullptr;
    QMetaObject::Connection m_idle;
    const IClock* m_clock = nullptr;
    int m_view = 0;
    bool m_closed = false;
};

}  // namespace tv
