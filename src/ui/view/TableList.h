#pragma once

#include "core/view/TableViews.h"

#include <QTableWidget>

#include <vector>

// The main screen's data table (control 1000): one list that shows, in turn,
// the summary, load-settlement and record tables. Read-only for the operator:
// rows are selected whole, columns can be neither sorted nor resized.
class TableList : public QTableWidget {
    Q_OBJECT
  public:
    // Placed at x 0, y 78, 408 x 387 of the 800 x 600 main window, with the
    // start-up columns.
    explicit TableList(QWidget* parent = nullptr);

    // Replaces columns and rows with `table` and scrolls its last row into
    // view; the list is repainted once, after it is filled. The table's
    // column widths are narrowed where they would not fit beside the
    // vertical scroll bar; where even their texts would not fit, the list
    // takes a narrower font.
    void ShowTable(const TableView& table);

  signals:
    // The title of the table just shown, for the title line above the list.
    void TableTitleChanged(const QString& title);

  protected:
    // Scroll bars appear only when the list is laid out (at the latest when
    // the window is first shown); the last row is brought into full view again
    // then, until the operator scrolls.
    void updateGeometries() override;

  private:
    // Columns are fitted into the room left of the vertical scroll bar,
    // narrowed no further than their captions and texts in `font`
    // (FitColumnWidths).
    int InsideWidth() const;
    static std::vector<int> ColumnWidths(const TableView& table);
    int TextPadding() const;
    std::vector<int> TextWidths(const TableView& table, const QFont& font) const;

    bool m_followLastRow = false;
};
