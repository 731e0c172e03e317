#include "app/Application.h"
#include "app/LettertypenVooraf.h"
#include "app/MainForm.h"
#include "app/Opdrachtregel.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>

#include <cstdio>

namespace {

QStringList argumenten(int argc, char** argv) {
    QStringList lijst;
    for (int i = 1; i < argc; ++i)
        lijst << QFile::decodeName(argv[i]);
    return lijst;
}

} // namespace

int main(int argc, char** argv) {
    // Help, version and a wrong option need no display, so they answer
    // before Qt starts (which without a display would abort in English).
    const Opdrachtregel regel = Opdrachtregel::Lees(argumenten(argc, argv));
    if (regel.actie == Opdrachtregel::Actie::Hulp || regel.actie == Opdrachtregel::Actie::Versie) {
        std::fputs(regel.melding.toUtf8().constData(), stdout);
        return 0;
    }
    if (regel.actie == Opdrachtregel::Actie::Fout) {
        std::fputs(regel.melding.toUtf8().constData(), stderr);
        return 2;
    }
    TLettertypenVooraf lettertypen;
    QApplication application(argc, argv);
    initialiseApplication(application);
    lettertypen.wacht();
    TMainForm mainForm;
    vangBeeindiging(&mainForm, [&mainForm] { mainForm.Beeindig(); });
    mainForm.show();
    // A tournament that was not saved when the program last ended is offered
    // first; a restored one is not replaced by a file from the command line.
    const bool hersteld = mainForm.BiedHerstelAan();
    if (!hersteld && !regel.bestand.isEmpty())
        mainForm.LaadToernooi(QFileInfo(regel.bestand).absoluteFilePath());
    return QApplication::exec();
}
