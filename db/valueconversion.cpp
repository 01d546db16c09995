#include "db/valueconversion.h"

#include "app/decimal.h"
#include "db/dberror.h"
#include "db/schema.h"

#include <QDateTime>
#include <QRegularExpression>
#include <limits>
#include <sqlite3.h>

namespace {

const QString LayerSource = QStringLiteral("Recordset");

[[noreturn]] void mismatch(const QString& column, const QVariant& value)
{
    throw DbError(DbErrorNumber::TypeMismatch, LayerSource,
                  QStringLiteral("Data type conversion error: column %1 cannot take the value '%2'.")
                      .arg(column, value.toString()));
}

bool isTextLike(const QVariant& v)
{
    return v.typeId() == QMetaType::QString || v.typeId() == QMetaType::QByteArray;
}

} // namespace

namespace ValueConversion {

QString decimalTextFromDouble(double value)
{
    const QString shortest = QString::number(value, 'g', QLocale::FloatingPointShortest);
    static const QRegularExpression scientific(QStringLiteral("^(-?)(\\d+)(?:\\.(\\d+))?e([+-]?\\d+)$"));
    const QRegularExpressionMatch m = scientific.match(shortest);
    if (!m.hasMatch())
        return shortest;
    QString digits = m.captured(2) + m.captured(3);
    int pointAt = static_cast<int>(m.captured(2).size()) + m.captured(4).toInt();
    if (pointAt <= 0) {
        digits.prepend(QString(-pointAt, QLatin1Char('0')));
        pointAt = 0;
    } else if (pointAt >= digits.size()) {
        digits.append(QString(pointAt - digits.size(), QLatin1Char('0')));
    }
    QString text = pointAt >= digits.size() ? digits
                                            : (pointAt == 0 ? QStringLiteral("0") : digits.left(pointAt)) +
                                                  QLatin1Char('.') + digits.mid(pointAt);
    return m.captured(1) + text;
}

std::optional<ColumnType> columnTypeOf(const QString& declaredType)
{
    if (declaredType.isEmpty())
        return std::nullopt;
    return Schema::typeFromDeclared(declaredType);
}

QVariant fromStatement(sqlite3_stmt* stmt, int i, const QString& declaredType)
{
    return fromStatement(stmt, i, columnTypeOf(declaredType));
}

QVariant fromStatement(sqlite3_stmt* stmt, int i, std::optional<ColumnType> type)
{
    return fromStored(storedValue(stmt, i), type);
}

StoredValue storedValue(sqlite3_stmt* stmt, int i)
{
    StoredValue v;
    v.storage = sqlite3_column_type(stmt, i);
    switch (v.storage) {
    case SQLITE_INTEGER: v.integer = sqlite3_column_int64(stmt, i); break;
    case SQLITE_FLOAT: v.real = sqlite3_column_double(stmt, i); break;
    case SQLITE_TEXT:
    case SQLITE_BLOB: {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, i));
        v.text = QByteArrayView(text, sqlite3_column_bytes(stmt, i));
        break;
    }
    default: break;
    }
    return v;
}

namespace {

QString textOf(const StoredValue& v)
{
    switch (v.storage) {
    case SQLITE_INTEGER: return QString::number(v.integer);
    case SQLITE_FLOAT: return decimalTextFromDouble(v.real);
    default: return QString::fromUtf8(v.text);
    }
}

QVariant numberOf(const StoredValue& v)
{
    switch (v.storage) {
    case SQLITE_INTEGER: return QVariant(static_cast<qlonglong>(v.integer));
    case SQLITE_FLOAT: return QVariant(decimalTextFromDouble(v.real));
    default: return QVariant(QString::fromUtf8(v.text));
    }
}

} // namespace

QVariant fromStored(const StoredValue& v, std::optional<ColumnType> type)
{
    if (v.storage == SQLITE_NULL)
        return QVariant();
    if (!type)
        return numberOf(v);  // an expression such as Max(ID)
    switch (*type) {
    case ColumnType::Boolean:
        if (v.storage == SQLITE_TEXT)
            return QVariant(textOf(v).compare(QLatin1String("True"), Qt::CaseInsensitive) == 0);
        return QVariant(v.storage == SQLITE_FLOAT ? v.real != 0 : v.integer != 0);
    case ColumnType::DateTime:
        return QVariant(QDateTime::fromString(textOf(v), QLatin1String(DateTimeFormat)));
    case ColumnType::Id:
    case ColumnType::Integer:
    case ColumnType::SmallInt:
    case ColumnType::Decimal:
        return numberOf(v);
    case ColumnType::Text:
        return QVariant(textOf(v));
    }
    return QVariant(textOf(v));
}

EngineValue toEngine(const QVariant& value, const QString& declaredType, const QString& column)
{
    EngineValue e;
    if (value.isNull() || !value.isValid())
        return e;
    auto whole = [&e](qint64 n) {
        e.storage = SQLITE_INTEGER;
        e.integer = n;
        return e;
    };
    auto text = [&e](const QString& t) {
        e.storage = SQLITE_TEXT;
        e.text = t.toUtf8();
        return e;
    };
    switch (Schema::typeFromDeclared(declaredType)) {
    case ColumnType::Text:
        return text(value.toString());
    case ColumnType::Boolean: {
        if (value.typeId() == QMetaType::Bool)
            return whole(value.toBool() ? 1 : 0);
        const QString t = value.toString().trimmed();
        if (t.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0 || t.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
            return whole(t.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0 ? 1 : 0);
        const auto number = Decimal::parse(t);
        if (!number)
            mismatch(column, value);
        return whole(number->isZero() ? 0 : 1);
    }
    case ColumnType::DateTime: {
        const QDateTime when = value.toDateTime();
        if (!when.isValid())
            mismatch(column, value);
        return text(when.toString(QLatin1String(DateTimeFormat)));
    }
    case ColumnType::Id:
    case ColumnType::Integer:
    case ColumnType::SmallInt: {
        const QString t = isTextLike(value) ? value.toString().trimmed() : value.toString();
        const auto number = Decimal::parse(t);
        if (!number || !number->isWhole())
            mismatch(column, value);
        bool ok = false;
        const qlonglong n = number->toText().toLongLong(&ok);
        if (!ok)
            throw DbError(DbErrorNumber::Overflow, LayerSource, QStringLiteral("Overflow"));
        if (Schema::typeFromDeclared(declaredType) == ColumnType::SmallInt &&
            (n < std::numeric_limits<qint16>::min() || n > std::numeric_limits<qint16>::max()))
            throw DbError(DbErrorNumber::Overflow, LayerSource, QStringLiteral("Overflow"));
        return whole(n);
    }
    case ColumnType::Decimal: {
        const QString t = value.typeId() == QMetaType::Double ? decimalTextFromDouble(value.toDouble())
                                                              : value.toString().trimmed();
        const auto number = Decimal::parse(t);
        if (!number)
            mismatch(column, value);
        // Numeric affinity keeps whole numbers as integers and the rest as the nearest double,
        // whose shortest text is the decimal written.
        return text(number->toText());
    }
    }
    return e;
}

void bind(sqlite3_stmt* stmt, int param, const EngineValue& value)
{
    switch (value.storage) {
    case SQLITE_INTEGER: sqlite3_bind_int64(stmt, param, value.integer); break;
    case SQLITE_TEXT:
        sqlite3_bind_text(stmt, param, value.text.constData(), static_cast<int>(value.text.size()), SQLITE_TRANSIENT);
        break;
    default: sqlite3_bind_null(stmt, param); break;
    }
}

void bind(sqlite3_stmt* stmt, int param, const QVariant& value, const QString& declaredType, const QString& column)
{
    bind(stmt, param, toEngine(value, declaredType, column));
}

} // namespace ValueConversion
