#include "app/Opdrachtregel.h"

#include "app/MainForm.h"

namespace {

const QString Hulptekst =
    QStringLiteral("Gebruik: zegerooster [optie] [toernooibestand]\n"
                   "\n"
                   "Zegerooster plant toernooien: poules, en daarna een winnaars- en een\n"
                   "verliezersronde met knockoutwedstrijden.\n"
                   "\n"
                   "Met een toernooibestand, bijvoorbeeld \"zegerooster toernooi.txt\", opent\n"
                   "Zegerooster dat toernooi zoals \"Open toernooi\" het doet.\n"
                   "\n"
                   "Opties:\n"
                   "  -h, --help      toont deze hulp en stopt\n"
                   "  -v, --version   toont het versienummer en stopt\n");

const QString ZieHulp = QStringLiteral("Typ \"zegerooster --help\" voor de mogelijkheden.\n");

// Qt's own options, which the window system takes out once it starts; the
// command line is read before that, so that a wrong option is answered
// without a display. Qt takes them with one dash or two.
const QStringList QtOptiesMetWaarde =
    QStringLiteral("-platform -platformpluginpath -platformtheme -plugin -qwindowgeometry "
                   "-qwindowicon -qwindowtitle -style -stylesheet -session -display -geometry "
                   "-title -name -visual -ncols -cmap -qmljsdebugger")
        .split(u' ');
const QStringList QtOptiesZonderWaarde =
    QStringLiteral("-reverse -widgetcount -nograb -dograb -sync -testability").split(u' ');

// How many arguments from `i` on are one of Qt's options: 0 when it is none.
int QtOptie(const QStringList& argumenten, qsizetype i) {
    QString optie = argumenten.at(i);
    if (optie.startsWith(QStringLiteral("--")))
        optie.remove(0, 1);
    const qsizetype is = optie.indexOf(u'=');
    if (is > 0)
        return QtOptiesMetWaarde.contains(optie.left(is)) ? 1 : 0;
    if (QtOptiesZonderWaarde.contains(optie))
        return 1;
    if (QtOptiesMetWaarde.contains(optie))
        return i + 1 < argumenten.size() ? 2 : 1;
    return 0;
}

Opdrachtregel Fout(const QString& tekst) {
    Opdrachtregel regel;
    regel.actie = Opdrachtregel::Actie::Fout;
    regel.melding = QStringLiteral("zegerooster: ") + tekst + u'\n' + ZieHulp;
    return regel;
}

} // namespace

Opdrachtregel Opdrachtregel::Lees(const QStringList& argumenten) {
    QStringList bestanden;
    QString onbekend;
    bool opties = true;
    for (qsizetype i = 0; i < argumenten.size(); ++i) {
        const QString& argument = argumenten.at(i);
        if (const int qt = opties ? QtOptie(argumenten, i) : 0) {
            i += qt - 1;
        } else if (opties && argument == QStringLiteral("--")) {
            opties = false;
        } else if (opties &&
                   (argument == QStringLiteral("-h") || argument == QStringLiteral("--help"))) {
            return {Actie::Hulp, {}, Hulptekst};
        } else if (opties &&
                   (argument == QStringLiteral("-v") || argument == QStringLiteral("--version"))) {
            return {Actie::Versie, {}, TMainForm::VersieRegel + u'\n'};
        } else if (opties && argument.size() > 1 && argument.startsWith(u'-')) {
            if (onbekend.isEmpty())
                onbekend = argument;
        } else {
            bestanden << argument;
        }
    }
    if (!onbekend.isEmpty())
        return Fout(QStringLiteral("onbekende optie \"%1\".").arg(onbekend));
    if (bestanden.size() > 1)
        return Fout(QStringLiteral("geef hooguit één toernooibestand op."));
    return {Actie::Starten, bestanden.value(0), {}};
}
