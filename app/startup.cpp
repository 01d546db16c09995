#include "app/startup.h"

#include "app/applicationstate.h"
#include "app/loadapplicationstate.h"
#include "app/defaultinstance.h"
#include "app/frmMain.h"
#include "app/messagebox.h"
#include "app/screenconventions.h"
#include "app/singleinstance.h"
#include "db/tenderdatabase.h"
#include "db/tenderfilecheck.h"

#include <QApplication>
#include <QDir>

QString alreadyRunningText()
{
    return QStringLiteral("Pharmacy Quillbid is already running\r\n"
                          "If it is not present at the tarkbar, press Ctrl+Alt+Del and End Task");
}

QString lockNotMadeText(const QString& lockPath, const QString& reason)
{
    return QStringLiteral("Pharmacy Quillbid cannot start: its lock file %1 cannot be made (%2).\r\n"
                          "Make room on the disk, or let this user write in the folder, then start again.")
        .arg(QDir::toNativeSeparators(lockPath), reason);
}

bool startApplication(const QString& applicationFolder, std::unique_ptr<SingleInstanceGuard>& guard)
{
    guard = std::make_unique<SingleInstanceGuard>(applicationFolder);
    switch (guard->outcome()) {
    case SingleInstanceGuard::Outcome::Acquired:
        break;
    case SingleInstanceGuard::Outcome::HeldByAnother:
        showMessage(nullptr, QLatin1String(AlreadyRunningTitle), alreadyRunningText(), QMessageBox::Information);
        guard.reset();
        return false;
    case SingleInstanceGuard::Outcome::CannotLock:
        // Not a second copy: saying "already running" here would send the vendor hunting for one.
        showMessage(nullptr, QLatin1String(StartupErrorTitle), lockNotMadeText(guard->path(), guard->reason()),
                    QMessageBox::Critical);
        guard.reset();
        return false;
    }
    AppState::reset(applicationFolder);
    // A file that cannot serve is named once, here, and the application ends: started on it, every
    // screen would only repeat the engine's words.
    const TenderFileCheck::Result file = TenderFileCheck::check(AppState::ConnectionString);
    if (!file.ok()) {
        showMessage(nullptr, QLatin1String(StartupErrorTitle), TenderFileCheck::problemText(file), QMessageBox::Critical);
        guard.reset();
        return false;
    }
    LoadApplicationState();
    DefaultInstance<frmMain>::get().show();
    return true;
}

int runQuillbid(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillbid"));
    installScreenConventions();
    std::unique_ptr<SingleInstanceGuard> guard;
    if (!startApplication(QCoreApplication::applicationDirPath(), guard))
        return 0;
    const int result = QApplication::exec();
    TenderDatabase::closeConnection();
    return result;
}
