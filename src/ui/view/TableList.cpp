#include "ui/view/TableList.h"

#include "core/view/ColumnFit.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QScrollBar>
#include <QStyle>

#include <algorithm>
#include <numeric>

namespace {

constexpr QRect kListArea(0, 78, 408, 387);
constexpr int kFontPixels = 15;
// A narrow face goes no lower than this; beyond it the letters are drawn
// narrower instead, down to kNarrowestStretch percent of their width.
constexpr int kSmallestFontPixels = 12;
constexpr int kNarrowestStretch = 70;

QTableWidgetItem* CentredItem(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(Qt::AlignCenter);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

QFont ListFont(const QStringList& families, int pixels, int stretch = QFont::Unstretched) {
    QFont font;
    font.setFamilies(families);
    font.setPixelSize(pixels);
    font.setStretch(stretch);
    return font;
}

// The panel's font at its own size, then a narrow face at falling sizes and
// then drawn narrower, for tables whose texts would not fit beside the
// scroll bar (gauges 5-8, 3 decimals, a marked reading time). The Chinese
// captions come from the fonts after the Latin ones.
std::vector<QFont> CandidateFonts() {
    const QStringList chinese{QStringLiteral("Noto Sans CJK SC"), QStringLiteral("WenQuanYi Micro Hei")};
    std::vector<QFont> fonts{ListFont(QStringList{QStringLiteral("Microsoft Sans Serif")} + chinese +
                                          QStringList{QStringLiteral("DejaVu Sans")},
                                      kFontPixels)};
    const QStringList narrow =
        QStringList{QStringLiteral("Arial Narrow"), QStringLiteral("Liberation Sans Narrow"),
                    QStringLiteral("Nimbus Sans Narrow")} +
        chinese;
    for (int pixels = kFontPixels; pixels >= kSmallestFontPixels; --pixels)
        fonts.push_back(ListFont(narrow, pixels));
    for (int stretch = 90; stretch >= kNarrowestStretch; stretch -= 10)
        fonts.push_back(ListFont(narrow, kSmallestFontPixels, stretch));
    return fonts;
}

int Sum(const std::vector<int>& widths) {
    return std::accumulate(widths.begin(), widths.end(), 0);
}

} // namespace

TableList::TableList(QWidget* parent) : QTableWidget(parent) {
    setGeometry(kListArea);
    setFont(CandidateFonts().front());
    setShowGrid(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    verticalHeader()->hide();
    QHeaderView* header = horizontalHeader();
    header->setSectionsClickable(false);
    header->setSectionsMovable(false);
    header->setHighlightSections(false);
    header->setSectionResizeMode(QHeaderView::Fixed);
    header->setStretchLastSection(false);
    header->setDefaultAlignment(Qt::AlignCenter);
    // Always there, so the columns are fitted once for the room it leaves and
    // do not jump when the rows outgrow the list.
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    connect(verticalScrollBar(), &QScrollBar::actionTriggered, this, [this] { m_followLastRow = false; });
    ShowTable(InitialTableColumns());
}

void TableList::updateGeometries() {
    QTableWidget::updateGeometries();
    if (m_followLastRow && rowCount() > 0)
        scrollToItem(item(rowCount() - 1, 0), QAbstractItemView::EnsureVisible);
}

void TableList::ShowTable(const TableView& table) {
    setUpdatesEnabled(false);
    clear();
    setRowCount(0);
    setColumnCount(0);

    const int columns = static_cast<int>(table.columns.size());
    setColumnCount(columns);
    for (int c = 0; c < columns; ++c)
        setHorizontalHeaderItem(c, CentredItem(table.columns[static_cast<std::size_t>(c)].caption));
    const int rows = static_cast<int>(table.rows.size());
    setRowCount(rows);
    for (int r = 0; r < rows; ++r) {
        const QStringList& cells = table.rows[static_cast<std::size_t>(r)];
        for (int c = 0; c < columns && c < cells.size(); ++c)
            setItem(r, c, CentredItem(cells[c]));
    }
    // The first font whose texts fit; a table's own width narrower than its
    // texts gives way to them, so no text is cut short.
    const int inside = InsideWidth();
    std::vector<int> needed;
    QFont chosen;
    for (const QFont& candidate : CandidateFonts()) {
        chosen = candidate;
        needed = TextWidths(table, chosen);
        if (Sum(needed) <= inside)
            break;
    }
    setFont(chosen); // the header takes it too
    std::vector<int> own = ColumnWidths(table);
    for (std::size_t c = 0; c < own.size(); ++c)
        own[c] = std::max(own[c], needed[c]);
    const std::vector<int> widths = FitColumnWidths(own, needed, inside);
    for (int c = 0; c < columns; ++c)
        setColumnWidth(c, widths[static_cast<std::size_t>(c)]);
    // The scroll range follows the new rows only at the next layout pass;
    // bring it up to date so the last row can be reached now.
    m_followLastRow = true;
    updateGeometries();

    setUpdatesEnabled(true);
    viewport()->update();
    emit TableTitleChanged(table.title);
}

int TableList::InsideWidth() const {
    return width() - 2 * frameWidth() -
           style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, verticalScrollBar());
}

std::vector<int> TableList::ColumnWidths(const TableView& table) {
    std::vector<int> widths;
    for (const TableColumn& column : table.columns)
        widths.push_back(column.width);
    return widths;
}

int TableList::TextPadding() const {
    // The text margin on either side of a cell, and the grid line.
    return 2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1) + 1;
}

std::vector<int> TableList::TextWidths(const TableView& table, const QFont& font) const {
    const QFontMetrics metrics(font);
    const int padding = TextPadding();
    std::vector<int> needed;
    for (std::size_t c = 0; c < table.columns.size(); ++c) {
        int widest = metrics.horizontalAdvance(table.columns[c].caption);
        for (const QStringList& cells : table.rows) {
            if (static_cast<qsizetype>(c) < cells.size())
                widest = std::max(widest, metrics.horizontalAdvance(cells[static_cast<qsizetype>(c)]));
        }
        needed.push_back(widest + padding);
    }
    return needed;
}
