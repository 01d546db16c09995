#include "sheets/modelsheet.h"

#include <QAbstractItemModel>

namespace Sheets {

Sheet sheetFromModel(const QAbstractItemModel& model, const QString& name)
{
    Sheet sheet;
    sheet.name = name;
    const int columns = model.columnCount();
    for (int c = 0; c < columns; ++c)
        sheet.header << model.headerData(c, Qt::Horizontal).toString();
    const int rows = model.rowCount();
    sheet.rows.reserve(static_cast<size_t>(rows));
    for (int r = 0; r < rows; ++r) {
        std::vector<Cell> row;
        row.reserve(static_cast<size_t>(columns));
        for (int c = 0; c < columns; ++c) {
            const QString text = model.data(model.index(r, c)).toString();
            row.push_back(text.isEmpty() ? Cell::empty() : Cell::textCell(text));
        }
        sheet.addRow(std::move(row));
    }
    return sheet;
}

} // namespace Sheets
