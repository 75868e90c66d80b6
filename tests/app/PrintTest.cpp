// Printing and the print preview: a calendar view is one page, the lists are tables over as
// many pages as the core's numbers say, the footers count the pages, the Monthly view goes
// landscape and the user's orientation comes back, and only one preview opens.
#include <QFontMetricsF>
#include <QLineEdit>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>

#include "AppTestSupport.h"
#include "shell/Commands.h"
#include "views/CalendarView.h"
#include "views/EventListCtrl.h"
#include "views/ListPages.h"
#include "views/PrintPages.h"
#include "views/ViewPages.h"
#include "views/ViewPrinter.h"

using namespace tv;
using tvtest::At;

namespace {

int PdfPageCount(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return 0;
    // Page objects, not the page tree ("/Type /Pages").
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![s\\w])"));
    return static_cast<int>(QString::fromLatin1(f.readAll()).count(page));
}

// The text of one page, empty when pdftotext is not installed.
QString PdfText(const QString& path, int page) {
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (tool.isEmpty()) return {};
    QProcess p;
    const QString n = QString::number(page);
    p.start(tool, {QStringLiteral("-f"), n, QStringLiteral("-l"), n, QStringLiteral("-layout"), path, QStringLiteral("-")});
    p.waitForFinished(20000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

}  // namespace

class PrintTest : public tvtest::AppTest {
    Q_OBJECT
private Q_SLOTS:
    void everyCalendarViewIsOnePageAndTheScreenStaysAsItWas();
    void listPagesFollowTheCoreNumbersAndFindPrintsItsResults();
    void monthlyPrintsLandscapeAndTheOrientationComesBack();
    void previewOpensOnceWithItsTitle();

private:
    CMainWnd* Open(int view) {
        CMainWnd* m = w.Open(view);
        m->pages()->gotoDate(w.clock.Now());  // the test's day, not the one the window opened on
        return m;
    }
    // A PDF printer writing into the scratch folder.
    std::unique_ptr<QPrinter> PdfPrinter(const QString& name, QPageLayout::Orientation o = QPageLayout::Portrait) {
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setPageSize(QPageSize(QPageSize::A4));
        printer->setPageOrientation(o);
        printer->setOutputFileName(QString::fromStdString(w.dir.File(name.toStdString())));
        return printer;
    }
};

void PrintTest::everyCalendarViewIsOnePageAndTheScreenStaysAsItWas() {
    for (int h = 0; h < 24; h += 3) w.Add(qPrintable(QStringLiteral("Meeting %1").arg(h)), At(2024, 5, 6, h));
    w.Add("Gym", At(2024, 5, 6, 18), true);
    for (int view = kViewDaily; view <= kViewMonthly; ++view) {
        CMainWnd* m = Open(view);
        m->show();
        QCoreApplication::processEvents();
        const CalendarLayout& layout = m->pages()->calendarView(view)->layout();
        DisplayList before, after;
        layout.Draw(before, {false, layout.ClientRect(), layout.GetScroll().pos});
        const std::unique_ptr<CPrintJob> job = MakePrintJob(m);
        QCOMPARE(job->PrefersLandscape(), view == kViewMonthly);
        const auto printer = PdfPrinter(QStringLiteral("view%1.pdf").arg(view),
                                        view == kViewMonthly ? QPageLayout::Landscape : QPageLayout::Portrait);
        QCOMPARE(RunPrintJob(*job, *printer), 1);
        QCOMPARE(PdfPageCount(printer->outputFileName()), 1);
        // The caption above the rule, and the events.
        const QString text = PdfText(printer->outputFileName(), 1);
        QVERIFY2(text.isEmpty() || text.contains(m->pages()->calendarView(view)->GetCaptionText()), qPrintable(text));
        QVERIFY2(text.isEmpty() || view >= kViewWeekly || text.contains(QStringLiteral("Meeting 9")), qPrintable(text));
        // Printing lays the view out on paper and back: the screen shows what it showed.
        layout.Draw(after, {false, layout.ClientRect(), layout.GetScroll().pos});
        QCOMPARE(after.Ops().size(), before.Ops().size());
        for (size_t i = 0; i < before.Ops().size(); ++i) QVERIFY(after.Ops()[i].rect == before.Ops()[i].rect);
    }
}

void PrintTest::listPagesFollowTheCoreNumbersAndFindPrintsItsResults() {
    CMainWnd* m = Open(kViewAll);
    auto printer = PdfPrinter(QStringLiteral("empty.pdf"));
    QCOMPARE(RunPrintJob(*MakePrintJob(m), *printer), 0);
    QVERIFY(!QFile::exists(printer->outputFileName()));  // no document was even started

    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(ListPrint::kRowFontHeight);
    const int rowHeight = static_cast<int>(std::ceil(QFontMetricsF(font, printer.get()).height()));
    const int perPage = ComputeListPage(1, rowHeight, printer->width(), printer->height()).layout.rowsPerPage;
    QVERIFY(perPage > 20);
    auto row = [](int i) { return QStringLiteral("Row %1").arg(i, 3, 10, QLatin1Char('0')); };
    for (int i = 0; i < 2 * perPage + 5; ++i) w.Add(qPrintable(row(i)));
    m->setView(kViewFind);
    m->pages()->findPage()->textEdit()->setText(row(7));
    m->pages()->findPage()->search();
    printer = PdfPrinter(QStringLiteral("find.pdf"));
    QCOMPARE(RunPrintJob(*MakePrintJob(m), *printer), 1);  // the one result, not every event
    m->setView(kViewAll);  // the All page fills itself again when shown
    printer = PdfPrinter(QStringLiteral("list.pdf"));
    QCOMPARE(RunPrintJob(*MakePrintJob(m), *printer), 3);
    QCOMPARE(PdfPageCount(printer->outputFileName()), 3);
    const QString page2 = PdfText(printer->outputFileName(), 2);
    if (page2.isEmpty()) QSKIP("pdftotext is not installed; the page counts were checked");
    QVERIFY2(page2.contains(QStringLiteral("2/3")) && !page2.contains(QStringLiteral("1/3")), qPrintable(page2));
    QVERIFY(page2.contains(QStringLiteral("Events List")));
    for (const char* title : {"Name", "Time", "Type", "Recurrence", "Duration"}) QVERIFY(page2.contains(title));
    // Page 2 holds the second page's rows and no other.
    QVERIFY(page2.contains(row(perPage)) && page2.contains(row(2 * perPage - 1)));
    QVERIFY(!page2.contains(row(perPage - 1)) && !page2.contains(row(2 * perPage)));
}

void PrintTest::monthlyPrintsLandscapeAndTheOrientationComesBack() {
    CMainWnd* m = Open(kViewMonthly);
    m->runCommand(cmd::kPrint);  // the print dialog cancelled: nothing printed
    QCOMPARE(w.prompts.asked, QStringList{"Print"});
    const QString path = QString::fromStdString(w.dir.File("monthly-command.pdf"));
    QPageLayout::Orientation during = QPageLayout::Portrait;
    QPrinter* used = nullptr;
    w.prompts.printerSetup = [&](QPrinter& printer) {
        used = &printer;
        during = printer.pageLayout().orientation();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        return true;
    };
    m->runCommand(cmd::kPrint);
    QVERIFY(used);
    QCOMPARE(during, QPageLayout::Landscape);
    QCOMPARE(used->pageLayout().orientation(), QPageLayout::Portrait);
    QCOMPARE(PdfPageCount(path), 1);
    // The page itself is wider than high.
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QRegularExpressionMatch box =
        QRegularExpression(QStringLiteral("/MediaBox \\[0 0 ([\\d.]+) ([\\d.]+)\\]")).match(QString::fromLatin1(f.readAll()));
    QVERIFY(box.hasMatch() && box.captured(1).toDouble() > box.captured(2).toDouble());

    // Another view prints in the orientation the user chose.
    m->setView(kViewDaily);
    w.prompts.printerSetup = [&](QPrinter& printer) {
        during = printer.pageLayout().orientation();
        return false;
    };
    m->runCommand(cmd::kPrint);
    QCOMPARE(during, QPageLayout::Portrait);
}

void PrintTest::previewOpensOnceWithItsTitle() {
    CMainWnd* m = Open(kViewMonthly);
    m->runCommand(cmd::kPrintPreview);
    m->runCommand(cmd::kPrintPreview);
    QList<QPrintPreviewDialog*> previews = m->findChildren<QPrintPreviewDialog*>();
    QCOMPARE(previews.size(), 1);
    QCOMPARE(previews.first()->windowTitle(), QStringLiteral("Tallyvane - Preview"));
    QVERIFY(previews.first()->isVisible() && !previews.first()->isModal());
    QCOMPARE(previews.first()->printer()->pageLayout().orientation(), QPageLayout::Landscape);
    previews.first()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(m->findChildren<QPrintPreviewDialog*>().size(), 0);
    // Closed, a new one may open; the Daily view keeps the user's orientation.
    m->setView(kViewDaily);
    m->runCommand(cmd::kPrintPreview);
    previews = m->findChildren<QPrintPreviewDialog*>();
    QCOMPARE(previews.size(), 1);
    QCOMPARE(previews.first()->printer()->pageLayout().orientation(), QPageLayout::Portrait);
    previews.first()->close();
}

QTEST_MAIN(PrintTest)
#include "PrintTest.moc"
