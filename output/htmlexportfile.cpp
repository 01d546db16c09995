#include "output/htmlexportfile.h"

#include "output/exporterror.h"

namespace {

// Bytes gathered before they go to the file: few writes, little memory.
constexpr qsizetype FlushThreshold = 64 * 1024;

// The code points that Windows-1252 places at 0x80..0x9F (0 where the code page leaves the byte unused).
constexpr char16_t HighControlRange[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

int windows1252Byte(char32_t codePoint)
{
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF))
        return static_cast<int>(codePoint);
    for (int i = 0; i < 32; ++i)
        if (HighControlRange[i] != 0 && HighControlRange[i] == codePoint)
            return 0x80 + i;
    return -1;
}

void appendWindows1252(QByteArray& out, QStringView text)
{
    // Most of a page is ASCII: a leading run of it is copied in one go.
    const char16_t* chars = text.utf16();
    qsizetype i = 0;
    while (i < text.size() && chars[i] < 0x80)
        ++i;
    if (i > 0) {
        const qsizetype at = out.size();
        out.resize(at + i);
        char* dest = out.data() + at;
        for (qsizetype k = 0; k < i; ++k)
            dest[k] = static_cast<char>(chars[k]);
    }
    for (; i < text.size(); ++i) {
        char32_t cp = text[i].unicode();
        if (QChar::isHighSurrogate(cp) && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            cp = QChar::surrogateToUcs4(text[i], text[i + 1]);
            ++i;
        }
        const int byte = windows1252Byte(cp);
        if (byte >= 0) {
            out.append(static_cast<char>(byte));
        } else {
            out.append("&#");
            out.append(QByteArray::number(static_cast<quint32>(cp)));
            out.append(';');
        }
    }
}

} // namespace

qint64 ExportSaveFile::writeData(const char* data, qint64 len)
{
    qint64 done = 0;
    while (done < len) {
        const qint64 n = QSaveFile::writeData(data + done, len - done);
        if (n < 0)
            return -1;  // the error, and its reason, are set
        if (n == 0)
            break;
        done += n;
    }
    return done;
}

HtmlExportFile::HtmlExportFile(const QString& path) : m_file(path)
{
    // Where the target already exists the old page stays until the new one is complete.
    m_file.setDirectWriteFallback(false);
    if (!m_file.open(QIODevice::WriteOnly))
        throw ExportError(ExportErrorNumber::FileAccess,
                          QStringLiteral("Path/File access error: ") + m_file.errorString());
}

HtmlExportFile::~HtmlExportFile()
{
    if (m_file.isOpen())
        m_file.cancelWriting();
}

void HtmlExportFile::writeLine(QStringView line)
{
    appendWindows1252(m_buffer, line);
    m_buffer.append("\r\n");
    if (m_buffer.size() >= FlushThreshold)
        flush();
}

void HtmlExportFile::flush()
{
    if (m_buffer.isEmpty())
        return;
    if (m_file.write(m_buffer) != m_buffer.size())
        throw ExportError(ExportErrorNumber::FileAccess,
                          QStringLiteral("Path/File access error: ") + m_file.errorString());
    m_buffer.clear();
}

void HtmlExportFile::commit()
{
    flush();
    // QSaveFile syncs the temporary file to the disk before it renames it over the target, so a
    // crash just after the export cannot leave an empty or partial page under the vendor's name.
    if (!m_file.commit())
        throw ExportError(ExportErrorNumber::FileAccess,
                          QStringLiteral("Path/File access error: ") + m_file.errorString());
}

QByteArray toWindows1252(QStringView text)
{
    QByteArray out;
    out.reserve(text.size());
    appendWindows1252(out, text);
    return out;
}

QString htmlEscape(const QString& text)
{
    if (!text.contains(QLatin1Char('&')) && !text.contains(QLatin1Char('<')) && !text.contains(QLatin1Char('>')))
        return text;
    QString out;
    out.reserve(text.size() + 16);
    for (const QChar c : text) {
        if (c == QLatin1Char('&'))
            out += QLatin1String("&amp;");
        else if (c == QLatin1Char('<'))
            out += QLatin1String("&lt;");
        else if (c == QLatin1Char('>'))
            out += QLatin1String("&gt;");
        else
            out += c;
    }
    return out;
}

QString htmlText(const QVariant& value)
{
    if (value.isNull())
        return QString();
    return htmlEscape(value.toString());
}

void writePageHead(HtmlExportFile& file, QStringView htmlTag, const QString& fullPath, QStringView bodyTag)
{
    file.writeLine(htmlTag);
    file.writeLine(u"<head>");
    file.writeLine(u"<meta NAME='GENERATOR' Content='KLMT Quillbid'>");
    file.writeLine(QStringLiteral("<title>KLMT Quillbid - ") + htmlEscape(fullPath) + QStringLiteral("</title>"));
    file.writeLine(u"<style>");
    file.writeLine(QStringLiteral("body{") + QStringLiteral("FONT-FAMILY: arial;") + QStringLiteral("}"));
    file.writeLine(u"</style>");
    file.writeLine(u"</head>");
    file.writeLine(bodyTag);
}
