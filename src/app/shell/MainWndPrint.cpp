// CMainWnd: Print and Print Preview of the active page.
#include <QCoreApplication>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScreen>

#include "MainWnd.h"
#include "UserPrompts.h"
#include "views/ViewPrinter.h"

namespace tv {

namespace {

// The printer settings the Print command keeps from one use to the next, as the printer
// dialog left them.
QPrinter& AppPrinter() {
    // Kept by an object of the application, so that it goes before the application does.
    struct Holder : QObject {
        QPrinter printer{QPrinter::HighResolution};
    };
    static Holder* holder = nullptr;
    if (!holder) {
        holder = new Holder;
        holder->setParent(QCoreApplication::instance());
        QObject::connect(holder, &QObject::destroyed, [] { holder = nullptr; });
    }
    return holder->printer;
}

// The Monthly view's grid of 7 columns and 5 rows reads best across the paper. Its print is
// turned to landscape for the one command, and the user's own choice comes back afterwards.
class OrientationForJob {
public:
    OrientationForJob(QPrinter& printer, const CPrintJob& job) : m_printer(printer) {
        if (!job.PrefersLandscape()) return;
        m_previous = printer.pageLayout().orientation();
        m_changed = true;
        printer.setPageOrientation(QPageLayout::Landscape);
    }
    ~OrientationForJob() {
        if (m_changed) m_printer.setPageOrientation(m_previous);
    }
    OrientationForJob(const OrientationForJob&) = delete;
    OrientationForJob& operator=(const OrientationForJob&) = delete;

private:
    QPrinter& m_printer;
    QPageLayout::Orientation m_previous = QPageLayout::Portrait;
    bool m_changed = false;
};

}  // namespace

void CMainWnd::print() {
    const std::unique_ptr<CPrintJob> job = MakePrintJob(this);
    if (!job) return;
    QPrinter& printer = AppPrinter();
    const OrientationForJob orientation(printer, *job);
    if (!Prompts().SetUpPrinter(this, printer)) return;
    printer.setDocName(PrintDocumentName());
    RunPrintJob(*job, printer);
}

void CMainWnd::printPreview() {
    // One preview at a time: asking again brings the open one forward.
    if (auto* open = findChild<QPrintPreviewDialog*>(QStringLiteral("printPreview"), Qt::FindDirectChildrenOnly)) {
        if (open->isMinimized()) open->showMaximized();
        open->raise();
        open->activateWindow();
        return;
    }
    const std::unique_ptr<CPrintJob> first = MakePrintJob(this);
    if (!first) return;
    auto* preview = new QPrintPreviewDialog(this, Qt::Window);
    preview->setObjectName(QStringLiteral("printPreview"));
    preview->setAttribute(Qt::WA_DeleteOnClose);
    preview->setWindowTitle(tr("Tallyvane - Preview"));
    // The preview starts from the Print command's printer and paper, on a printer of its own:
    // turning its pages around changes nothing for later prints.
    QPrinter* printer = preview->printer();
    const QPrinter& settings = AppPrinter();
    if (!settings.printerName().isEmpty()) printer->setPrinterName(settings.printerName());
    printer->setPageLayout(settings.pageLayout());
    if (first->PrefersLandscape()) printer->setPageOrientation(QPageLayout::Landscape);
    printer->setDocName(PrintDocumentName());
    // Every repaint of the preview prints the page shown in the window at that moment.
    connect(preview, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* p) {
        if (const std::unique_ptr<CPrintJob> job = MakePrintJob(this)) RunPrintJob(*job, *p);
    });
    // Where no window manager maximises windows, the preview still opens at the screen's size.
    if (const QScreen* shownOn = screen()) preview->setGeometry(shownOn->availableGeometry());
    preview->showMaximized();
}

}  // namespace tv
