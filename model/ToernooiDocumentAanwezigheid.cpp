#include "model/ToernooiDocument.h"

// Who is there: withdrawals and what they do to the pools and the brackets.

bool TToernooiDocument::ZetTeruggetrokken(int index, bool teruggetrokken, int vanafRonde) {
    if (index < 0 || index >= static_cast<int>(Lijst().size()))
        return false;
    TDeelnemer& deelnemer = *Lijst()[static_cast<std::size_t>(index)];
    if (deelnemer.Teruggetrokken == teruggetrokken)
        return false;
    TStap stap(*this, (teruggetrokken ? QStringLiteral("%1 teruggetrokken")
                                      : QStringLiteral("%1 weer aanwezig"))
                          .arg(deelnemer.Naam()));
    deelnemer.Teruggetrokken = teruggetrokken;
    PoulesNaTerugtrekking(index, vanafRonde);
    KnockoutsNaTerugtrekking(index);
    Q_EMIT PoulesVeranderd();
    return true;
}
