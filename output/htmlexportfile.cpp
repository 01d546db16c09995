#include "output/htmlexportfile.h"

#include "output/exporterror.h"

namespace {

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

// Writes through `put(char)` and `put(std::string_view)`, so that the page file and a byte array share
// one encoder.
template <class Out>
void encodeWindows1252(Out& out, QStringView text)
{
    // Most of a page is ASCII: hand over each run of it in one go.
    const char16_t* chars = text.utf16();
    const qsizetype size = text.size();
    char run[256];
    qsizetype i = 0;
    while (i < size) {
        int n = 0;
        while (i < size && chars[i] < 0x80 && n < static_cast<int>(sizeof run))
            run[n++] = static_cast<char>(chars[i++]);
        if (n > 0) {
            out.put(std::string_view(run, static_cast<size_t>(n)));
            continue;
        }
        char32_t cp = text[i].unicode();
        if (QChar::isHighSurrogate(cp) && i + 1 < size && text[i + 1].isLowSurrogate()) {
            cp = QChar::surrogateToUcs4(text[i], text[i + 1]);
            ++i;
        }
        ++i;
        const int byte = windows1252Byte(cp);
        if (byte >= 0) {
            out.put(static_cast<char>(byte));
        } else {
            const QByteArray number = QByteArray::number(static_cast<quint32>(cp));
            out.put(std::string_view("&#"));
            out.put(std::string_view(number.constData(), static_cast<size_t>(number.size())));
            out.put(';');
        }
    }
}

struct ByteArrayOut {
    QByteArray& bytes;
    void put(char c) { bytes.append(c); }
    void put(std::string_view s) { bytes.append(s.data(), static_cast<qsizetype>(s.size())); }
};

struct PageOut {
    HtmlExportFile& file;
    void put(char c) { file.write(std::string_view(&c, 1)); }
    void put(std::string_view s) { file.write(s); }
};

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

HtmlExportFile::HtmlExportFile(const QString& path) : m_path(path), m_file(path)
{
    // Where the target already exists the old page stays until the new one is complete.
    m_file.setDirectWriteFallback(false);
    if (!m_file.open(QIODevice::WriteOnly))
        throw ExportError(ExportErrorNumber::FileAccess,
                          QStringLiteral("Path/File access error: ") + m_file.errorString());
    m_writer = std::make_unique<BackgroundFileWriter>(m_file);
}

HtmlExportFile::~HtmlExportFile()
{
    m_writer.reset();  // the file is the writer's until its thread has stopped
    if (m_file.isOpen())
        m_file.cancelWriting();
}

void HtmlExportFile::writeLine(QStringView line)
{
    writeText(line);
    write("\r\n");
}

void HtmlExportFile::writeText(QStringView text)
{
    PageOut out{*this};
    encodeWindows1252(out, text);
}

void HtmlExportFile::writeLarge(std::string_view bytes)
{
    // Fills the current block and hands it on, as often as the bytes need.
    while (bytes.size() > Capacity - m_used) {
        const size_t room = Capacity - m_used;
        std::memcpy(m_writer->block() + m_used, bytes.data(), room);
        m_used += room;
        bytes.remove_prefix(room);
        flush();
    }
    write(bytes);
}

void HtmlExportFile::flush()
{
    m_writer->hand(m_used);
    m_used = 0;
}

void HtmlExportFile::commit()
{
    flush();
    m_writer->finish();
    m_writer.reset();
    if (!m_file.commit())
        throw ExportError(ExportErrorNumber::FileAccess,
                          QStringLiteral("Path/File access error: ") + m_file.errorString());
}

QByteArray toWindows1252(QStringView text)
{
    QByteArray out;
    out.reserve(text.size());
    ByteArrayOut sink{out};
    encodeWindows1252(sink, text);
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
