#include "app/messagebox.h"

#include "app/busycursor.h"
#include "db/dberror.h"

QMessageBox::StandardButton MessageBoxSeamTag::platform(QMessageBox& box)
{
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

QMessageBox::StandardButton showMessage(QWidget* parent, const QString& title, const QString& text,
                                        QMessageBox::Icon icon, QMessageBox::StandardButtons buttons,
                                        QMessageBox::StandardButton defaultButton)
{
    QMessageBox box(icon, title, text, buttons, parent);
    box.setObjectName(QStringLiteral("MessageBox"));
    // Texts carry names the vendor typed or the hospital shipped; a brand called "<b>x</b>" must show
    // its tags, not turn the box bold.
    box.setTextFormat(Qt::PlainText);
    if (defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(defaultButton);
    return MessageBoxSeam::call(box);
}

void showInfo(QWidget* parent, const QString& text)
{
    showMessage(parent, QStringLiteral("Info"), text, QMessageBox::Information);
}

bool askConfirm(QWidget* parent, const QString& text, bool noIsDefault)
{
    return showMessage(parent, QStringLiteral("Confirm"), text, QMessageBox::Question,
                       QMessageBox::Yes | QMessageBox::No, noIsDefault ? QMessageBox::No : QMessageBox::Yes) ==
           QMessageBox::Yes;
}

QString dbErrorText(const DbError& error)
{
    return QStringLiteral("Error #") + QString::number(error.number()) + QStringLiteral(" was generated at location ") +
           error.source() + QLatin1Char('\r') + error.description();
}

void ShowDbError(const DbError& error, QWidget* parent)
{
    BusyCursor::restoreAll();
    showMessage(parent, QStringLiteral("Error"), dbErrorText(error), QMessageBox::Information);
}
