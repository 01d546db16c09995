#include "output/qtyreqdocument.h"

#include "app/platformseams.h"

#include <QDir>
#include <QFileInfo>

namespace QtyReqDocument {

QString path(const QString& applicationFolder)
{
    return QDir(applicationFolder).filePath(QLatin1String(FileName));
}

int open(const QString& applicationFolder)
{
    // The viewer would report these itself in its own words; looking first gives the vendor ours.
    if (applicationFolder.isEmpty() || !QFileInfo(applicationFolder).isDir())
        return PathNotFound;
    const QString file = path(applicationFolder);
    if (!QFileInfo(file).isFile())
        return FileNotFound;
    return DocumentOpenerSeam::call(file) ? Opened : NoAssociation;
}

QString resultMessage(int result)
{
    switch (result) {
    case 0: return QStringLiteral("System was out of memory, executable file was corrupt, or relocations were invalid.");
    case 2: return QStringLiteral("File was not found.");
    case 3: return QStringLiteral("Path was not found.");
    case 5: return QStringLiteral("Attempt was made to dynamically link to a task, or there was a sharing or network-protection error.");
    case 6: return QStringLiteral("Library required separate data segments for each task.");
    case 8: return QStringLiteral("There was insufficient memory to start the application.");
    case 10: return QStringLiteral("Windows version was incorrect.");
    case 11: return QStringLiteral("Executable file was invalid. Either it was not a Windows application, or there was an error in the .exe image.");
    case 12: return QStringLiteral("Application was designed for a different operating system.");
    case 13: return QStringLiteral("Application was designed for MS-DOS 4.0.");
    case 14: return QStringLiteral("Type of executable file was unknown.");
    case 15: return QStringLiteral("Attempt was made to load a real-mode application (developed for an earlier version of Windows).");
    case 16: return QStringLiteral("Attempt was made to load a second instance of an executable file containing multiple data segments that were not marked read-only.");
    case 19: return QStringLiteral("Attempt was made to load a compressed executable file. The file must be decompressed before it can be loaded.");
    case 20: return QStringLiteral("Dynamic-link library (DLL) file was invalid. One of the DLLs required to run this application was corrupt.");
    case 21: return QStringLiteral("Application requires Microsoft Windows 32-bit extensions.");
    default: return QString();
    }
}

} // namespace QtyReqDocument
