#include "db/backupcopy.h"

#include "db/dberror.h"
#include "db/tenderdatabase.h"

#include <QFile>
#include <filesystem>
#include <sqlite3.h>
#include <system_error>

namespace {

struct BackupFinisher {
    void operator()(sqlite3_backup* b) const { sqlite3_backup_finish(b); }
};

// Removes the temporary file unless it was moved into place.
struct TemporaryCopy {
    QString path;
    bool kept = false;
    ~TemporaryCopy()
    {
        if (!kept)
            QFile::remove(path);
    }
};

} // namespace

void writeBackupCopy(sqlite3* source, const QString& path, const QString& password)
{
    TemporaryCopy temp{path + QStringLiteral(".part")};
    QFile::remove(temp.path);
    {
        // The destination is keyed before its first page is written, so the pages arrive encrypted
        // with the same key and page layout as the source's.
        const TenderDatabase::DatabaseHandle target = TenderDatabase::openKeyed(temp.path, password, true);
        std::unique_ptr<sqlite3_backup, BackupFinisher> backup(sqlite3_backup_init(target.get(), "main", source, "main"));
        if (!backup)
            TenderDatabase::raiseEngineError(target.get(), sqlite3_errcode(target.get()));
        const int rc = sqlite3_backup_step(backup.get(), -1);
        if (rc != SQLITE_DONE)
            TenderDatabase::raiseEngineError(target.get(), rc);
        const int finished = sqlite3_backup_finish(backup.release());
        if (finished != SQLITE_OK)
            TenderDatabase::raiseEngineError(target.get(), finished);
    }
    // rename() replaces a file the vendor chose to overwrite in one step.
    std::error_code error;
    std::filesystem::rename(QFile::encodeName(temp.path).constData(), QFile::encodeName(path).constData(), error);
    if (error)
        throw DbError(error.value(), QStringLiteral("Backup Copy"),
                      QStringLiteral("Could not write '%1': %2").arg(path, QString::fromLocal8Bit(error.message().c_str())));
    temp.kept = true;
}
