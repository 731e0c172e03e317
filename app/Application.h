#pragma once

class QApplication;

// Sets the application up as the program runs it: its title, its font, the
// Dutch texts of Qt's standard dialogs and the message service on those
// dialogs. The caller keeps the application alive for as long as it runs.
void initialiseApplication(QApplication& application);
