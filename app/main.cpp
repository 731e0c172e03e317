#include "app/Application.h"
#include "app/MainForm.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    initialiseApplication(application);
    TMainForm mainForm;
    mainForm.show();
    // A tournament that was not saved when the program last ended is offered.
    mainForm.BiedHerstelAan();
    return QApplication::exec();
}
