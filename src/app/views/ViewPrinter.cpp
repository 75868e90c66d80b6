// The print jobs of the calendar views and the event lists.
#include "ViewPrinter.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <algorithm>
#include <cmath>

#include "CalendarView.h"
#include "EventListCtrl.h"
#include "ListPages.h"
#include "ViewPages.h"
#include "ViewPainter.h"
#include "shell/MainWnd.h"
#include "shell/QtConvert.h"
#include "shell/Translation.h"
#include "views/EventListModel.h"
#include "views/PrintPages.h"

namespace tv {

namespace {

QPoint ToQPoint(const Point& p) { return QPoint(p.x, p.y); }
QRect ToQRect(const Rect& r) { return QRect(r.left, r.top, r.Width(), r.Height()); }

// Paper is white whatever the desktop's colour scheme: the views' system colours are taken
// from a light palette, never from a dark one.
QPalette PaperPalette() {
    QPalette p(QColor(240, 240, 240), Qt::white);
    p.setColor(QPalette::Light, Qt::white);
    p.setColor(QPalette::Dark, QColor(160, 160, 160));
    p.setColor(QPalette::Highlight, QColor(0, 120, 215));
    p.setColor(QPalette::HighlightedText, Qt::white);
    p.setColor(QPalette::ToolTipBase, QColor(255, 255, 225));
    p.setColor(QPalette::ToolTipText, Qt::black);
    return p;
}

// A font of the page's own: the size is in logical units of the page.
QFont PageFont(int characterHeight) {
    QFont f(QStringLiteral("Arial"));
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(characterHeight);
    f.setWeight(QFont::Normal);
    return f;
}

class CCalendarPrintJob final : public CPrintJob {
public:
    explicit CCalendarPrintJob(CCalendarView* view) : m_view(view) {}

    int Begin(QPrinter&) override { return 1; }

    void Page(QPainter& p, QPrinter& printer, int) override {
        const CalendarPageFrame f = ComputeCalendarPage(m_view->kind(), printer.width(), printer.height());
        if (f.scale <= 0.0) return;
        ViewStyle style = ViewStyle::ForScreen();
        style.SetPalette(PaperPalette());
        style.typeIcon = nullptr;  // no icons on paper
        style.target.printer = true;
        style.target.rect = f.extent.drawRect;

        p.save();
        p.scale(f.scale, f.scale);
        QPen rule(Qt::black, CalendarPageFrame::kRuleWidth);
        rule.setCapStyle(Qt::FlatCap);
        p.setPen(rule);
        p.drawLine(ToQPoint(f.ruleFrom), ToQPoint(f.ruleTo));
        p.setPen(Qt::black);
        p.setFont(style.hourFont);
        p.drawText(ToQRect(f.captionRect), Qt::AlignRight | Qt::AlignBottom | Qt::TextSingleLine | Qt::TextDontClip,
                   m_view->GetCaptionText());

        // The view lays itself out for the paper, draws, and goes back to its window's size.
        p.save();
        p.translate(ToQPoint(f.origin));
        p.setClipRect(ToQRect(f.extent.drawRect));
        CalendarLayout& layout = m_view->layout();
        layout.LayoutItems(f.extent.drawRect);
        DrawView(p, layout, style);
        layout.LayoutItems();
        p.restore();

        p.setPen(rule);
        p.drawLine(ToQPoint(f.footerFrom), ToQPoint(f.footerTo));
        p.restore();
    }

    bool PrefersLandscape() const override { return m_view->kind() == kViewMonthly; }

private:
    CCalendarView* m_view;
};

class CListPrintJob final : public CPrintJob {
public:
    explicit CListPrintJob(CEventListCtrl* list)
        : m_list(list), m_rowFont(PageFont(ListPrint::kRowFontHeight)),
          m_titleFont(PageFont(ListPrint::kTitleFontHeight)) {}

    int Begin(QPrinter& printer) override {
        // The rows are taken as the list shows them now, sorted as it is sorted.
        const CEventListTableModel* model = m_list->listModel();
        m_rows.clear();
        for (int row = 0; row < model->rowCount(); ++row) m_rows.push_back(model->rowView(row));
        const int textHeight = static_cast<int>(std::ceil(QFontMetricsF(m_rowFont, &printer).height()));
        m_geometry = ComputeListPage(static_cast<int>(m_rows.size()), textHeight, printer.width(), printer.height());
        return m_geometry.layout.pageCount;
    }

    void Page(QPainter& p, QPrinter&, int page) override {
        const ListPageGeometry& g = m_geometry;
        p.save();
        p.scale(g.scaleX, g.scaleY);
        const QPen line(Qt::black, 0.5);
        p.setPen(line);

        // Title band.
        p.setFont(m_titleFont);
        const Rect& title = g.titleBand;
        p.drawText(QRect(title.left + 5, title.top, title.Width() - 5, title.Height()),
                   Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, CoreText(ListPrint::kTitle));
        p.drawLine(title.left, title.bottom, title.right, title.bottom);

        // Header band.
        p.setFont(m_rowFont);
        const Rect& header = g.headerBand;
        p.fillRect(ToQRect(header), QColor(192, 192, 192));
        p.drawRect(QRectF(header.left, header.top, header.Width(), header.Height()));
        for (int c = 0; c < kPrintColumnCount; ++c) {
            p.drawText(
                QRect(g.columnLeft[c] + 2, header.top + 2, g.columnRight[c] - g.columnLeft[c] - 2, header.Height() - 2),
                Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, CoreText(GetListColumn(c).title));
            p.drawLine(g.columnLeft[c], header.top, g.columnLeft[c], header.bottom);
        }

        // Rows.
        const QFontMetricsF metrics(m_rowFont, p.device());
        const PageRows rows = RowsOfPage(g, static_cast<int>(m_rows.size()), page);
        for (int i = 0; i < rows.count; ++i) {
            const ListRowView& row = m_rows[static_cast<size_t>(rows.first + i)];
            const Rect r = g.RowRect(i);
            p.drawLine(r.left, r.bottom, r.right, r.bottom);
            p.drawLine(r.left, r.top, r.left, r.bottom);
            for (int c = 0; c < kPrintColumnCount; ++c) {
                const QRect cell = ToQRect(g.CellTextRect(i, c));
                // A text wider than its column ends in an ellipsis rather than in the next one.
                const QString text =
                    metrics.elidedText(QString::fromStdString(row.cells[c]), Qt::ElideRight, cell.width() - 2);
                DrawUserText(p, cell, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
                p.drawLine(g.columnRight[c], r.top, g.columnRight[c], r.bottom);
            }
        }

        // Footer band.
        const Rect& footer = g.footerBand;
        p.drawLine(footer.left, footer.top, footer.right, footer.top);
        p.setFont(m_titleFont);
        p.drawText(QRect(footer.left, footer.top, footer.Width() - 2, footer.Height()),
                   Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine,
                   QString::fromStdString(PageFooterText(page, g.layout.pageCount)));
        p.restore();
    }

    void End() override { m_rows.clear(); }

private:
    CEventListCtrl* m_list;
    QFont m_rowFont, m_titleFont;
    std::vector<ListRowView> m_rows;
    ListPageGeometry m_geometry;
};

}  // namespace

std::unique_ptr<CPrintJob> MakeCalendarPrintJob(CCalendarView* view) {
    if (!view) return nullptr;
    return std::make_unique<CCalendarPrintJob>(view);
}

std::unique_ptr<CPrintJob> MakeListPrintJob(CEventListCtrl* list) {
    if (!list) return nullptr;
    return std::make_unique<CListPrintJob>(list);
}

std::unique_ptr<CPrintJob> MakePrintJob(CMainWnd* mainWnd) {
    const CViewPages* pages = mainWnd->pages();
    switch (const int view = mainWnd->viewIndex()) {
        case kViewFind: return MakeListPrintJob(pages->findPage()->list());
        case kViewAll: return MakeListPrintJob(pages->allPage()->list());
        default: return MakeCalendarPrintJob(pages->calendarView(view));
    }
}

int RunPrintJob(CPrintJob& job, QPrinter& printer) {
    const int pages = job.Begin(printer);
    if (pages <= 0) {
        job.End();
        return 0;
    }
    QPainter painter;
    if (!painter.begin(&printer)) {
        job.End();
        return -1;
    }
    int printed = 0;
    for (int page = 1; page <= pages; ++page) {
        if (page > 1 && !printer.newPage()) break;
        job.Page(painter, printer, page);
        ++printed;
    }
    job.End();
    if (printed < pages) {
        printer.abort();
        painter.end();
        return -1;
    }
    return painter.end() ? printed : -1;
}

QString PrintDocumentName() { return QStringLiteral("Tallyvane"); }

}  // namespace tv
