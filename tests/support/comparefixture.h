#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// A small known tender and the files three suppliers returned for it, plus one refused file of each
// kind, in a temporary folder. Worked by hand in tst_compare.
class CompareFixture
{
public:
    CompareFixture();
    QString hospital() const { return m_dir.filePath(QStringLiteral("Hospital.klmt")); }
    QString file(const QString& name) const { return m_dir.filePath(name); }
    QString folder() const { return m_dir.filePath(QStringLiteral("returned")); }
    // The returned files in the order they are compared (the folder's files by name).
    QStringList returnedFiles() const;
    // Runs SQL on any tender file.
    static void exec(const QString& path, const QString& sql);

private:
    QTemporaryDir m_dir;
};
