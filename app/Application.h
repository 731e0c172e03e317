#pragma once

class QApplication;

// Sets the application up as the program runs it: its title, its font, the
// Dutch texts of Qt's standard dialogs and the message service on those
// dialogs. The caller keeps the application alive for as long as it runs.
void initialiseApplication(QApplication& application);

// A write beyond the file size limit (ulimit -f) then fails with an error
// that the save reports, instead of the signal ending the program and
// taking everything unsaved with it. Part of initialiseApplication.
void ignoreFileSizeSignal();
