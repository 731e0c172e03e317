#include "ui/Scherm.h"

#include <QApplication>
#include <QScreen>
#include <QWidget>

void centreerOpScherm(QWidget* venster) {
    const QWidget* eigenaar = venster->parentWidget();
    const QScreen* scherm = eigenaar ? eigenaar->screen() : QApplication::primaryScreen();
    if (!scherm)
        return;
    // The frame is only known once the window exists.
    venster->winId();
    QRect plaats(QPoint(), venster->frameGeometry().size());
    plaats.moveCenter(scherm->availableGeometry().center());
    venster->move(plaats.topLeft());
}

int naTekst(const QWidget* label, int ontwerpLinks) {
    constexpr int Tussenruimte = 4;
    const int einde = label->x() + label->sizeHint().width();
    return einde <= ontwerpLinks ? ontwerpLinks : einde + Tussenruimte;
}
