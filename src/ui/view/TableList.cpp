#include "ui/view/TableList.h"

#include "core/view/ColumnFit.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QScrollBar>
#include <QStyle>

#include <algorithm>

namespace {

constexpr QRect kListArea(0, 78, 408, 387);
constexpr int kFontPixels = 15;
// Room around a cell's text: the cell margins and the grid line.
constexpr int kTextPadding = 8;

QTableWidgetItem* CentredItem(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(Qt::AlignCenter);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

} // namespace

TableList::TableList(QWidget* parent) : QTableWidget(parent) {
    setGeometry(kListArea);
    QFont font;
    // The panel's font first, then ones that hold the Chinese captions.
    font.setFamilies({QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Noto Sans CJK SC"),
                      QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("DejaVu Sans")});
    font.setPixelSize(kFontPixels);
    setFont(font);
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
    const std::vector<int> widths = FitColumnWidths(ColumnWidths(table), TextWidths(table), InsideWidth());
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

std::vector<int> TableList::TextWidths(const TableView& table) const {
    const QFontMetrics cellMetrics(font());
    const QFontMetrics headerMetrics(horizontalHeader()->font());
    std::vector<int> needed;
    for (std::size_t c = 0; c < table.columns.size(); ++c) {
        int widest = headerMetrics.horizontalAdvance(table.columns[c].caption);
        for (const QStringList& cells : table.rows) {
            if (static_cast<qsizetype>(c) < cells.size())
                widest = std::max(widest, cellMetrics.horizontalAdvance(cells[static_cast<qsizetype>(c)]));
        }
        needed.push_back(widest + kTextPadding);
    }
    return needed;
}
