#pragma once

#include <QString>

// The hospital's ready PDF of the quantities required per year, opened in the system's viewer.
// The outcome is told as the numbers the shell's open operation returns, so that each condition maps
// to its message: above 32 success, 2 the file is missing, 3 the folder is missing, 31 no viewer.
namespace QtyReqDocument {

inline constexpr const char* FileName = "CT_QtyReq.pdf";
inline constexpr int FileNotFound = 2;
inline constexpr int PathNotFound = 3;
inline constexpr int NoAssociation = 31;
inline constexpr int Opened = 42;

QString path(const QString& applicationFolder);
// Asks the document opener for the file; returns the result number.
int open(const QString& applicationFolder);
// The message for a result, or an empty text when the result has none (success and the rest).
QString resultMessage(int result);

} // namespace QtyReqDocument
