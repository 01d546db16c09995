#pragma once

#include "app/messagebox.h"
#include "app/platformseams.h"

#include <QApplication>
#include <QPageLayout>
#include <QString>
#include <QTemporaryDir>
#include <QWidget>
#include <deque>
#include <functional>
#include <vector>

// A fresh application folder for one test: a temporary folder holding a copy of the demo tender
// database (or an empty one), with the Application State pointed at it.
class TestFolder
{
public:
    enum class Content { Demo, Empty, None };
    explicit TestFolder(Content content = Content::Demo);
    ~TestFolder();
    QString path() const { return m_dir.path(); }
    QString databasePath() const;
    QString filePath(const QString& name) const { return m_dir.filePath(name); }
    // Runs SQL straight on the test database (for arranging and checking rows).
    void exec(const QString& sql) const;
    // The first column of the first row of a query, as text ("" for Null or no row).
    QString scalar(const QString& sql) const;
    int count(const QString& table, const QString& where = QString()) const;

private:
    QTemporaryDir m_dir;
};

// Every message box shown while it lives is recorded instead of shown, and answered from a queue
// (or with the box's default button, OK when it has none).
struct RecordedBox {
    QString title;
    QString text;
    QMessageBox::Icon icon;
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton defaultButton;
    Qt::TextFormat textFormat;
};

class MessageBoxScript
{
public:
    MessageBoxScript();
    void answer(QMessageBox::StandardButton button) { m_answers.push_back(button); }
    const std::vector<RecordedBox>& boxes() const { return m_boxes; }
    int count() const { return static_cast<int>(m_boxes.size()); }
    const RecordedBox& last() const { return m_boxes.back(); }
    QStringList texts() const;
    void clear() { m_boxes.clear(); }

private:
    std::vector<RecordedBox> m_boxes;
    std::deque<QMessageBox::StandardButton> m_answers;
    MessageBoxSeam::Override m_override;
};

class SaveFileScript
{
public:
    SaveFileScript();
    void answer(const QString& path) { m_answers.push_back(path); }
    const std::vector<SaveFileRequest>& requests() const { return m_requests; }

private:
    std::vector<SaveFileRequest> m_requests;
    std::deque<QString> m_answers;
    SaveFileDialogSeam::Override m_override;
};

class DocumentOpenerScript
{
public:
    DocumentOpenerScript();
    QStringList opened;
    bool succeed = true;

private:
    DocumentOpenerSeam::Override m_override;
};

// Records each preview's title and page orientation and saves its pages as a PDF file the test can read.
class ReportPreviewScript
{
public:
    explicit ReportPreviewScript(QString pdfFolder);
    QStringList titles;
    QList<QPageLayout::Orientation> orientations;
    QStringList pdfFiles;

private:
    QString m_folder;
    ReportPreviewSeam::Override m_override;
};

// A control by its objectName below `root` (control arrays as "cmdMaster(1)"); fails the test when missing.
template <typename T>
T* control(const QObject* root, const QString& name)
{
    T* found = root->findChild<T*>(name);
    if (!found)
        qFatal("control %s not found", qPrintable(name));
    return found;
}

// Runs `action` on the next modal window once it is up (while the code under test waits in it).
void whenModal(std::function<void(QWidget*)> action, int timeoutMs = 5000);
// Top-level widgets still alive (for leak checks after a test).
QList<QWidget*> visibleTopLevels();
// The objectName of the modal window that `trigger` opens, which is then closed (a dialog rejected);
// empty when none opened.
QString modalOpenedBy(const std::function<void()>& trigger, int timeoutMs = 5000);
// A text file cut at CR LF, as the program writes its pages; a file that does not end with CR LF
// reads as one line saying so, and a missing file as none.
QStringList crlfLines(const QString& path);
// The text of a PDF as a reader sees it (pdftotext), pages separated by form feeds; `layout` keeps
// the printed columns.
QString pdfText(const QString& pdf, bool layout = false);
// Closes every window a test left open, the main menu last (closing it first would end the others'
// parent), and lets the closed ones be deleted.
void closeWindowsMenuLast();
