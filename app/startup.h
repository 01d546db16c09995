#pragma once

#include <QString>
#include <memory>

class SingleInstanceGuard;

inline constexpr const char* AlreadyRunningTitle = "Information";
QString alreadyRunningText();

// Start-up in order: refuse a second copy, build the connection string, load the Application State,
// show the main menu. Returns false when another copy runs (after telling the vendor so).
// The caller keeps `guard` alive for as long as the application runs.
bool startApplication(const QString& applicationFolder, std::unique_ptr<SingleInstanceGuard>& guard);

// The program: a QApplication, start-up, then the event loop until the main menu closes.
int runQuillbid(int argc, char* argv[]);
