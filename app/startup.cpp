#include "app/startup.h"

#include "app/applicationstate.h"
#include "app/loadapplicationstate.h"
#include "app/defaultinstance.h"
#include "app/frmMain.h"
#include "app/messagebox.h"
#include "app/screenconventions.h"
#include "app/singleinstance.h"
#include "db/tenderdatabase.h"

#include <QApplication>

QString alreadyRunningText()
{
    return QStringLiteral("Pharmacy Quillbid is already running\r\n"
                          "If it is not present at the tarkbar, press Ctrl+Alt+Del and End Task");
}

bool startApplication(const QString& applicationFolder, std::unique_ptr<SingleInstanceGuard>& guard)
{
    guard = std::make_unique<SingleInstanceGuard>(applicationFolder);
    if (!guard->acquired()) {
        showMessage(nullptr, QLatin1String(AlreadyRunningTitle), alreadyRunningText(), QMessageBox::Information);
        guard.reset();
        return false;
    }
    AppState::reset(applicationFolder);
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
