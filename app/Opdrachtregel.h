#pragma once

#include <QString>
#include <QStringList>

// What the program is asked on its command line: start, possibly with a
// tournament file to open, or print its version or help, or refuse.
struct Opdrachtregel {
    enum class Actie { Starten, Versie, Hulp, Fout };

    Actie actie = Actie::Starten;
    // The tournament file to open at start; empty for none.
    QString bestand;
    // What to print for Versie and Hulp (standard output) and Fout (standard
    // error), ending in a line break.
    QString melding;

    // The arguments after the program's name. Help and version win over
    // everything else, so they answer before the window system has taken its
    // own options out. Qt's own options (-platform, -style, ...) are passed
    // over. After "--" every argument is a file.
    static Opdrachtregel Lees(const QStringList& argumenten);
};
