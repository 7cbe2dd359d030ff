#include "ui/report/TestReport.h"

#include "core/view/TableViews.h"
#include "core/view/ViewTitles.h"
#include "ui/report/TestIdentity.h"
#include "ui/view/GraphPainter.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>

#include <numeric>

namespace {

constexpr int kDpi = 300;
constexpr double kMarginMm = 15;
// The curves are composed for a window this many pixels wide and scaled onto
// the page width: the screen's 14-pixel texts come out at about 9 points.
constexpr int kPrintGraphWidth = 800;

double Mm(double mm) {
    return mm * kDpi / 25.4;
}

QFont ReportFont(double points, bool bold = false) {
    QFont font;
    // fonts-wqy-microhei on Debian; embedded in the PDF as a subset.
    font.setFamilies({QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Noto Sans CJK SC")});
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

// Lays the report out top to bottom on pages of the writer. It runs twice:
// first without a painter to count the pages, then painting, so every footer
// can say how many pages there are.
class ReportLayout {
  public:
    ReportLayout(QPdfWriter& writer, QPainter* painter, int pageTotal, const QString& sourceName)
        : m_writer(writer), m_painter(painter), m_pageTotal(pageTotal), m_sourceName(sourceName),
          m_width(writer.width()), m_bodyBottom(writer.height() - Mm(8)), m_text(ReportFont(9)),
          m_heading(ReportFont(11, true)), m_title(ReportFont(16, true)),
          m_line(QFontMetricsF(m_text, &writer).height() * 1.5) {}

    int Pages() const { return m_page; }

    void Title(const QString& text) {
        const double height = QFontMetricsF(m_title, &m_writer).height() * 1.6;
        if (m_painter) {
            m_painter->setFont(m_title);
            m_painter->drawText(QRectF(0, m_y, m_width, height), Qt::AlignCenter, text);
        }
        m_y += height;
    }

    void Heading(const QString& text) {
        const double height = QFontMetricsF(m_heading, &m_writer).height() * 1.8;
        Reserve(height + 3 * m_line);
        if (m_painter) {
            m_painter->setFont(m_heading);
            m_painter->drawText(QRectF(0, m_y, m_width, height), Qt::AlignLeft | Qt::AlignVCenter, text);
        }
        m_y += height;
    }

    // Caption and value pairs, two to a line; a value too long for its half
    // takes the whole line.
    void Identity(const std::vector<IdentityField>& fields) {
        const double captionWidth = m_width * 0.2;
        const double half = m_width / 2;
        const QFontMetricsF metrics(m_text, &m_writer);
        int column = 0;
        for (const IdentityField& field : fields) {
            const QString value = IdentityText(field);
            const bool wide = metrics.horizontalAdvance(value) > half - captionWidth - Mm(2);
            if (column == 1 && wide)
                NextLine(column);
            Reserve(m_line);
            const double x = column * half;
            if (m_painter) {
                m_painter->setFont(m_text);
                m_painter->drawText(QRectF(x, m_y, captionWidth, m_line), Qt::AlignLeft | Qt::AlignVCenter,
                                    field.caption);
                m_painter->drawText(QRectF(x + captionWidth, m_y, m_width - x - captionWidth, m_line),
                                    Qt::AlignLeft | Qt::AlignVCenter, value);
            }
            if (wide || ++column == 2)
                NextLine(column);
        }
        if (column != 0)
            NextLine(column);
    }

    // A table with the screen's columns, their widths scaled to the page,
    // its header again at the top of every page it continues on.
    void Table(const TableView& table) {
        Heading(table.title);
        const double total = std::accumulate(table.columns.begin(), table.columns.end(), 0.0,
                                             [](double sum, const TableColumn& c) { return sum + c.width; });
        std::vector<double> widths;
        for (const TableColumn& column : table.columns)
            widths.push_back(column.width * m_width / total);
        QStringList captions;
        for (const TableColumn& column : table.columns)
            captions.append(column.caption);

        TableRow(widths, captions, true);
        for (const QStringList& row : table.rows) {
            if (m_y + m_line > m_bodyBottom) {
                NewPage();
                Continued(table.title);
                TableRow(widths, captions, true);
            }
            TableRow(widths, row, false);
        }
        m_y += m_line;
    }

    // The two load curves share a page; the time curves caption every level
    // at its end and get a page of their own, tall enough to keep those
    // captions apart.
    void Curves(const CurveModel& curves, bool loadInKN) {
        NewPage();
        Curve(curves, 1, loadInKN, m_bodyBottom / 2);
        Curve(curves, 2, loadInKN, m_bodyBottom / 2);
        NewPage();
        Curve(curves, 3, loadInKN, m_bodyBottom);
    }

    void NewPage() {
        Footer();
        if (m_painter)
            m_writer.newPage();
        ++m_page;
        m_y = 0;
    }

    // Ends the last page.
    void Finish() {
        Footer();
        ++m_page;
    }

  private:
    void Curve(const CurveModel& curves, int view, bool loadInKN, double slot) {
        const double titleHeight = QFontMetricsF(m_heading, &m_writer).height() * 1.8;
        const QRectF target(0, m_y + titleHeight, m_width, slot - titleHeight - Mm(4));
        if (m_painter) {
            m_painter->setFont(m_heading);
            m_painter->drawText(QRectF(0, m_y, m_width, titleHeight), Qt::AlignLeft | Qt::AlignVCenter,
                                *CurveViewTitle(view, loadInKN));
            CurveModel shown = curves;
            shown.curveMode = view;
            shown.loadInKN = loadInKN;
            const QSize window(kPrintGraphWidth,
                               static_cast<int>(kPrintGraphWidth * target.height() / target.width()));
            PaintGraphInto(*m_painter, shown, window, target, kPrintGraphStyle);
        }
        m_y += slot;
    }

    void Reserve(double height) {
        if (m_y + height > m_bodyBottom)
            NewPage();
    }

    void NextLine(int& column) {
        column = 0;
        m_y += m_line;
    }

    void Continued(const QString& title) {
        const double height = QFontMetricsF(m_heading, &m_writer).height() * 1.8;
        if (m_painter) {
            m_painter->setFont(m_heading);
            m_painter->drawText(QRectF(0, m_y, m_width, height), Qt::AlignLeft | Qt::AlignVCenter,
                                title + QStringLiteral("(续)"));
        }
        m_y += height;
    }

    void TableRow(const std::vector<double>& widths, const QStringList& cells, bool header) {
        if (m_painter) {
            m_painter->setFont(m_text);
            m_painter->setPen(QPen(Qt::black, Mm(0.15)));
            double x = 0;
            for (std::size_t c = 0; c < widths.size(); ++c) {
                const QRectF cell(x, m_y, widths[c], m_line);
                if (header)
                    m_painter->fillRect(cell, QColor(225, 225, 225));
                m_painter->drawRect(cell);
                if (c < static_cast<std::size_t>(cells.size()))
                    m_painter->drawText(cell, Qt::AlignCenter, cells[static_cast<qsizetype>(c)]);
                x += widths[c];
            }
        }
        m_y += m_line;
    }

    void Footer() {
        if (!m_painter)
            return;
        const QRectF line(0, m_writer.height() - m_line, m_width, m_line);
        m_painter->setFont(m_text);
        m_painter->drawText(line, Qt::AlignLeft | Qt::AlignVCenter, m_sourceName);
        m_painter->drawText(line, Qt::AlignCenter,
                            QStringLiteral("第 %1 页 共 %2 页").arg(m_page + 1).arg(m_pageTotal));
    }

    QPdfWriter& m_writer;
    QPainter* m_painter; // none while counting pages
    const int m_pageTotal;
    const QString m_sourceName;
    const double m_width;
    const double m_bodyBottom; // above the footer
    const QFont m_text;
    const QFont m_heading;
    const QFont m_title;
    const double m_line; // height of a table row
    int m_page = 0;      // pages finished so far
    double m_y = 0;
};

void Compose(ReportLayout& layout, const CPublic& pub, const CurveModel& curves) {
    layout.Title(pub.loadInKN ? QStringLiteral("单桩静载试验报告") : QStringLiteral("地基静载试验报告"));
    layout.Identity(TestIdentity(pub));
    layout.Table(SummaryTable(pub));
    layout.Table(LoadSettlementTable(pub));
    layout.Curves(curves, pub.loadInKN);
    layout.NewPage();
    layout.Table(RecordTable(pub));
    layout.Finish();
}

} // namespace

int WriteTestReport(const CPublic& pub, const CurveModel& curves, const QString& sourceName,
                    QIODevice& device) {
    QPdfWriter writer(&device);
    writer.setResolution(kDpi);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm),
                                     QPageLayout::Millimeter));
    writer.setTitle(QStringLiteral("%1 试验报告").arg(sourceName));
    writer.setCreator(QStringLiteral("staticload kvt"));

    ReportLayout counting(writer, nullptr, 0, sourceName);
    Compose(counting, pub, curves);

    QPainter painter;
    if (!painter.begin(&writer))
        return 0;
    ReportLayout painting(writer, &painter, counting.Pages(), sourceName);
    Compose(painting, pub, curves);
    painter.end();
    return painting.Pages();
}
