#include "model/Eindstand.h"

#include "model/PouleIndeling.h"
#include "model/Text.h"

#include <optional>

namespace Eindstand {

namespace {

TControle Melding(const QString& tekst, TVeld veld, bool selecteer = true) {
    TControle controle;
    controle.Soort = TControle::Actie::Melding;
    controle.Tekst = tekst;
    controle.Veld = veld;
    controle.SelecteerVeld = selecteer;
    return controle;
}

// The score of one field, or the message that refuses it.
std::optional<TControle> Weiger(const QString& tekst, TVeld veld, std::int32_t& score) {
    const std::optional<std::int32_t> getal = PouleIndeling::LeesGetal(tekst);
    if (!getal)
        return Melding(GeenGetal, veld);
    if (*getal < 0)
        return Melding(Negatief, veld);
    score = *getal;
    return std::nullopt;
}

} // namespace

TControle Controleer(const QString& boven, const QString& onder) {
    const bool bovenLeeg = Text::trimmed(boven).isEmpty();
    const bool onderLeeg = Text::trimmed(onder).isEmpty();
    TControle controle;
    if (bovenLeeg && onderLeeg)
        return controle;
    if (bovenLeeg || onderLeeg) {
        controle.Soort = TControle::Actie::VraagWissen;
        controle.Tekst = VraagEenLeeg;
        return controle;
    }
    if (auto geweigerd = Weiger(boven, TVeld::Boven, controle.Boven))
        return *geweigerd;
    if (auto geweigerd = Weiger(onder, TVeld::Onder, controle.Onder))
        return *geweigerd;
    if (controle.Boven == controle.Onder)
        return Melding(Gelijkspel, TVeld::Boven, false);
    controle.Soort = TControle::Actie::ZetEindstand;
    return controle;
}

} // namespace Eindstand
