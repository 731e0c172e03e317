#pragma once

#include <QString>

#include <cstdint>

// The checks of a typed match score, kept free of widgets.
namespace Eindstand {

enum class TVeld { Boven, Onder };

struct TControle {
    enum class Actie {
        Wissen,       // clear the result and close
        VraagWissen,  // ask whether to clear; Yes clears and closes
        Melding,      // show the message on the field and stay open
        ZetEindstand, // store Boven - Onder and close
    };
    Actie Soort = Actie::Wissen;
    QString Tekst;             // the message or question
    TVeld Veld = TVeld::Boven; // the field to correct
    bool SelecteerVeld = true; // select the field's text as well
    std::int32_t Boven = -1;
    std::int32_t Onder = -1;
};

inline const QString VraagEenLeeg =
    QStringLiteral("Eén van beide waarden is niet ingevuld. Wilt u de eindstand wissen?");
inline const QString GeenGetal = QStringLiteral("Voer een getal in.");
inline const QString Negatief = QStringLiteral("Een negatieve score is niet mogelijk.");
inline const QString Gelijkspel = QStringLiteral("Gelijkspel is niet mogelijk.");

// What OK does with the two typed scores, in the order the checks run.
TControle Controleer(const QString& boven, const QString& onder);

} // namespace Eindstand
