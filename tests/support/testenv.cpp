#include "tests/support/testenv.h"

#include "app/applicationstate.h"
#include "app/defaultinstance.h"
#include "app/frmMain.h"
#include "db/recordset.h"
#include "db/tenderbuilder.h"
#include "db/tenderdatabase.h"
#include "output/reportrenderer.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QDialog>
#include <QPushButton>
#include <QTimer>
#include <memory>
#include <sqlite3.h>

TestFolder::TestFolder(Content content)
{
    TenderDatabase::closeConnection();
    if (content == Content::Demo)
        QFile::copy(QStringLiteral(QUILLBID_DEMO_DB), databasePath());
    else if (content == Content::Empty)
        TenderBuilder::buildEmpty(databasePath());
    QFile::setPermissions(databasePath(), QFile::ReadOwner | QFile::WriteOwner);
    AppState::reset(path());
}

TestFolder::~TestFolder()
{
    TenderDatabase::closeConnection();
}

QString TestFolder::databasePath() const
{
    return m_dir.filePath(QLatin1String(TenderDatabase::FileName));
}

void TestFolder::exec(const QString& sql) const
{
    sqlite3* db = TenderDatabase::connection(AppState::ConnectionString);
    char* error = nullptr;
    if (sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &error) != SQLITE_OK) {
        const QString message = QString::fromUtf8(error);
        sqlite3_free(error);
        qFatal("test SQL failed: %s: %s", qPrintable(sql), qPrintable(message));
    }
}

QString TestFolder::scalar(const QString& sql) const
{
    Recordset rs(sql, AppState::ConnectionString, CursorType::Static, LockType::ReadOnly);
    return rs.eof() ? QString() : rs.field(0).toString();
}

int TestFolder::count(const QString& table, const QString& where) const
{
    return scalar(QStringLiteral("Select Count(*) From ") + table + (where.isEmpty() ? QString() : QStringLiteral(" Where ") + where)).toInt();
}

MessageBoxScript::MessageBoxScript()
    : m_override([this](QMessageBox& box) {
          RecordedBox r{box.windowTitle(), box.text(), box.icon(), box.standardButtons(),
                        box.defaultButton() ? box.standardButton(box.defaultButton()) : QMessageBox::NoButton,
                        box.textFormat()};
          m_boxes.push_back(r);
          if (!m_answers.empty()) {
              const QMessageBox::StandardButton a = m_answers.front();
              m_answers.pop_front();
              return a;
          }
          return r.defaultButton != QMessageBox::NoButton ? r.defaultButton : QMessageBox::Ok;
      })
{
}

QStringList MessageBoxScript::texts() const
{
    QStringList t;
    for (const RecordedBox& b : m_boxes)
        t << b.text;
    return t;
}

SaveFileScript::SaveFileScript()
    : m_override([this](const SaveFileRequest& request) {
          m_requests.push_back(request);
          if (m_answers.empty())
              return QString();
          QString a = m_answers.front();
          m_answers.pop_front();
          return a;
      })
{
}

DocumentOpenerScript::DocumentOpenerScript()
    : m_override([this](const QString& path) {
          opened << path;
          return succeed;
      })
{
}

ReportPreviewScript::ReportPreviewScript(QString pdfFolder)
    : m_folder(std::move(pdfFolder)), m_override([this](const ReportPreviewRequest& request) {
          titles << request.title;
          orientations << request.report->pageLayout().orientation();
          const QString file = m_folder + QStringLiteral("/preview-%1.pdf").arg(pdfFiles.size() + 1);
          writeReportPdf(*request.report, file);
          pdfFiles << file;
      })
{
}

void whenModal(std::function<void(QWidget*)> action, int timeoutMs)
{
    auto* timer = new QTimer;
    auto waited = std::make_shared<int>(0);
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, waited, action, timeoutMs] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal->isVisible()) {
            timer->stop();
            timer->deleteLater();
            action(modal);
            return;
        }
        *waited += 10;
        if (*waited > timeoutMs) {
            timer->stop();
            timer->deleteLater();
            qWarning("whenModal: no modal window appeared");
        }
    });
    timer->start();
}

QList<QWidget*> visibleTopLevels()
{
    QList<QWidget*> shown;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible())
            shown << w;
    return shown;
}

QString modalOpenedBy(const std::function<void()>& trigger, int timeoutMs)
{
    QString name;
    whenModal(
        [&name](QWidget* w) {
            name = w->objectName();
            if (auto* dialog = qobject_cast<QDialog*>(w))
                dialog->reject();
            else
                w->close();
        },
        timeoutMs);
    trigger();
    return name;
}

QStringList crlfLines(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QByteArray bytes = f.readAll();
    if (!bytes.endsWith("\r\n"))
        return {QStringLiteral("<file does not end with CR LF>")};
    bytes.chop(2);
    return QString::fromLatin1(bytes).split(QStringLiteral("\r\n"));
}

QString pdfText(const QString& pdf, bool layout)
{
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (tool.isEmpty())
        qFatal("pdftotext is missing: run scripts/install-deps.sh");
    QStringList args{QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdf, QStringLiteral("-")};
    if (layout)
        args.prepend(QStringLiteral("-layout"));
    QProcess p;
    p.start(tool, args);
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

void closeWindowsMenuLast()
{
    for (QWidget* w : visibleTopLevels())
        if (w != DefaultInstance<frmMain>::existing())
            w->close();
    if (frmMain* menu = DefaultInstance<frmMain>::existing())
        menu->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
