<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>QObject</name>
    <message>
        <location filename="../../src/app/shell/UserPrompts.cpp" line="+32"/>
        <source>Delete Events</source>
        <translation>Ereignisse löschen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>This is a recurrent event, do you really want to delete it?</source>
        <translation>Dies ist ein wiederkehrendes Ereignis. Möchten Sie es wirklich löschen?</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Yes to &amp;All</source>
        <translation>Ja für &amp;alle</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Yes</source>
        <translation>&amp;Ja</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;No</source>
        <translation>&amp;Nein</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Cancel</source>
        <translation>&amp;Abbrechen</translation>
    </message>
    <message>
        <location line="+25"/>
        <source>Neither the clock nor a tray icon shows Tallyvane on this desktop, so nothing will be left to see once this window closes.

Keep Tallyvane running in the background to remind you of your events? Starting Tallyvane again brings this window back.</source>
        <translation>Auf dieser Arbeitsfläche zeigen weder die Uhr noch ein Symbol im Systembereich Tallyvane an; sobald dieses Fenster geschlossen ist, bleibt also nichts mehr sichtbar.

Soll Tallyvane im Hintergrund weiterlaufen, um Sie an Ihre Ereignisse zu erinnern? Wenn Sie Tallyvane erneut starten, erscheint dieses Fenster wieder.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>&amp;Keep Running</source>
        <translation>&amp;Weiterlaufen lassen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <location line="+31"/>
        <source>%1 already exists.
Do you want to replace it?</source>
        <translation>%1 existiert bereits.
Möchten Sie die Datei ersetzen?</translation>
    </message>
    <message>
        <location line="+32"/>
        <source>Print to PDF</source>
        <translation>Als PDF drucken</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>PDF Files (*.pdf)</source>
        <translation>PDF-Dateien (*.pdf)</translation>
    </message>
    <message>
        <location line="+40"/>
        <source>

Your changes are kept in memory; Tallyvane tries again at the next save.</source>
        <translation>

Ihre Änderungen bleiben im Speicher erhalten; Tallyvane versucht es beim nächsten Speichern erneut.</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>The %1 could not be read completely.</source>
        <translation>Die %1 konnte nicht vollständig gelesen werden.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source> A copy of the file is kept before it is next saved.</source>
        <translation> Vor dem nächsten Speichern wird eine Kopie der Datei aufbewahrt.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>%1 records of the %2 had missing or repeated ids and were given new ones.</source>
        <translation>%1 Einträge der %2 hatten fehlende oder doppelte Kennungen und haben neue erhalten.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>event file</source>
        <translation>Ereignisdatei</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>event type file</source>
        <translation>Ereignistypdatei</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <location filename="../../src/app/main.cpp" line="+63"/>
        <source>Tallyvane: a reminder calendar with a desktop clock.</source>
        <translation>Tallyvane: ein Erinnerungskalender mit Desktop-Uhr.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Keep events, types and your own sounds in DIR (default: $XDG_DATA_HOME/tallyvane, that is ~/.local/share/tallyvane).</source>
        <translation>Ereignisse, Typen und eigene Klänge in VERZ ablegen (Vorgabe: $XDG_DATA_HOME/tallyvane, also ~/.local/share/tallyvane).</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Use the data folder even though another user owns it or others may write to it.</source>
        <translation>Den Datenordner verwenden, obwohl er einem anderen Benutzer gehört oder andere darin schreiben dürfen.</translation>
    </message>
</context>
<context>
    <name>tv::CAboutDialog</name>
    <message>
        <location filename="../../src/app/shell/HelpAbout.cpp" line="+52"/>
        <source>Tallyvane Version %1 (Build %2)</source>
        <translation>Tallyvane Version %1 (Build %2)</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>About Tallyvane</source>
        <translation>Über Tallyvane</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>A personal reminder calendar with a desktop clock.</source>
        <translation>Ein persönlicher Erinnerungskalender mit Desktop-Uhr.</translation>
    </message>
</context>
<context>
    <name>tv::CClockWnd</name>
    <message>
        <location filename="../../src/app/shell/ClockWnd.cpp" line="+42"/>
        <source>Clock</source>
        <translation>Uhr</translation>
    </message>
    <message>
        <location line="+179"/>
        <source>New Event</source>
        <translation>Neues Ereignis</translation>
    </message>
</context>
<context>
    <name>tv::CColorPalette</name>
    <message>
        <location filename="../../src/app/dialogs/ColorButton.cpp" line="+81"/>
        <source>Other...</source>
        <translation>Weitere...</translation>
    </message>
</context>
<context>
    <name>tv::CDailyPage</name>
    <message>
        <location filename="../../src/app/dialogs/RecurrencePages.cpp" line="+80"/>
        <source>Every</source>
        <translation>Alle</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Days</source>
        <translation>Tag(e)</translation>
    </message>
</context>
<context>
    <name>tv::CDateTimeField</name>
    <message>
        <location filename="../../src/app/controls/DateTimeField.cpp" line="+26"/>
        <source>None</source>
        <translation>Keine</translation>
    </message>
</context>
<context>
    <name>tv::CDesktopNotifier</name>
    <message>
        <location filename="../../src/app/engine/DesktopNotifier.cpp" line="+98"/>
        <source>Snooze</source>
        <translation>Später erinnern</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Accept</source>
        <translation>Erledigt</translation>
    </message>
</context>
<context>
    <name>tv::CEventEditorDlg</name>
    <message>
        <location filename="../../src/app/dialogs/EventEditorDlg.cpp" line="+81"/>
        <source>Event</source>
        <translation>Ereignis</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Event type</source>
        <translation>Ereignistyp</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Name:</source>
        <translation>Name:</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Note:</source>
        <translation>Notiz:</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>Start on the hour or half hour</source>
        <translation>Beginn zur vollen oder halben Stunde</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Enable</source>
        <translation>Aktiv</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Accepted</source>
        <translation>Erledigt</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Start</source>
        <translation>Beginn</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Duration</source>
        <translation>Dauer</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Remind Before</source>
        <translation>Erinnern vorher</translation>
    </message>
    <message>
        <location line="+37"/>
        <source>Recurrence</source>
        <translation>Wiederholung</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Set Recurrence...</source>
        <translation>Wiederholung festlegen...</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Sound</source>
        <translation>Klang</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Set Sound...</source>
        <translation>Klang festlegen...</translation>
    </message>
</context>
<context>
    <name>tv::CEventTypeDlg</name>
    <message>
        <location filename="../../src/app/dialogs/EventTypeDlg.cpp" line="+28"/>
        <source>Create an event type</source>
        <translation>Einen Ereignistyp anlegen</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Start</source>
        <translation>Beginn</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Name:</source>
        <translation>Name:</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Duration</source>
        <translation>Dauer</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Remind Before</source>
        <translation>Erinnern vorher</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>&amp;Icon...</source>
        <translation>&amp;Symbol...</translation>
    </message>
    <message>
        <location line="+24"/>
        <source>Text</source>
        <translation>Text</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;Font...</source>
        <translation>&amp;Schrift...</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Sound</source>
        <translation>Klang</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>S&amp;ound</source>
        <translation>&amp;Klang</translation>
    </message>
</context>
<context>
    <name>tv::CEventTypeListDlg</name>
    <message>
        <location filename="../../src/app/dialogs/EventTypeListDlg.cpp" line="+42"/>
        <source>Event Type</source>
        <translation>Ereignistyp</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Customize Event Types</source>
        <translation>Ereignistypen anpassen</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>&amp;New...</source>
        <translation>&amp;Neu...</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Edit...</source>
        <translation>&amp;Bearbeiten...</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Delete</source>
        <translation>&amp;Löschen</translation>
    </message>
</context>
<context>
    <name>tv::CFindPage</name>
    <message>
        <location filename="../../src/app/views/ListPages.cpp" line="+91"/>
        <source>Find</source>
        <translation>Suchen</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>From</source>
        <translation>Von</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>To</source>
        <translation>Bis</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Case Sensitive</source>
        <translation>Groß-/Kleinschreibung beachten</translation>
    </message>
    <message>
        <location line="+30"/>
        <source>Text</source>
        <translation>Text</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Template</source>
        <translation>Vorlage</translation>
    </message>
</context>
<context>
    <name>tv::CIcsImportDlg</name>
    <message>
        <location filename="../../src/app/shell/IcsCommands.cpp" line="+62"/>
        <source>Import iCalendar</source>
        <translation>iCalendar importieren</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>These events say more than Tallyvane can hold. Import each as the nearest event Tallyvane can hold, or skip it.</source>
        <translation>Diese Ereignisse enthalten mehr, als Tallyvane abbilden kann. Importieren Sie jedes als das nächstliegende Ereignis, das Tallyvane abbilden kann, oder überspringen Sie es.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Event</source>
        <translation>Ereignis</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Start</source>
        <translation>Beginn</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>What cannot move</source>
        <translation>Was nicht übernommen werden kann</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Choice</source>
        <translation>Auswahl</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>Import as nearest</source>
        <translation>Nächstliegend importieren</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Skip</source>
        <translation>Überspringen</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>All as Nearest</source>
        <translation>Alle nächstliegend</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Skip All</source>
        <translation>Alle überspringen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Import</source>
        <translation>Importieren</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>tv::CImportDlg</name>
    <message>
        <location filename="../../src/app/shell/ImportDlg.cpp" line="+13"/>
        <location line="+15"/>
        <source>Import</source>
        <translation>Importieren</translation>
    </message>
    <message>
        <location line="-13"/>
        <source>Select the content</source>
        <translation>Inhalt auswählen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Import Event</source>
        <translation>Ereignisse importieren</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Import Event Type</source>
        <translation>Ereignistypen importieren</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>tv::CMainWnd</name>
    <message>
        <location filename="../../src/app/shell/IcsCommands.cpp" line="+29"/>
        <source>Some events were written with a change:

</source>
        <translation>Einige Ereignisse wurden verändert geschrieben:

</translation>
    </message>
    <message>
        <location filename="../../src/app/shell/MainWnd.cpp" line="+144"/>
        <source>&amp;Event</source>
        <translation>&amp;Ereignis</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>New</source>
        <translation>Neu</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Tool</source>
        <translation>E&amp;xtras</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Import</source>
        <translation>Importieren</translation>
    </message>
    <message>
        <location line="+43"/>
        <source>Ready</source>
        <translation>Bereit</translation>
    </message>
    <message>
        <location line="+27"/>
        <source>%1 - %2</source>
        <translation>%1 – %2</translation>
    </message>
    <message>
        <location filename="../../src/app/shell/MainWndCommands.cpp" line="+16"/>
        <source>This is a recurrent event, do you really want to delete it?</source>
        <translation>Dies ist ein wiederkehrendes Ereignis. Möchten Sie es wirklich löschen?</translation>
    </message>
    <message>
        <location line="+36"/>
        <location line="+10"/>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Do you really want to delete the selected events?</source>
        <translation>Möchten Sie die ausgewählten Ereignisse wirklich löschen?</translation>
    </message>
    <message>
        <location filename="../../src/app/shell/MainWndPrint.cpp" line="+78"/>
        <source>Tallyvane - Preview</source>
        <translation>Tallyvane – Vorschau</translation>
    </message>
    <message>
        <location filename="../../src/app/shell/MainWndTransfer.cpp" line="+24"/>
        <source>Restoring from a backup file will delete all events and event type you currently have, 
which will be replaced by those in backup file. 

Do you want to continue?</source>
        <translation>Beim Wiederherstellen aus einer Sicherungsdatei werden alle vorhandenen Ereignisse und Ereignistypen gelöscht 
und durch die aus der Sicherungsdatei ersetzt. 

Möchten Sie fortfahren?</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Export Files (*.bak)</source>
        <translation>Sicherungsdateien (*.bak)</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Export Files (*.exp)</source>
        <translation>Exportdateien (*.exp)</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Holiday Files (*.hdy)</source>
        <translation>Feiertagsdateien (*.hdy)</translation>
    </message>
    <message>
        <location line="+87"/>
        <source>Choose Plumtrace 2.3 Installation Folder</source>
        <translation>Installationsordner von Plumtrace 2.3 wählen</translation>
    </message>
</context>
<context>
    <name>tv::CMonthlyPage</name>
    <message>
        <location filename="../../src/app/dialogs/RecurrencePages.cpp" line="+53"/>
        <source>Day</source>
        <translation>Am Tag</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The</source>
        <translation>Am</translation>
    </message>
    <message>
        <location line="+22"/>
        <location line="+5"/>
        <source>of every</source>
        <translation>alle</translation>
    </message>
    <message>
        <location line="-3"/>
        <location line="+5"/>
        <source>Month</source>
        <translation>Monat(e)</translation>
    </message>
</context>
<context>
    <name>tv::COtherPage</name>
    <message>
        <location filename="../../src/app/shell/PreferenceSheet.cpp" line="+240"/>
        <source>Office Hour</source>
        <translation>Bürozeit</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Choose a time on the hour or half hour</source>
        <translation>Eine Zeit zur vollen oder halben Stunde wählen</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Start</source>
        <translation>Beginn</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>End</source>
        <translation>Ende</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>&amp;Week starts on</source>
        <translation>&amp;Woche beginnt am</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>As is usual in your region</source>
        <translation>Wie in Ihrer Region üblich</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Also show reminders as &amp;desktop notifications</source>
        <translation>Erinnerungen auch als &amp;Desktop-Benachrichtigungen zeigen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Each reminder pop-up also appears as a notification of the desktop, with Snooze and Accept</source>
        <translation>Jedes Erinnerungsfenster erscheint auch als Benachrichtigung der Arbeitsfläche, mit „Später erinnern“ und „Erledigt“</translation>
    </message>
</context>
<context>
    <name>tv::CPatternPage</name>
    <message>
        <location filename="../../src/app/dialogs/RecurrencePages.cpp" line="-145"/>
        <source>First</source>
        <translation>ersten</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Second</source>
        <translation>zweiten</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Third</source>
        <translation>dritten</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Fourth</source>
        <translation>vierten</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Last</source>
        <translation>letzten</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Sunday</source>
        <translation>Sonntag</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Monday</source>
        <translation>Montag</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Tuesday</source>
        <translation>Dienstag</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Wednesday</source>
        <translation>Mittwoch</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Thursday</source>
        <translation>Donnerstag</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Friday</source>
        <translation>Freitag</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Saturday</source>
        <translation>Samstag</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>January</source>
        <translation>Januar</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>February</source>
        <translation>Februar</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>March</source>
        <translation>März</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>April</source>
        <translation>April</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>May</source>
        <translation>Mai</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>June</source>
        <translation>Juni</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>July</source>
        <translation>Juli</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>August</source>
        <translation>August</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>September</source>
        <translation>September</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>October</source>
        <translation>Oktober</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>November</source>
        <translation>November</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>December</source>
        <translation>Dezember</translation>
    </message>
</context>
<context>
    <name>tv::CPreferenceGeneralPage</name>
    <message>
        <location filename="../../src/app/shell/PreferenceSheet.cpp" line="-227"/>
        <source>, %1 pt</source>
        <translation>, %1 pt</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>, bold</source>
        <translation>, fett</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>, italic</source>
        <translation>, kursiv</translation>
    </message>
    <message>
        <location line="+6"/>
        <location line="+73"/>
        <source>Text Font</source>
        <translation>Schrift</translation>
    </message>
    <message>
        <location line="-32"/>
        <source>Clock</source>
        <translation>Uhr</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Show Clock Window</source>
        <translation>Uhrfenster zeigen</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Time pattern</source>
        <translation>Zeitmuster</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>yyyy year, m month name, M month number, dd day, ww weekday,
hh hour 00-23, h hour 01-12, nn minute, ss second</source>
        <translation>yyyy Jahr, m Monatsname, M Monatszahl, dd Tag, ww Wochentag,
hh Stunde 00-23, h Stunde 01-12, nn Minute, ss Sekunde</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Format</source>
        <translation>Format</translation>
    </message>
    <message>
        <location line="+11"/>
        <location line="+4"/>
        <location line="+6"/>
        <location line="+4"/>
        <source>Set...</source>
        <translation>Festlegen...</translation>
    </message>
    <message>
        <location line="-13"/>
        <location line="+1"/>
        <source>Text Color</source>
        <translation>Textfarbe</translation>
    </message>
    <message>
        <location line="+3"/>
        <location line="+1"/>
        <source>Background Color</source>
        <translation>Hintergrundfarbe</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Font...</source>
        <translation>Schrift...</translation>
    </message>
    <message>
        <location line="+5"/>
        <location line="+1"/>
        <source>Sound on sharp hour</source>
        <translation>Klang zur vollen Stunde</translation>
    </message>
    <message>
        <location line="+3"/>
        <location line="+1"/>
        <source>Sound on half hour</source>
        <translation>Klang zur halben Stunde</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>&amp;Load program on startup</source>
        <translation>Programm beim &amp;Anmelden starten</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Reminder window always on top</source>
        <translation>Erinnerungsfenster immer im Vordergrund</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Show main window on startup</source>
        <translation>Hauptfenster beim Start zeigen</translation>
    </message>
    <message>
        <location line="+55"/>
        <source>No sound</source>
        <translation>Kein Klang</translation>
    </message>
    <message>
        <location line="+21"/>
        <source>

The setting itself is saved.</source>
        <translation>

Die Einstellung selbst ist gespeichert.</translation>
    </message>
</context>
<context>
    <name>tv::CPreferenceSheet</name>
    <message>
        <location line="+101"/>
        <source>Option</source>
        <translation>Optionen</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>General</source>
        <translation>Allgemein</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Other</source>
        <translation>Weiteres</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Sync</source>
        <translation>Synchronisierung</translation>
    </message>
</context>
<context>
    <name>tv::CRecurrenceDlg</name>
    <message>
        <location filename="../../src/app/dialogs/RecurrenceDlg.cpp" line="+25"/>
        <source>Set Recurrence</source>
        <translation>Wiederholung festlegen</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Event Time</source>
        <translation>Ereigniszeit</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Start</source>
        <translation>Beginn</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Duration</source>
        <translation>Dauer</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Recurrence Pattern</source>
        <translation>Wiederholungsmuster</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Daily</source>
        <translation>Täglich</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Weekly</source>
        <translation>Wöchentlich</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Monthly</source>
        <translation>Monatlich</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Yearly</source>
        <translation>Jährlich</translation>
    </message>
    <message>
        <location line="+27"/>
        <source>Ends On</source>
        <translation>Endet am</translation>
    </message>
    <message>
        <location line="+23"/>
        <source>&amp;Remove Recurrence</source>
        <translation>Wiederholung &amp;entfernen</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Cancel</source>
        <translation>&amp;Abbrechen</translation>
    </message>
</context>
<context>
    <name>tv::CReminderApp</name>
    <message>
        <location filename="../../src/app/shell/ReminderApp.cpp" line="+62"/>
        <source>No data folder: neither XDG_DATA_HOME nor HOME names a folder. Start Tallyvane with --data-dir.</source>
        <translation>Kein Datenordner: Weder XDG_DATA_HOME noch HOME nennt einen Ordner. Starten Sie Tallyvane mit --data-dir.</translation>
    </message>
    <message>
        <location line="+68"/>
        <source>Tallyvane is running!</source>
        <translation>Tallyvane läuft bereits!</translation>
    </message>
    <message>
        <location line="+29"/>
        <source>Another Tallyvane is using the data folder &quot;%1&quot;.</source>
        <translation>Ein anderes Tallyvane verwendet den Datenordner „%1“.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>

Tallyvane cannot keep your events safe in this folder and does not start.</source>
        <translation>

Tallyvane kann Ihre Ereignisse in diesem Ordner nicht sicher aufbewahren und startet nicht.</translation>
    </message>
</context>
<context>
    <name>tv::CReminderPopup</name>
    <message>
        <location filename="../../src/app/engine/ReminderPopup.cpp" line="+85"/>
        <source>At </source>
        <translation>Um </translation>
    </message>
    <message>
        <location line="+83"/>
        <source>&amp;Snooze</source>
        <translation>&amp;Später</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>How long to wait before reminding again</source>
        <translation>Wie lange bis zur nächsten Erinnerung gewartet wird</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Dele&amp;te</source>
        <translation>&amp;Löschen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>A&amp;ccept</source>
        <translation>&amp;Erledigt</translation>
    </message>
    <message>
        <location line="+97"/>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>This is a recurrent event, do you really want to delete it?</source>
        <translation>Dies ist ein wiederkehrendes Ereignis. Möchten Sie es wirklich löschen?</translation>
    </message>
</context>
<context>
    <name>tv::CSelectDateDialog</name>
    <message>
        <location filename="../../src/app/views/ViewTabBar.cpp" line="+16"/>
        <source>Select Date</source>
        <translation>Datum wählen</translation>
    </message>
</context>
<context>
    <name>tv::CSelectIconDlg</name>
    <message>
        <location filename="../../src/app/dialogs/SelectIconDlg.cpp" line="+14"/>
        <source>Select Icon</source>
        <translation>Symbol wählen</translation>
    </message>
</context>
<context>
    <name>tv::CSoundDlg</name>
    <message>
        <location filename="../../src/app/dialogs/SoundDlg.cpp" line="+20"/>
        <source>Set Sound</source>
        <translation>Klang festlegen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Select sound file</source>
        <translation>Klangdatei wählen</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Play</source>
        <translation>Abspielen</translation>
    </message>
</context>
<context>
    <name>tv::CSyncController</name>
    <message>
        <location filename="../../src/app/shell/SyncController.cpp" line="+69"/>
        <source>Set the calendar&apos;s URL on the Sync page of Options first.</source>
        <translation>Legen Sie zuerst die Adresse des Kalenders auf der Seite „Synchronisierung“ der Optionen fest.</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Sync failed: the password could not be read from the desktop&apos;s secret store (%1).</source>
        <translation>Synchronisierung fehlgeschlagen: Das Passwort konnte nicht aus dem Schlüsselbund der Arbeitsfläche gelesen werden (%1).</translation>
    </message>
</context>
<context>
    <name>tv::CSyncPage</name>
    <message>
        <location filename="../../src/app/shell/SyncPage.cpp" line="+24"/>
        <source>Keep your events in step with a CalDAV calendar (Radicale, Nextcloud, ...). The URL may name the calendar itself or only its server.</source>
        <translation>Halten Sie Ihre Ereignisse mit einem CalDAV-Kalender abgeglichen (Radicale, Nextcloud, ...). Die Adresse darf den Kalender selbst oder nur seinen Server nennen.</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>kept in the desktop&apos;s secret store</source>
        <translation>im Schlüsselbund der Arbeitsfläche verwahrt</translation>
    </message>
    <message>
        <location line="+5"/>
        <source> minutes</source>
        <translation> Minuten</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>only when asked</source>
        <translation>nur auf Anforderung</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Calendar &amp;URL:</source>
        <translation>Kalender-&amp;Adresse:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;User:</source>
        <translation>&amp;Benutzer:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Password:</source>
        <translation>&amp;Passwort:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Sync &amp;every:</source>
        <translation>Abgleich &amp;alle:</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Sync &amp;now</source>
        <translation>&amp;Jetzt abgleichen</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>Not synced since Tallyvane started.</source>
        <translation>Seit dem Start von Tallyvane nicht abgeglichen.</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Last sync: </source>
        <translation>Letzter Abgleich: </translation>
    </message>
    <message>
        <location line="+19"/>
        <source>The password could not be kept in the desktop&apos;s secret store (%1). Tallyvane uses it until it ends; type it again after the next start.</source>
        <translation>Das Passwort konnte nicht im Schlüsselbund der Arbeitsfläche verwahrt werden (%1). Tallyvane verwendet es bis zum Beenden; geben Sie es nach dem nächsten Start erneut ein.</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>The calendar URL must start with http:// or https:// and hold no user name.</source>
        <translation>Die Adresse des Kalenders muss mit http:// oder https:// beginnen und darf keinen Benutzernamen enthalten.</translation>
    </message>
</context>
<context>
    <name>tv::CTemplateCombo</name>
    <message>
        <location filename="../../src/app/views/ListPages.cpp" line="-81"/>
        <source>All</source>
        <translation>Alle</translation>
    </message>
</context>
<context>
    <name>tv::CViewPages</name>
    <message>
        <location filename="../../src/app/views/ViewPages.cpp" line="+167"/>
        <source>Event</source>
        <translation>Ereignis</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>New</source>
        <translation>Neu</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>&amp;Modify...</source>
        <translation>Ä&amp;ndern...</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>D&amp;elete</source>
        <translation>&amp;Löschen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Accept</source>
        <translation>&amp;Erledigt</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Enable</source>
        <translation>&amp;Aktivieren</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Disable</source>
        <translation>&amp;Deaktivieren</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Goto &amp;Today</source>
        <translation>Gehe zu &amp;heute</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Goto T&amp;his Day</source>
        <translation>Gehe zu &amp;diesem Tag</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Goto ...</source>
        <translation>Gehe zu ...</translation>
    </message>
</context>
<context>
    <name>tv::CWeeklyPage</name>
    <message>
        <location filename="../../src/app/dialogs/RecurrencePages.cpp" line="+65"/>
        <source>Every</source>
        <translation>Alle</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Week(s)</source>
        <translation>Woche(n)</translation>
    </message>
</context>
<context>
    <name>tv::CYearlyPage</name>
    <message>
        <location line="+100"/>
        <source>Every</source>
        <translation>Jeden</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The</source>
        <translation>Am</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>of</source>
        <translation>im</translation>
    </message>
</context>
<context>
    <name>tv::Command</name>
    <message>
        <location filename="../../src/app/shell/CommandTable.cpp" line="+35"/>
        <source>&amp;New</source>
        <translation>&amp;Neu</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Create a new event of the first type
New</source>
        <translation>Ein neues Ereignis des ersten Typs anlegen
Neu</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Modify...</source>
        <translation>Ä&amp;ndern...</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Change the selected event
Modify</source>
        <translation>Das ausgewählte Ereignis ändern
Ändern</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Delete</source>
        <translation>&amp;Löschen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Delete the selected events
Delete</source>
        <translation>Die ausgewählten Ereignisse löschen
Löschen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Accept</source>
        <translation>&amp;Erledigt</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Accept the selected events: done with this occurrence
Accept</source>
        <translation>Die ausgewählten Ereignisse als erledigt markieren: dieses Auftreten ist abgeschlossen
Erledigt</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Enable</source>
        <translation>&amp;Aktivieren</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Switch the reminders of the selected events on
Enable</source>
        <translation>Die Erinnerungen der ausgewählten Ereignisse einschalten
Aktivieren</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Di&amp;sable</source>
        <translation>&amp;Deaktivieren</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Switch the reminders of the selected events off
Disable</source>
        <translation>Die Erinnerungen der ausgewählten Ereignisse ausschalten
Deaktivieren</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Print...</source>
        <translation>&amp;Drucken...</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Print the current page
Print</source>
        <translation>Die aktuelle Seite drucken
Drucken</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Print Pre&amp;view...</source>
        <translation>Druck&amp;vorschau...</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Show how the current page will print
Print Preview</source>
        <translation>Zeigen, wie die aktuelle Seite gedruckt wird
Vorschau</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Import &amp;Holiday...</source>
        <translation>&amp;Feiertage importieren...</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Add the holidays of a holiday file
Import Holiday</source>
        <translation>Die Feiertage einer Feiertagsdatei hinzufügen
Feiertage</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Import Exp File...</source>
        <translation>Export&amp;datei importieren...</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Add the events and types of an export file
Import</source>
        <translation>Die Ereignisse und Typen einer Exportdatei hinzufügen
Importieren</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Import from Plumtrace 2.3...</source>
        <translation>Aus Plumtrace 2.3 importieren...</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Add the events and types of Plumtrace 2.3
Import Plumtrace</source>
        <translation>Die Ereignisse und Typen von Plumtrace 2.3 hinzufügen
Plumtrace</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Import iCalendar...</source>
        <translation>iCalendar importieren...</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Add the events of an iCalendar file from another calendar
Import iCalendar</source>
        <translation>Die Ereignisse einer iCalendar-Datei aus einem anderen Kalender hinzufügen
iCalendar</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Export...</source>
        <translation>Exportieren...</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Write events and types to an export file
Export</source>
        <translation>Ereignisse und Typen in eine Exportdatei schreiben
Exportieren</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Export iCalendar...</source>
        <translation>Als iCalendar exportieren...</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Write every event to an iCalendar file that other calendars read
Export iCalendar</source>
        <translation>Alle Ereignisse in eine iCalendar-Datei schreiben, die andere Kalender lesen
iCalendar</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;Backup...</source>
        <translation>&amp;Sichern...</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Write all events and types to a backup file
Backup</source>
        <translation>Alle Ereignisse und Typen in eine Sicherungsdatei schreiben
Sichern</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Restore...</source>
        <translation>&amp;Wiederherstellen...</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Replace all events and types with those of a backup file
Restore</source>
        <translation>Alle Ereignisse und Typen durch die einer Sicherungsdatei ersetzen
Wiederherstellen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>S&amp;ync Now</source>
        <translation>&amp;Jetzt abgleichen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Send this computer&apos;s changes to the calendar server and take its changes
Sync Now</source>
        <translation>Die Änderungen dieses Rechners an den Kalenderserver senden und seine Änderungen übernehmen
Abgleichen</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>&amp;Close</source>
        <translation>S&amp;chließen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Close the calendar window; Tallyvane keeps running in the tray
Close</source>
        <translation>Das Kalenderfenster schließen; Tallyvane läuft im Systembereich weiter
Schließen</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;Daily</source>
        <translation>&amp;Tag</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Daily View
Daily</source>
        <translation>Tagesansicht
Tag</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>W&amp;eek Day</source>
        <translation>&amp;Arbeitswoche</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Week Day View
Weekday</source>
        <translation>Ansicht der Arbeitswoche
Arbeitswoche</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Weekly</source>
        <translation>&amp;Woche</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Weekly View
Weekly</source>
        <translation>Wochenansicht
Woche</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Monthly</source>
        <translation>&amp;Monat</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Monthly View
Monthly</source>
        <translation>Monatsansicht
Monat</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;All Events</source>
        <translation>A&amp;lle Ereignisse</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>All Events
All</source>
        <translation>Alle Ereignisse
Alle</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Find</source>
        <translation>&amp;Suchen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Find Events
Find</source>
        <translation>Ereignisse suchen
Suchen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Goto &amp;Today</source>
        <translation>Gehe zu &amp;heute</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Show today in the Daily view
Today</source>
        <translation>Den heutigen Tag in der Tagesansicht zeigen
Heute</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Goto T&amp;his Day</source>
        <translation>Gehe zu &amp;diesem Tag</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Show the selected day in the Daily view
This Day</source>
        <translation>Den ausgewählten Tag in der Tagesansicht zeigen
Dieser Tag</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Goto ...</source>
        <translation>Gehe zu ...</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Show a date of your choice
Goto</source>
        <translation>Ein Datum Ihrer Wahl zeigen
Gehe zu</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;Options...</source>
        <translation>&amp;Optionen...</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Change the preferences
Options</source>
        <translation>Die Einstellungen ändern
Optionen</translation>
    </message>
    <message>
        <location line="+2"/>
        <location line="+45"/>
        <source>&amp;Help...</source>
        <translation>&amp;Hilfe...</translation>
    </message>
    <message>
        <location line="-44"/>
        <source>Open the help pages
Help</source>
        <translation>Die Hilfeseiten öffnen
Hilfe</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+44"/>
        <source>&amp;About...</source>
        <translation>Ü&amp;ber...</translation>
    </message>
    <message>
        <location line="-43"/>
        <source>Show the program&apos;s version
About</source>
        <translation>Die Version des Programms zeigen
Über</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;Quit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Quit Tallyvane
Quit</source>
        <translation>Tallyvane beenden
Beenden</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Menu Bar</source>
        <translation>Menüleiste</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Open the menu bar
Menu</source>
        <translation>Die Menüleiste öffnen
Menü</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Customize...</source>
        <translation>Anpassen...</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Add, change or remove event types
Customize</source>
        <translation>Ereignistypen hinzufügen, ändern oder entfernen
Anpassen</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>&amp;Restore</source>
        <translation>&amp;Wiederherstellen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Open the calendar window
Restore</source>
        <translation>Das Kalenderfenster öffnen
Wiederherstellen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Option...</source>
        <translation>&amp;Optionen...</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>&amp;Exit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Quit Tallyvane
Exit</source>
        <translation>Tallyvane beenden
Beenden</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Print the page shown in the calendar window
Print</source>
        <translation>Die im Kalenderfenster gezeigte Seite drucken
Drucken</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Create a new event of this type
New</source>
        <translation>Ein neues Ereignis dieses Typs anlegen
Neu</translation>
    </message>
</context>
<context>
    <name>tv::Help</name>
    <message>
        <location filename="../../src/app/shell/HelpAbout.cpp" line="-31"/>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Help file NOT found!</source>
        <translation>Hilfedatei NICHT gefunden!</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>No program for showing web pages was found to open the help file &quot;%1&quot;.</source>
        <translation>Es wurde kein Programm zum Anzeigen von Webseiten gefunden, um die Hilfedatei „%1“ zu öffnen.</translation>
    </message>
</context>
<context>
    <name>tv::texts</name>
    <message>
        <location filename="../../src/core/texts/UserTexts.h" line="+17"/>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>New %s</source>
        <translation>Neu: %s</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Modify %s</source>
        <translation>Ändern: %s</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Name cannot be empty!</source>
        <translation>Der Name darf nicht leer sein!</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>This event occurs in the past, you need to change start time.</source>
        <translation>Dieses Ereignis liegt in der Vergangenheit; bitte ändern Sie den Beginn.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Some months have fewer than %d days. The last day will be used</source>
        <translation>Manche Monate haben weniger als %d Tage. Dann wird der letzte Tag verwendet</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Invalid time</source>
        <translation>Ungültige Zeit</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Please enter an integer.</source>
        <translation>Bitte geben Sie eine ganze Zahl ein.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Please enter an integer between %d and %d.</source>
        <translation>Bitte geben Sie eine ganze Zahl zwischen %d und %d ein.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The series cannot end before the day it starts.</source>
        <translation>Die Serie kann nicht vor dem Tag enden, an dem sie beginnt.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Every %d Days</source>
        <translation>Alle %d Tage</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Every %d week(s) on %s</source>
        <translation>Alle %d Woche(n) am %s</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Day %d of  every %d Months</source>
        <translation>Am %d. Tag alle %d Monate</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The %s %s of Every %d Months</source>
        <translation>Jeden %s %s, alle %d Monate</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Every %s %d</source>
        <translation>Jeden %2$d. %1$s</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The %s %s of %s</source>
        <translation>Jeden %s %s im %s</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>First</source>
        <translation>ersten</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Second</source>
        <translation>zweiten</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Third</source>
        <translation>dritten</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Fourth</source>
        <translation>vierten</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Last</source>
        <translation>letzten</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>%ld day,%d hour,%d min</source>
        <translation>%ld Tg.,%d Std.,%d Min.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%ld day,%d hour</source>
        <translation>%ld Tg.,%d Std.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%ld day,%d min</source>
        <translation>%ld Tg.,%d Min.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%d hour,%d min</source>
        <translation>%d Std.,%d Min.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%ld day</source>
        <translation>%ld Tg.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%d hour</source>
        <translation>%d Std.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%d min</source>
        <translation>%d Min.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Daily</source>
        <translation>Tag</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Week Day</source>
        <translation>Arbeitswoche</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Weekly</source>
        <translation>Woche</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Monthly</source>
        <translation>Monat</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Find</source>
        <translation>Suchen</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>All</source>
        <translation>Alle</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>+%d more</source>
        <translation>+%d weitere</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Time</source>
        <translation>Zeit</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Type</source>
        <translation>Typ</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Recurrence</source>
        <translation>Wiederholung</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Duration</source>
        <translation>Dauer</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Events List</source>
        <translation>Ereignisliste</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Coming Events</source>
        <translation>Anstehende Ereignisse</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>I have nothing to do today!</source>
        <translation>Heute steht nichts an!</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Alarm</source>
        <translation>Wecker</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Birthday</source>
        <translation>Geburtstag</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Appointment</source>
        <translation>Termin</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Holiday</source>
        <translation>Feiertag</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Phone Call</source>
        <translation>Anruf</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Meeting</source>
        <translation>Besprechung</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Payment</source>
        <translation>Zahlung</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Travel</source>
        <translation>Reise</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>TV Programme</source>
        <translation>Fernsehsendung</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Internet</source>
        <translation>Internet</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>This Event Type has already existed, please choose another name!</source>
        <translation>Diesen Ereignistyp gibt es bereits; bitte wählen Sie einen anderen Namen!</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Can not add an event!

Please use Purge command!</source>
        <translation>Es kann kein Ereignis hinzugefügt werden!

Bitte verwenden Sie den Befehl zum Bereinigen!</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Do you really want to remove this event type?</source>
        <translation>Möchten Sie diesen Ereignistyp wirklich entfernen?</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Invalid Backup File!</source>
        <translation>Ungültige Sicherungsdatei!</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Invalid Export File!</source>
        <translation>Ungültige Exportdatei!</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Invalid Plumtrace 2.3 File.</source>
        <translation>Ungültige Plumtrace-2.3-Datei.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&lt;No Sound&gt;</source>
        <translation>&lt;Kein Klang&gt;</translation>
    </message>
    <message>
        <location line="+28"/>
        <source>The calendar file &quot;%s&quot; could not be imported: %s. Nothing was imported.</source>
        <translation>Die Kalenderdatei „%s“ konnte nicht importiert werden: %s. Es wurde nichts importiert.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%zu events imported, %zu already present, %zu skipped</source>
        <translation>%zu Ereignisse importiert, %zu bereits vorhanden, %zu übersprungen</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Sync failed: the server %s could not be reached (%s).</source>
        <translation>Synchronisierung fehlgeschlagen: Der Server %s war nicht erreichbar (%s).</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Sync failed: the server %s refused the user name or password.</source>
        <translation>Synchronisierung fehlgeschlagen: Der Server %s hat Benutzername oder Passwort abgelehnt.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Sync failed: the server %s does not let this user %s.</source>
        <translation>Synchronisierung fehlgeschlagen: Der Server %s verweigert diesem Benutzer den Zugriff (%s).</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Sync failed: the server %s answered HTTP %d while %s.</source>
        <translation>Synchronisierung fehlgeschlagen: Der Server %s antwortete mit HTTP %d (%s).</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Sync failed: the server %s sent an answer that cannot be read while %s: %s.</source>
        <translation>Synchronisierung fehlgeschlagen: Der Server %s schickte eine unlesbare Antwort (%s): %s.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Sync failed: no calendar was found at %s.</source>
        <translation>Synchronisierung fehlgeschlagen: Unter %s wurde kein Kalender gefunden.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Sync failed: &quot;%s&quot; is not an http:// or https:// address without a user name in it.</source>
        <translation>Synchronisierung fehlgeschlagen: „%s“ ist keine http://- oder https://-Adresse ohne Benutzernamen.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Sync failed: the server %s redirected more than five times.</source>
        <translation>Synchronisierung fehlgeschlagen: Der Server %s hat mehr als fünfmal weitergeleitet.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Sync failed: the server %s redirected to an unencrypted address.</source>
        <translation>Synchronisierung fehlgeschlagen: Der Server %s hat an eine unverschlüsselte Adresse weitergeleitet.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Sync failed: the server %s did not store %zu event(s) (%s); they stay here and are sent again next time.</source>
        <translation>Synchronisierung fehlgeschlagen: Der Server %s hat %zu Ereignis(se) nicht gespeichert (%s); sie bleiben hier und werden beim nächsten Mal erneut gesendet.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Sync failed: %s</source>
        <translation>Synchronisierung fehlgeschlagen: %s</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Sync stopped before it finished; the next sync completes it.</source>
        <translation>Die Synchronisierung wurde vor dem Ende angehalten; die nächste schließt sie ab.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>looking for the calendar</source>
        <translation>bei der Suche nach dem Kalender</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>listing the changes</source>
        <translation>beim Auflisten der Änderungen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>listing the calendar</source>
        <translation>beim Auflisten des Kalenders</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>reading events</source>
        <translation>beim Lesen der Ereignisse</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>sending an event</source>
        <translation>beim Senden eines Ereignisses</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>deleting an event</source>
        <translation>beim Löschen eines Ereignisses</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Synced: %zu sent, %zu received, %zu deleted here, %zu deleted there, %zu conflict(s) kept as copies.</source>
        <translation>Abgeglichen: %zu gesendet, %zu empfangen, %zu hier gelöscht, %zu dort gelöscht, %zu Konflikt(e) als Kopie behalten.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&quot;%s&quot; is held as its nearest event: %s.</source>
        <translation>„%s“ wird als nächstliegendes Ereignis gehalten: %s.</translation>
    </message>
</context>
</TS>
