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
    for (const QString& argument : argumenten) {
        if (opties && argument == QStringLiteral("--")) {
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
