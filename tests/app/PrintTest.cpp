// Printing and the print preview: a calendar view is one page, the lists are tables over as
// many pages as the core's numbers say, the footers count the pages, the Monthly view goes
// landscape and the user's orientation comes back, and only one preview opens.
#include <QDir>
#include <QFile>
#include <QFontMetricsF>
#include <QLineEdit>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>

#include "AppTestSupport.h"
#include "TempDir.h"
#include "model/EventTypeTable.h"
#include "shell/Commands.h"
#include "shell/KeyValueStore.h"
#include "shell/MainWnd.h"
#include "store/EventStore.h"
#include "store/ProgramFolder.h"
#include "views/CalendarView.h"
#include "views/EventListCtrl.h"
#include "views/ListPages.h"
#include "views/PrintPages.h"
#include "views/ViewPages.h"
#include "views/ViewPrinter.h"

using namespace tv;

class PrintTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void everyCalendarViewIsOnePage();
    void printingLeavesTheScreenLayoutAsItWas();
    void listPagesFollowTheCoreNumbers();
    void footersCountThePages();
    void anEmptyListPrintsNoPage();
    void findResultsPrintAsTheyAreListed();
    void monthlyPrintsLandscapeAndTheOrientationComesBack();
    void previewOpensOnceWithItsTitle();

private:
    uint32_t Add(const QString& name, const DateTime& start, bool recurring = false);
    CMainWnd* Open(int view);
    // A PDF printer writing into the scratch folder (or into $PRINT_TEST_OUTPUT_DIR, to look at).
    std::unique_ptr<QPrinter> PdfPrinter(const QString& name, QPageLayout::Orientation o = QPageLayout::Portrait);
    static int PdfPageCount(const QString& path);
    static QString PdfText(const QString& path, int page);
    static int RowTextHeight(QPrinter& printer);

    tvtest::TempDir m_dir;
    MemoryKeyValueStore m_settings;
    tvtest::ScriptedPrompts m_prompts;
    tvtest::FakeClock m_clock{DateTime::FromParts(2024, 5, 6, 10, 0, 0)};
    QString m_out;
};

void PrintTest::initTestCase() {
    SetProgramFolder(m_dir.Path());
    SetSettingsStore(&m_settings);
    SetUserPrompts(&m_prompts);
    m_out = qEnvironmentVariable("PRINT_TEST_OUTPUT_DIR", QString::fromStdString(m_dir.Path()));
    QDir().mkpath(m_out);
}

void PrintTest::init() {
    GetEventStore().RemoveAll();
    m_prompts = tvtest::ScriptedPrompts();
}

void PrintTest::cleanup() {
    if (CMainWnd* m = CMainWnd::Instance()) m->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

uint32_t PrintTest::Add(const QString& name, const DateTime& start, bool recurring) {
    CPtEvent ev(m_clock.Now());
    ev.SetName(name.toStdString());
    ev.SetStart(start);
    ev.SetDuration(3600);
    if (recurring) ev.GetRecurrence().SetPattern(std::make_unique<CDailyRePattern>());
    GetEventStore().Add(ev);
    return ev.GetId();
}

CMainWnd* PrintTest::Open(int view) {
    CMainWnd* w = CMainWnd::OpenOrRestore();
    w->setClock(&m_clock);
    w->resize(800, 600);
    w->setView(view);
    // The pages show the test's day, not the one the window opened on.
    CViewPages::Of(w)->gotoDate(m_clock.Now());
    return w;
}

std::unique_ptr<QPrinter> PrintTest::PdfPrinter(const QString& name, QPageLayout::Orientation o) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setPageSize(QPageSize(QPageSize::A4));
    printer->setPageOrientation(o);
    const QString path = m_out + QLatin1Char('/') + name;
    QFile::remove(path);
    printer->setOutputFileName(path);
    return printer;
}

int PrintTest::PdfPageCount(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return 0;
    // Page objects, not the page tree ("/Type /Pages").
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![s\\w])"));
    return static_cast<int>(QString::fromLatin1(f.readAll()).count(page));
}

QString PrintTest::PdfText(const QString& path, int page) {
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (tool.isEmpty()) return {};
    QProcess p;
    p.start(tool, {QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"), QString::number(page),
                   QStringLiteral("-layout"), path, QStringLiteral("-")});
    p.waitForFinished(20000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

int PrintTest::RowTextHeight(QPrinter& printer) {
    QFont f(QStringLiteral("Arial"));
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(ListPrint::kRowFontHeight);
    return static_cast<int>(std::ceil(QFontMetricsF(f, &printer).height()));
}

void PrintTest::everyCalendarViewIsOnePage() {
    for (int h = 0; h < 24; h += 3) Add(QStringLiteral("Meeting %1").arg(h), DateTime::FromParts(2024, 5, 6, h, 0, 0));
    Add(QStringLiteral("Gym"), DateTime::FromParts(2024, 5, 1, 18, 0, 0), true);
    const char* names[] = {"daily.pdf", "weekday.pdf", "weekly.pdf", "monthly.pdf"};
    for (int view = 0; view < 4; ++view) {
        CMainWnd* w = Open(view);
        const std::unique_ptr<CPrintJob> job = MakePrintJob(w);
        QVERIFY(job);
        QCOMPARE(job->PrefersLandscape(), view == 3);
        const auto printer = PdfPrinter(QString::fromLatin1(names[view]),
                                        view == 3 ? QPageLayout::Landscape : QPageLayout::Portrait);
        QCOMPARE(RunPrintJob(*job, *printer), 1);
        QCOMPARE(PdfPageCount(printer->outputFileName()), 1);
        const QString text = PdfText(printer->outputFileName(), 1);
        if (!text.isEmpty()) {
            // The caption above the rule, and events without their icons.
            QVERIFY2(text.contains(CViewPages::Of(w)->calendarView(view)->GetCaptionText()), qPrintable(text));
            QVERIFY2(text.contains(QStringLiteral("Meeting 9")) || view == 3 || view == 2, qPrintable(text));
        }
    }
}

void PrintTest::printingLeavesTheScreenLayoutAsItWas() {
    for (int h = 8; h < 12; ++h) Add(QStringLiteral("Item %1").arg(h), DateTime::FromParts(2024, 5, 6, h, 0, 0));
    CMainWnd* w = Open(0);
    w->show();
    CCalendarView* daily = CViewPages::Of(w)->calendarView(0);
    QCoreApplication::processEvents();
    DisplayList before, after;
    daily->layout().Draw(before, {false, daily->layout().ClientRect(), daily->layout().GetScroll().pos});
    const ScrollState scroll = daily->layout().GetScroll();
    const auto printer = PdfPrinter(QStringLiteral("restore.pdf"));
    QCOMPARE(RunPrintJob(*MakePrintJob(w), *printer), 1);
    daily->layout().Draw(after, {false, daily->layout().ClientRect(), daily->layout().GetScroll().pos});
    QCOMPARE(daily->layout().GetScroll(), scroll);
    QCOMPARE(after.Ops().size(), before.Ops().size());
    for (size_t i = 0; i < before.Ops().size(); ++i) QVERIFY(after.Ops()[i].rect == before.Ops()[i].rect);
}

void PrintTest::listPagesFollowTheCoreNumbers() {
    const auto probe = PdfPrinter(QStringLiteral("probe.pdf"));
    const int perPage = ComputeListPage(1, RowTextHeight(*probe), probe->width(), probe->height()).layout.rowsPerPage;
    QVERIFY(perPage > 20);
    // Exactly one page of rows is one page.
    for (int i = 0; i < perPage; ++i) Add(QStringLiteral("Event %1").arg(i), DateTime::FromParts(2024, 6, 1, 9, 0, 0));
    CMainWnd* w = Open(5);
    auto printer = PdfPrinter(QStringLiteral("one-page.pdf"));
    QCOMPARE(RunPrintJob(*MakePrintJob(w), *printer), 1);
    QCOMPARE(PdfPageCount(printer->outputFileName()), 1);
    // One more row starts a second page.
    Add(QStringLiteral("One more"), DateTime::FromParts(2024, 6, 2, 9, 0, 0));
    w->setView(0);
    w->setView(5);  // the All page fills itself again when shown
    printer = PdfPrinter(QStringLiteral("two-pages.pdf"));
    QCOMPARE(RunPrintJob(*MakePrintJob(w), *printer), 2);
    QCOMPARE(PdfPageCount(printer->outputFileName()), 2);
}

void PrintTest::footersCountThePages() {
    const auto probe = PdfPrinter(QStringLiteral("probe.pdf"));
    const int perPage = ComputeListPage(1, RowTextHeight(*probe), probe->width(), probe->height()).layout.rowsPerPage;
    const int count = 2 * perPage + 5;
    for (int i = 0; i < count; ++i)
        Add(QStringLiteral("Row %1").arg(i, 3, 10, QLatin1Char('0')), DateTime::FromParts(2024, 6, 1, 9, 0, 0));
    CMainWnd* w = Open(5);
    const auto printer = PdfPrinter(QStringLiteral("list.pdf"));
    QCOMPARE(RunPrintJob(*MakePrintJob(w), *printer), 3);
    QCOMPARE(PdfPageCount(printer->outputFileName()), 3);
    const QString page2 = PdfText(printer->outputFileName(), 2);
    if (page2.isEmpty()) QSKIP("pdftotext is not installed; the page count was checked");
    QVERIFY2(page2.contains(QStringLiteral("2/3")), qPrintable(page2));
    QVERIFY(!page2.contains(QStringLiteral("1/3")));
    QVERIFY(page2.contains(QStringLiteral("Events List")));
    for (const char* title : {"Name", "Time", "Type", "Recurrence", "Duration"}) QVERIFY(page2.contains(title));
    // Page 2 holds the second page's rows and no other.
    QVERIFY(page2.contains(QStringLiteral("Row %1").arg(perPage, 3, 10, QLatin1Char('0'))));
    QVERIFY(page2.contains(QStringLiteral("Row %1").arg(2 * perPage - 1, 3, 10, QLatin1Char('0'))));
    QVERIFY(!page2.contains(QStringLiteral("Row %1").arg(perPage - 1, 3, 10, QLatin1Char('0'))));
    QVERIFY(!page2.contains(QStringLiteral("Row %1").arg(2 * perPage, 3, 10, QLatin1Char('0'))));
    QVERIFY(PdfText(printer->outputFileName(), 3).contains(QStringLiteral("3/3")));
}

void PrintTest::anEmptyListPrintsNoPage() {
    CMainWnd* w = Open(5);
    const auto printer = PdfPrinter(QStringLiteral("empty.pdf"));
    QCOMPARE(RunPrintJob(*MakePrintJob(w), *printer), 0);
    // No document was even started.
    QVERIFY(!QFile::exists(printer->outputFileName()));
}

void PrintTest::findResultsPrintAsTheyAreListed() {
    Add(QStringLiteral("Dentist"), DateTime::FromParts(2024, 6, 1, 9, 0, 0));
    Add(QStringLiteral("Gym"), DateTime::FromParts(2024, 6, 1, 9, 0, 0));
    CMainWnd* w = Open(4);
    CFindPage* find = CViewPages::Of(w)->findPage();
    find->textEdit()->setText(QStringLiteral("Dent"));
    find->search();
    QCOMPARE(find->list()->listModel()->rowCount(), 1);
    const auto printer = PdfPrinter(QStringLiteral("find.pdf"));
    QCOMPARE(RunPrintJob(*MakePrintJob(w), *printer), 1);
    const QString text = PdfText(printer->outputFileName(), 1);
    if (text.isEmpty()) return;
    QVERIFY(text.contains(QStringLiteral("Dentist")));
    QVERIFY(!text.contains(QStringLiteral("Gym")));
    QVERIFY(text.contains(QStringLiteral("1/1")));
}

void PrintTest::monthlyPrintsLandscapeAndTheOrientationComesBack() {
    CMainWnd* w = Open(3);
    w->updateCommandStates();
    QVERIFY(w->action(cmd::kPrint)->isEnabled() && w->action(cmd::kPrintPreview)->isEnabled());
    // The print dialog cancelled: nothing printed.
    w->runCommand(cmd::kPrint);
    QCOMPARE(m_prompts.asked, QStringList{"Print"});
    const QString path = m_out + QStringLiteral("/monthly-command.pdf");
    QPageLayout::Orientation during = QPageLayout::Portrait;
    QPrinter* used = nullptr;
    m_prompts.printerSetup = [&](QPrinter& printer) {
        used = &printer;
        during = printer.pageLayout().orientation();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        return true;
    };
    w->runCommand(cmd::kPrint);
    QVERIFY(used);
    QCOMPARE(during, QPageLayout::Landscape);
    QCOMPARE(used->pageLayout().orientation(), QPageLayout::Portrait);
    QCOMPARE(PdfPageCount(path), 1);
    // The page itself is wider than high.
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QRegularExpressionMatch box =
        QRegularExpression(QStringLiteral("/MediaBox \\[0 0 ([\\d.]+) ([\\d.]+)\\]")).match(QString::fromLatin1(f.readAll()));
    QVERIFY(box.hasMatch());
    QVERIFY(box.captured(1).toDouble() > box.captured(2).toDouble());

    // Another view prints in the orientation the user chose.
    w->setView(0);
    m_prompts.printerSetup = [&](QPrinter& printer) {
        during = printer.pageLayout().orientation();
        return false;
    };
    w->runCommand(cmd::kPrint);
    QCOMPARE(during, QPageLayout::Portrait);
}

void PrintTest::previewOpensOnceWithItsTitle() {
    CMainWnd* w = Open(3);
    w->runCommand(cmd::kPrintPreview);
    QList<QPrintPreviewDialog*> previews = w->findChildren<QPrintPreviewDialog*>();
    QCOMPARE(previews.size(), 1);
    QPrintPreviewDialog* preview = previews.first();
    QCOMPARE(preview->windowTitle(), QStringLiteral("Tallyvane - Preview"));
    QVERIFY(preview->isVisible());
    QVERIFY(!preview->isModal());
    QCOMPARE(preview->printer()->pageLayout().orientation(), QPageLayout::Landscape);
    w->runCommand(cmd::kPrintPreview);
    QCOMPARE(w->findChildren<QPrintPreviewDialog*>().size(), 1);
    preview->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(w->findChildren<QPrintPreviewDialog*>().size(), 0);
    // Closed, a new one may open; the Daily view keeps the user's orientation.
    w->setView(0);
    w->runCommand(cmd::kPrintPreview);
    previews = w->findChildren<QPrintPreviewDialog*>();
    QCOMPARE(previews.size(), 1);
    QCOMPARE(previews.first()->printer()->pageLayout().orientation(), QPageLayout::Portrait);
    previews.first()->close();
}

QTEST_MAIN(PrintTest)
#include "PrintTest.moc"
