#pragma once

#include "tender/comparison.h"

#include <QFutureWatcher>
#include <QMainWindow>
#include <memory>

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTabWidget;
class QTreeView;
class StatementFilter;
class StatementTable;

// The hospital's window: the tender it handed out, the files the suppliers returned, and the
// comparative statement of those files, with the supplier summary, the findings and the file list.
class frmOffice : public QMainWindow
{
    Q_OBJECT
public:
    explicit frmOffice(QWidget* parent = nullptr);
    ~frmOffice() override;

    // Opens the tender and compares the files as the buttons do, without the dialogs.
    void compareFiles(const QString& tenderFile, const QStringList& returnedFiles);
    bool busy() const;
    const Tender::Comparison& comparison() const { return m_comparison; }

signals:
    // The statement is on screen (or the files could not be compared, as a box said).
    void comparisonFinished();

private:
    void buildLayout();
    QTreeView* createList(const QString& name, StatementTable* table, StatementFilter* filter);
    void cmdTenderFile_Click();
    void cmdReturnedFiles_Click();
    void cmdReturnedFolder_Click();
    void cmdExport_Click();
    void cmdPreview_Click();
    void startComparing();
    void filesRead();
    void showComparison();
    void updateButtons();

    QLabel* m_lblTender = nullptr;
    QLabel* m_lblTenderFile = nullptr;
    QLabel* m_lblReturnedFiles = nullptr;
    QLabel* m_lblSummary = nullptr;
    QLabel* m_lblL1Total = nullptr;
    QPushButton* m_cmdTenderFile = nullptr;
    QPushButton* m_cmdReturnedFiles = nullptr;
    QPushButton* m_cmdReturnedFolder = nullptr;
    QPushButton* m_cmdExport = nullptr;
    QPushButton* m_cmdPreview = nullptr;
    QProgressBar* m_progress = nullptr;
    QLineEdit* m_txtFilter = nullptr;
    QTabWidget* m_tabs = nullptr;
    StatementTable* m_statement = nullptr;
    StatementTable* m_suppliers = nullptr;
    StatementTable* m_findings = nullptr;
    StatementTable* m_files = nullptr;
    StatementFilter* m_statementFilter = nullptr;

    QString m_tenderFile;
    QStringList m_returnedFiles;
    QString m_lastFolder;
    std::unique_ptr<Tender::HospitalTender> m_tender;
    QFutureWatcher<Tender::ReturnedFile> m_watcher;
    Tender::Comparison m_comparison;
};
