#pragma once

#include <QString>
#include <memory>

class SingleInstanceGuard;

inline constexpr const char* AlreadyRunningTitle = "Information";
QString alreadyRunningText();
// Title of the boxes that end start-up because the lock file or the tender file cannot serve.
inline constexpr const char* StartupErrorTitle = "Error";

QString lockNotMadeText(const QString& lockPath, const QString& reason);

// Start-up in order: refuse a second copy, build the connection string, load the Application State,
// show the main menu. Returns false, after telling the vendor why, when another copy runs, when the
// lock file cannot be made, or when the tender file is missing, damaged or not a tender file.
// The caller keeps `guard` alive for as long as the application runs.
bool startApplication(const QString& applicationFolder, std::unique_ptr<SingleInstanceGuard>& guard);

// The program: a QApplication, start-up, then the event loop until the main menu closes.
int runQuillbid(int argc, char* argv[]);
