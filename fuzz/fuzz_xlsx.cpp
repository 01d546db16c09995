// Price lists as .xlsx: any bytes must end in rows or in a ReadError, never a crash, a hang or memory
// beyond the reader's own limits; every number read must be a plain decimal.
#include "sheets/xlsxreader.h"

#include <QRegularExpression>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const QRegularExpression plain(QStringLiteral("^-?\\d+(\\.\\d+)?$"));
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    try {
        const std::vector<Sheets::ReadRow> rows = Sheets::readXlsx(bytes);
        if (rows.size() > static_cast<size_t>(Sheets::MaxRows))
            std::abort();
        for (const Sheets::ReadRow& row : rows)
            if (row.cells.size() > Sheets::MaxColumns)
                std::abort();
    } catch (const Sheets::ReadError&) {
    }
    // The number conversion on its own, on the same bytes as text.
    const QString number = Sheets::plainNumber(QString::fromLatin1(bytes.left(64)));
    if (!number.isEmpty() && !plain.match(number).hasMatch())
        std::abort();
    return 0;
}
