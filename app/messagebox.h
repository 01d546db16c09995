#pragma once

#include "app/seam.h"

#include <QMessageBox>
#include <QString>

class DbError;

// Every message box of the application goes through showMessage. It builds a real QMessageBox with the
// given title, text, icon, buttons and default button and returns the button pressed; tests replace the
// last step (running it) with a scripted answer and keep a record of every box.
struct MessageBoxSeamTag {
    static QMessageBox::StandardButton platform(QMessageBox& box);
};
using MessageBoxSeam = Seam<MessageBoxSeamTag, QMessageBox::StandardButton(QMessageBox&)>;

QMessageBox::StandardButton showMessage(QWidget* parent, const QString& title, const QString& text,
                                        QMessageBox::Icon icon,
                                        QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                                        QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);

// Title "Info", information icon, OK: notices and refusals.
void showInfo(QWidget* parent, const QString& text);
// Title "Confirm", Yes/No, question icon; true on Yes. Some questions make No the default.
bool askConfirm(QWidget* parent, const QString& text, bool noIsDefault = false);
// The error box of the data operations: "Error #" + number + " was generated at location " + source +
// CR + description, title "Error", information icon; the pointer is set back to the default first.
void ShowDbError(const DbError& error, QWidget* parent = nullptr);
QString dbErrorText(const DbError& error);
