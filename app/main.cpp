#include "app/Application.h"
#include "app/MainForm.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    initialiseApplication(application);
    TMainForm mainForm;
    mainForm.show();
    return QApplication::exec();
}
