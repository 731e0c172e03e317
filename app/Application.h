#pragma once

#include <functional>

class QApplication;
class QObject;

// Sets the application up as the program runs it: its title, its font, the
// Dutch texts of Qt's standard dialogs and the message service on those
// dialogs. The caller keeps the application alive for as long as it runs.
void initialiseApplication(QApplication& application);

// A write beyond the file size limit (ulimit -f) then fails with an error
// that the save reports, instead of the signal ending the program and
// taking everything unsaved with it. Part of initialiseApplication.
void ignoreFileSizeSignal();

// Calls `opEinde` on the main thread when the program is asked to end from
// outside: SIGTERM (a logout or shutdown), SIGHUP (its terminal closed) or
// SIGINT (Ctrl+C). Without this, those signals end it on the spot, and with
// it every unsaved change. Lives as long as `ouder`.
void vangBeeindiging(QObject* ouder, std::function<void()> opEinde);
