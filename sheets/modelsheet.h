#pragma once

#include "sheets/workbook.h"

class QAbstractItemModel;

namespace Sheets {

// A list as the vendor sees it: its headers and the texts of every row, in the list's order.
Sheet sheetFromModel(const QAbstractItemModel& model, const QString& name);

} // namespace Sheets
