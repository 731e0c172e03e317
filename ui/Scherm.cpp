#include "ui/Scherm.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QWidget>
#include <QtMath>

#include <algorithm>
#include <cstring>

namespace {

// Rounded down in size, so that controls designed edge to edge still share
// no more than their one pixel of border.
QRect geschaald(QRect r, double factor) {
    return {qRound(r.x() * factor), qRound(r.y() * factor), qFloor(r.width() * factor),
            qFloor(r.height() * factor)};
}

// The controls a window's design placed: its children, and the children of
// its plain panels; the inner parts of Qt's own controls (a combo box's
// field, a list's viewport) follow their control.
void groeiKinderen(QWidget* ouder, double factor) {
    for (QObject* object : ouder->children()) {
        auto* kind = qobject_cast<QWidget*>(object);
        if (!kind || kind->isWindow() || kind->objectName().startsWith(QLatin1String("qt_")))
            continue;
        const QRect plaats = geschaald(kind->geometry(), factor);
        const auto* label = qobject_cast<QLabel*>(kind);
        if (label && !label->wordWrap() && kind->size() == label->sizeHint())
            kind->setGeometry(QRect(plaats.topLeft(), label->sizeHint()));
        else
            kind->setGeometry(plaats);
        const char* klasse = kind->metaObject()->className();
        if (std::strcmp(klasse, "QFrame") == 0 || std::strcmp(klasse, "QWidget") == 0)
            groeiKinderen(kind, factor);
    }
}

} // namespace

double lettertypeFactor(const QWidget* venster) {
    // The program sets its font in points: the desktop's font resolution is
    // what makes it larger.
    const double factor = venster->logicalDpiY() / 96.0;
    // Small differences are the design's own margins' business.
    return factor < 1.05 ? 1.0 : factor;
}

int naarLettertype(const QWidget* venster, int ontwerp) {
    return qRound(ontwerp * lettertypeFactor(venster));
}

void groeiMetLettertype(QWidget* venster) {
    const double factor = lettertypeFactor(venster);
    if (factor == 1.0)
        return;
    groeiKinderen(venster, factor);
    const QSize grootte = geschaald(QRect(QPoint(), venster->size()), factor).size();
    if (venster->minimumSize() == venster->maximumSize()) {
        venster->setFixedSize(grootte);
        return;
    }
    venster->setMinimumSize(geschaald(QRect(QPoint(), venster->minimumSize()), factor).size());
    venster->resize(grootte);
}

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

QMargins vensterRand(const QWidget* venster, const QWidget* voorbeeld) {
    for (const QWidget* w : {venster, voorbeeld}) {
        if (!w || !w->isVisible())
            continue;
        const QRect buiten = w->frameGeometry();
        const QRect binnen = w->geometry();
        return {binnen.left() - buiten.left(), binnen.top() - buiten.top(),
                buiten.right() - binnen.right(), buiten.bottom() - binnen.bottom()};
    }
    return {};
}

QRect kader(const QWidget* venster, QMargins rand) {
    if (venster->isVisible())
        return venster->frameGeometry();
    return QRect(venster->pos(), venster->size().grownBy(rand));
}

void plaatsKader(QWidget* venster, QPoint plaats, QMargins rand) {
    const QScreen* scherm = QGuiApplication::screenAt(plaats);
    if (!scherm)
        scherm = venster->screen() ? venster->screen() : QGuiApplication::primaryScreen();
    if (!scherm) {
        venster->move(plaats);
        return;
    }
    const QRect ruimte = scherm->availableGeometry();
    const QSize buiten = venster->size().grownBy(rand).boundedTo(ruimte.size());
    const QSize binnen = buiten.shrunkBy(rand).expandedTo(venster->minimumSize());
    if (binnen != venster->size())
        venster->resize(binnen);
    const int x =
        std::max(ruimte.left(), std::min(plaats.x(), ruimte.right() + 1 - buiten.width()));
    const int y =
        std::max(ruimte.top(), std::min(plaats.y(), ruimte.bottom() + 1 - buiten.height()));
    venster->move(x, y);
}

int naTekst(const QWidget* label, int ontwerpLinks) {
    constexpr int Tussenruimte = 4;
    const int einde = label->x() + label->sizeHint().width();
    return einde <= ontwerpLinks ? ontwerpLinks : einde + Tussenruimte;
}
