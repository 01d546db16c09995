#pragma once

#include <QByteArray>
#include <QSaveFile>
#include <QString>
#include <QStringView>
#include <QVariant>

// The page's file. A write that the system cuts short (the disk filled part-way through a block)
// is tried again for the rest, so that the failure comes back with the system's reason ("No space
// left on device") instead of a bare short count that reads as "Unknown error".
class ExportSaveFile : public QSaveFile
{
public:
    using QSaveFile::QSaveFile;

protected:
    qint64 writeData(const char* data, qint64 len) override;
};

// An HTML page being written line by line: 8-bit text in the Windows-1252 code page, every line ended
// by CR LF. The lines go to a temporary file beside the target, which replaces the target only when
// commit() is reached; an export that fails or is abandoned half-way leaves whatever was at the target
// before untouched instead of a truncated page.
class HtmlExportFile
{
public:
    // Throws ExportError when the temporary file cannot be created.
    explicit HtmlExportFile(const QString& path);
    ~HtmlExportFile();  // without commit(), the temporary file is removed
    HtmlExportFile(const HtmlExportFile&) = delete;
    HtmlExportFile& operator=(const HtmlExportFile&) = delete;

    // Throws ExportError when the file cannot take the bytes.
    void writeLine(QStringView line);
    // Moves the finished page into place, once it is on the disk. Throws ExportError when that fails.
    void commit();

private:
    void flush();

    ExportSaveFile m_file;
    QByteArray m_buffer;
};

// Text for the page in Windows-1252: a character the code page lacks becomes a numeric character
// reference ("&#1488;"), so a name in another script prints as typed rather than as question marks.
QByteArray toWindows1252(QStringView text);

// A database text as page content: Null is empty, and &, < and > are escaped so that a name such as
// "Vitamin A <5000 IU>" prints as typed instead of being taken for markup.
QString htmlText(const QVariant& value);
QString htmlEscape(const QString& text);

// The opening lines that every exported page shares, up to and including the body tag; the title
// names the page's own full path.
void writePageHead(HtmlExportFile& file, QStringView htmlTag, const QString& fullPath, QStringView bodyTag);

// How far an export has come, for the screen's progress bar. The writers know nothing of widgets.
class ExportProgress
{
public:
    virtual ~ExportProgress() = default;
    virtual void start(int maximum) = 0;
    virtual void advance() = 0;
};
