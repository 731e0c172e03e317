#include "app/Help.h"
#include "app/HelpVenster.h"

#include <QApplication>
#include <QWidget>

// Minimal help system; the help window comes with the help pages.
void setHelpContext(QWidget* widget, int context) {
    widget->setProperty("helpContext", context);
}

int helpContextOf(const QWidget* widget) {
    for (; widget; widget = widget->parentWidget()) {
        const int context = widget->property("helpContext").toInt();
        if (context > 0)
            return context;
    }
    return 0;
}

THelp::THelp(QObject* parent)
    : QObject(parent) {}
THelp::~THelp() = default;
void THelp::ToonStandaard() {}
void THelp::ToonContext(int) {}
void THelp::SluitAlles() {}
bool THelp::eventFilter(QObject* watched, QEvent* event) {
    return QObject::eventFilter(watched, event);
}
THelpVenster::THelpVenster(QWidget* parent) : QWidget(parent, Qt::Window) {}
