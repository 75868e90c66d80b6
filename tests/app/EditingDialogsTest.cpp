// The editing dialogs' rules that need their widgets: the event editor, the recurrence
// dialog, the colour palette, the sound picker and the type list.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "AppTestSupport.h"
#include "controls/DateTimeField.h"
#include "controls/DurationField.h"
#include "dialogs/ColorButton.h"
#include "dialogs/EventEditorDlg.h"
#include "dialogs/EventTypeListDlg.h"
#include "dialogs/HalfHourPicker.h"
#include "dialogs/LogFontQt.h"
#include "dialogs/RecurrenceDlg.h"
#include "dialogs/SoundDlg.h"
#include "editing/ColorPaletteTable.h"
#include "store/EventTypeTable.h"

using namespace tv;
using tvtest::Child;
using tvtest::MessageBoxAnswerer;

namespace {

const DateTime kNow = DateTime::FromParts(2024, 5, 6, 10, 15, 0);

// A recurrence dialog on a rule of the given kind, shown.
struct ShownRecurrenceDlg : CRecurrenceDlg {
    explicit ShownRecurrenceDlg(int type) {
        rule.SetPatternType(type);
        LoadFromRule(rule);
        show();
    }
    std::string Description() {
        ApplyToRule(rule);
        return rule.GetDescription();
    }
    CReCurrence rule{kNow};
};

}  // namespace

class EditingDialogsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { GetColorPaletteTable().Reset(); }

    void setRecurrenceCancelledOrChosen();
    void storeGoesThroughTheTypeFirst();
    void okRefusesAnEmptyNameAndAPastStart();
    void halfHourChoicesKeepTheDate();
    void recurrenceDialogReadsTheChosenRowAndStaysOpenOnARefusal();
    void paletteSwatchesAndOtherChooseTheColour();
    void soundPickerIgnoresLetterCase();
    void typeListAddsAtTheTopAndRefusesDuplicates();
    void chosenFontSurvivesTheRecord();

private:
    CEventTypeTable types;
};

void EditingDialogsTest::setRecurrenceCancelledOrChosen() {
    CEventEditorDlg dlg(types, nullptr, true);
    dlg.now = [] { return kNow; };
    CPtEvent ev(kNow);
    dlg.LoadFromEvent(ev);
    Child<QLineEdit>(&dlg, "name")->setText(QStringLiteral("Meeting"));
    // The real dialog, cancelled by the user once it shows: the event stays a one-off event.
    bool offeredDaily = false;
    dlg.runRecurrenceDialog = [&](CRecurrenceDlg& rd) {
        QTimer::singleShot(0, &rd, [&] {
            offeredDaily = Child<QRadioButton>(&rd, "daily")->isChecked();  // a daily rule to edit
            rd.reject();
        });
        return rd.exec() == QDialog::Accepted;
    };
    dlg.setRecurrence();
    QVERIFY(offeredDaily);
    QCOMPARE(Child<QLabel>(&dlg, "ruleText")->text(), QString());
    QVERIFY(Child<CDateTimeField>(&dlg, "start")->isEnabled() && Child<CDurationField>(&dlg, "duration")->isEnabled());
    dlg.StoreToEvent(ev);
    QVERIFY(!ev.IsRecurrent());

    // A weekly rule chosen in the dialog: its text shows, its start takes the start field over.
    const DateTime ruleStart = DateTime::FromParts(2024, 5, 9, 8, 0, 0);
    dlg.runRecurrenceDialog = [&](CRecurrenceDlg& rd) {
        Child<QRadioButton>(&rd, "weekly")->click();
        Child<QCheckBox>(&rd, "sunday")->setChecked(false);
        Child<QCheckBox>(&rd, "monday")->setChecked(true);
        Child<QCheckBox>(&rd, "thursday")->setChecked(true);
        Child<CDateTimeField>(&rd, "start")->setValue(ruleStart);
        rd.accept();
        return true;
    };
    dlg.setRecurrence();
    QCOMPARE(Child<QLabel>(&dlg, "ruleText")->text(), QStringLiteral("Every 1 week(s) on Monday,Thursday"));
    QVERIFY(!Child<CDateTimeField>(&dlg, "start")->isEnabled());
    QCOMPARE(Child<CDateTimeField>(&dlg, "start")->value(), ruleStart);
    dlg.StoreToEvent(ev);
    QVERIFY(ev.IsRecurrent());
    QCOMPARE(ev.GetStart(), ruleStart);
    QCOMPARE(ev.GetRecurrence().GetNextOccurrence(kNow), ruleStart);
}

void EditingDialogsTest::storeGoesThroughTheTypeFirst() {
    CEventTypeTable table;
    CEventType birthday(kNow);
    birthday.SetName("Birthday");
    birthday.SetUseDefaultStart(true);
    birthday.SetDefaultStart(DateTime::FromParts(2030, 1, 1, 7, 0, 0));
    birthday.SetDefaultDuration(86400);
    birthday.SetSound("Bell.wav");
    table.AddType(birthday);

    CEventEditorDlg dlg(table, nullptr, true);
    dlg.now = [] { return kNow; };
    CPtEvent ev(kNow);
    dlg.LoadFromEvent(ev);
    dlg.chooseTypeCommand(kTypeMenuFirstId);  // Birthday from the type menu
    QCOMPARE(dlg.windowTitle(), QStringLiteral("New Birthday"));
    QCOMPARE(Child<CDateTimeField>(&dlg, "start")->value(), DateTime::FromParts(2030, 1, 1, 7, 0, 0));
    QCOMPARE(Child<CDurationField>(&dlg, "duration")->seconds(), 86400);
    QCOMPARE(Child<QLabel>(&dlg, "sound")->text(), QStringLiteral("Bell.wav"));

    // The user's changes after choosing the type win over the type's defaults.
    Child<QLineEdit>(&dlg, "name")->setText(QStringLiteral("Ann"));
    Child<QPlainTextEdit>(&dlg, "note")->setPlainText(QString::fromUtf8("Café Встреча"));
    Child<CDurationField>(&dlg, "duration")->setSeconds(3600);
    Child<CDateTimeField>(&dlg, "start")->setValue(DateTime::FromParts(2024, 6, 1, 9, 0, 0));
    Child<QCheckBox>(&dlg, "accepted")->setChecked(true);
    dlg.StoreToEvent(ev);
    QCOMPARE(std::tuple(ev.GetType(), ev.GetDuration(), ev.GetReminderState()),
             std::tuple(birthday.GetId(), 3600, int(kReminderDone)));
    QCOMPARE(ev.GetStart(), DateTime::FromParts(2024, 6, 1, 9, 0, 0));
    QCOMPARE(std::tuple(ev.GetSound(), ev.GetNote()), std::tuple(std::string("Bell.wav"), std::string("Café Встреча")));
}

void EditingDialogsTest::okRefusesAnEmptyNameAndAPastStart() {
    CEventEditorDlg dlg(types, nullptr, false);
    dlg.now = [] { return kNow; };
    CPtEvent ev(kNow);
    ev.SetStart(kNow - TimeSpan(1.0));
    dlg.LoadFromEvent(ev);
    QCOMPARE(dlg.windowTitle(), QStringLiteral("Modify Undefined"));
    dlg.show();
    auto* name = Child<QLineEdit>(&dlg, "name");
    name->setFocus();
    QTest::keyClicks(name, QString(256, QLatin1Char('x')));
    QCOMPARE(name->text().size(), 255);
    // The limit counts characters: what goes in beyond it is cut where it went in, never
    // inside a character.
    const QString cake = QString::fromUtf8("🎂");
    name->clear();
    name->insert(cake.repeated(300));
    QCOMPARE(name->text(), cake.repeated(255));
    name->setCursorPosition(2);
    name->insert(QStringLiteral("ab"));
    QCOMPARE(name->text(), cake.repeated(255));
    name->clear();
    MessageBoxAnswerer answers;
    dlg.accept();
    QTRY_COMPARE(answers.texts, QStringList{"Name cannot be empty!"});
    name->setText(QStringLiteral("Late"));
    dlg.accept();
    QTRY_COMPARE(answers.texts.size(), 2);
    QCOMPARE(answers.texts[1], QStringLiteral("This event occurs in the past, you need to change start time."));
    QVERIFY(dlg.isVisible());
    Child<CDateTimeField>(&dlg, "start")->setValue(kNow);
    dlg.accept();
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QCOMPARE(answers.texts.size(), 2);
}

void EditingDialogsTest::halfHourChoicesKeepTheDate() {
    CEventEditorDlg dlg(types, nullptr, true);
    CPtEvent ev(kNow);
    ev.SetStart(DateTime::FromParts(2024, 7, 3, 17, 45, 0));
    dlg.LoadFromEvent(ev);
    dlg.chooseHalfHour(32871 + 27);
    QCOMPARE(Child<CDateTimeField>(&dlg, "start")->value(), DateTime::FromParts(2024, 7, 3, 13, 30, 0));
    QCOMPARE(dlg.model().start, DateTime::FromParts(2024, 7, 3, 13, 30, 0));

    // The list opens at the shown time: 17:45 selects 17:30; one step down and Enter choose 18:00.
    QWidget anchor;
    anchor.show();
    int currentRow = -1;
    QTimer::singleShot(0, [&] {
        auto* list = qobject_cast<QListWidget*>(QApplication::activePopupWidget());
        if (!list) return;
        currentRow = list->currentRow();
        QTest::keyClick(list, Qt::Key_Down);
        QTest::keyClick(list, Qt::Key_Return);
    });
    QCOMPARE(PickHalfHourCommand(&anchor, DateTime::FromParts(2024, 7, 3, 17, 45, 0)), 32871 + 36);
    QCOMPARE(currentRow, 35);
    QTimer::singleShot(0, [] {
        if (QWidget* popup = QApplication::activePopupWidget()) QTest::keyClick(popup, Qt::Key_Escape);
    });
    QCOMPARE(PickHalfHourCommand(&anchor, DateTime::FromParts(2024, 7, 3, 0, 0, 0)), 0);
}

void EditingDialogsTest::recurrenceDialogReadsTheChosenRowAndStaysOpenOnARefusal() {
    // In The mode the Every row's interval is not read; switching kinds back keeps the page.
    ShownRecurrenceDlg rd(kPatternMonthly);
    Child<QLineEdit>(&rd, "monthlyDayInterval")->setText(QStringLiteral("3"));
    Child<QLineEdit>(&rd, "monthlyTheInterval")->setText(QStringLiteral("5"));
    Child<QRadioButton>(&rd, "monthlyTheMode")->click();
    Child<QComboBox>(&rd, "monthlyOrdinal")->setCurrentIndex(4);
    Child<QComboBox>(&rd, "monthlyWeekday")->setCurrentIndex(5);
    Child<QRadioButton>(&rd, "daily")->click();
    Child<QRadioButton>(&rd, "monthly")->click();
    rd.accept();
    QCOMPARE(rd.Description(), std::string("The Last Friday of Every 5 Months"));

    // 29 February is no day of every year: told, still open, and a refused Remove does not
    // linger, so OK afterwards keeps the pattern.
    ShownRecurrenceDlg yearly(kPatternYearly);
    Child<QComboBox>(&yearly, "yearlyEveryMonth")->setCurrentIndex(1);
    Child<QLineEdit>(&yearly, "yearlyDay")->setText(QStringLiteral("29"));
    MessageBoxAnswerer answers;
    yearly.accept();
    QTRY_COMPARE(answers.texts, QStringList{"Invalid time"});
    QVERIFY(yearly.isVisible());
    Child<QPushButton>(&yearly, "remove")->click();
    QTRY_COMPARE(answers.texts.size(), 2);
    Child<QLineEdit>(&yearly, "yearlyDay")->setText(QStringLiteral("28"));
    yearly.accept();
    QVERIFY(yearly.result() == QDialog::Accepted && !yearly.model().removeRequested);
    QCOMPARE(yearly.Description(), std::string("Every Feb 28"));

    // An interval out of range: the message and the focus on the field. A notice closes.
    ShownRecurrenceDlg daily(kPatternDaily);
    auto* interval = Child<QLineEdit>(&daily, "dailyInterval");
    interval->setText(QStringLiteral("366"));
    daily.accept();
    QTRY_COMPARE(answers.texts.last(), QStringLiteral("Please enter an integer between 1 and 365."));
    QVERIFY(daily.isVisible());
    QCOMPARE(daily.focusWidget(), interval);
    ShownRecurrenceDlg monthly(kPatternMonthly);
    Child<QLineEdit>(&monthly, "monthlyDay")->setText(QStringLiteral("31"));
    monthly.accept();
    QCOMPARE(monthly.result(), int(QDialog::Accepted));
    QCOMPARE(answers.texts.last(), QStringLiteral("Some months have fewer than 31 days. The last day will be used"));

    // A start moved past the end takes the end along; an earlier end typed afterwards is refused.
    interval->setText(QStringLiteral("1"));
    auto* start = Child<CDateTimeField>(&daily, "start");
    auto* end = Child<CDateTimeField>(&daily, "end");
    start->setValue(DateTime::FromParts(2024, 7, 1, 9, 0, 0));
    QCOMPARE(end->value().DayNumber(), DateTime::FromParts(2024, 7, 1).DayNumber());
    Child<QCheckBox>(&daily, "endsOn")->setChecked(true);
    end->setValue(DateTime::FromParts(2024, 6, 30));
    daily.accept();
    QTRY_COMPARE(answers.texts.last(), QStringLiteral("The series cannot end before the day it starts."));
    QVERIFY(daily.isVisible());
}

void EditingDialogsTest::paletteSwatchesAndOtherChooseTheColour() {
    CColorButton button;
    button.setColorAsker([](QWidget*, const QColor&) -> std::optional<QColor> { return QColor(0x12, 0x34, 0x56); });
    button.show();
    QVERIFY(QTest::qWaitForWindowExposed(&button));
    button.click();
    QTest::mouseClick(button.colorPalette()->swatch(5), Qt::LeftButton);
    QCOMPARE(button.color(), 0x800080u);
    CColorPaletteTable& table = GetColorPaletteTable();
    QCOMPARE(table.GetRank(5), 1);
    QTRY_VERIFY(!button.colorPalette());

    // "Other..." puts the chosen colour into the least recent slot; cancelling its colour
    // dialog keeps the palette open and changes nothing.
    button.click();
    button.colorPalette()->otherButton()->click();
    const ColorRef other = MakeColorRef(0x12, 0x34, 0x56);
    QCOMPARE(std::pair(button.color(), table.GetColor(10)), std::pair(other, other));
    button.setColorAsker([](QWidget*, const QColor&) -> std::optional<QColor> { return std::nullopt; });
    QTRY_VERIFY(!button.colorPalette());
    button.click();
    button.colorPalette()->otherButton()->click();
    QVERIFY(button.colorPalette() && button.colorPalette()->isVisible());
    QCOMPARE(table.GetRank(10), 1);
}

void EditingDialogsTest::soundPickerIgnoresLetterCase() {
    tvtest::TempDir dir;
    dir.Write("Bell.wav", "RIFF");
    dir.Write("Ding.WAV", "RIFF");
    tvtest::RecordingSoundPlayer recorder;
    SetSoundPlayer(&recorder);
    CSoundDlg dlg(nullptr, dir.Path());
    dlg.setSound("bell.WAV");
    QCOMPARE(dlg.list()->currentText(), QStringLiteral("Bell.wav"));
    QCOMPARE(dlg.sound(), std::string("Bell.wav"));
    dlg.setSound("Gone.wav");
    QCOMPARE(dlg.sound(), std::string("Gone.wav"));  // kept until the user picks another
    // Play hands the shown file to the player, and closing stops it.
    dlg.list()->setCurrentIndex(dlg.list()->findText(QStringLiteral("Ding.WAV")));
    dlg.play();
    dlg.list()->setCurrentIndex(0);
    QCOMPARE(dlg.sound(), std::string());
    dlg.reject();
    SetSoundPlayer(nullptr);
    QCOMPARE(recorder.played, (QStringList{QStringLiteral("Ding.WAV"), QString()}));
}

void EditingDialogsTest::typeListAddsAtTheTopAndRefusesDuplicates() {
    CEventTypeTable table;
    for (const char* n : {"Alarm", "Payment"}) {
        CEventType t(kNow);
        t.SetName(n);
        table.AddType(t);
    }
    int saves = 0;
    CEventTypeListDlg dlg(table, [&](CEventTypeTable&) {
        ++saves;
        return FileResult::Ok();
    });
    QString nextName = QStringLiteral("Payment");
    dlg.editType = [&](QWidget*, CEventType& type) {
        type.SetName(nextName.toStdString());
        return true;
    };
    dlg.show();
    MessageBoxAnswerer answers;
    dlg.newType();
    QTRY_COMPARE(answers.texts, QStringList{"This Event Type has already existed, please choose another name!"});
    QCOMPARE(std::pair(dlg.list()->count(), saves), std::pair(2, 0));
    nextName = QStringLiteral("Travel");
    dlg.newType();
    QCOMPARE(dlg.list()->item(0)->text(), QStringLiteral("Travel"));

    // Delete asks first; No keeps the type.
    dlg.list()->setCurrentRow(2);
    bool yes = false;
    dlg.confirmDelete = [&](QWidget*) { return yes; };
    dlg.deleteSelected();
    QCOMPARE(table.GetCount(), size_t(3));
    yes = true;
    dlg.deleteSelected();
    QCOMPARE(std::pair(dlg.list()->count(), saves), std::pair(2, 2));
}

void EditingDialogsTest::chosenFontSurvivesTheRecord() {
    LogFont base = CEventType::DefaultFont();
    base.charSet = 238;
    QFont chosen(QStringLiteral("DejaVu Serif"));
    chosen.setPointSizeF(12);  // 16 pixels at 96 dots per inch
    chosen.setBold(true);
    chosen.setItalic(true);
    const LogFont lf = FromQFont(chosen, base);
    QCOMPARE(std::tuple(lf.height, lf.weight, int(lf.italic)), std::tuple(-16, 700, 1));
    QCOMPARE(lf.charSet, uint8_t(238));  // what a QFont cannot say is kept
    QCOMPARE(lf.faceName, std::string("DejaVu Serif"));
    const QFont back = ToFontDialogQFont(lf);
    QCOMPARE(back.family(), QStringLiteral("DejaVu Serif"));
    QCOMPARE(back.pointSizeF(), 12.0);
    QVERIFY(back.bold() && back.italic());
    QCOMPARE(FromQFont(back, lf), lf);
}

QTEST_MAIN(EditingDialogsTest)
#include "EditingDialogsTest.moc"
