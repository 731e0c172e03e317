// libFuzzer target for importing participants from a text source (a CSV or
// text file, the clipboard). Whatever the bytes and whichever separator or
// header the organiser picks: no crash, hang or leak; every name the preview
// offers to add is one the participant dialog could have produced, is new,
// and survives a save and a reload of the tournament unchanged.
#include "model/Deelnemer.h"
#include "model/Toernooi.h"
#include "tests/fuzz/VoorbeeldEisen.h"

#include <cstdint>
#include <cstdlib>

namespace {

void KiesZoalsDeOrganisator(Import::TImport& import, std::uint8_t keuze) {
    static const QChar Scheidingen[] = {QChar(), u'\t', u';', u','};
    if (keuze & 0x04)
        import.ZetScheiding(Scheidingen[keuze & 0x03]);
    if (keuze & 0x08)
        import.ZetKop(!import.HeeftKop());
    if (keuze & 0x10)
        import.ZetKolommen(Import::RaadKolommen((keuze >> 5) + 1));
}

void EisBewaardEnTeruggelezen(const Deelnemerslijst::TNamen& namen) {
    TToernooi toernooi;
    for (const auto& naam : namen) {
        auto deelnemer = std::make_unique<TDeelnemer>();
        deelnemer->Voornaam = naam.Voornaam;
        deelnemer->Achternaam = naam.Achternaam;
        toernooi.Lijst.push_back(std::move(deelnemer));
    }
    TToernooi teruggelezen;
    Eis(!Toernooibestand::Lees(toernooi.Bewaar(), teruggelezen));
    Eis(teruggelezen.Lijst.size() == namen.size());
    for (std::size_t i = 0; i < namen.size(); ++i) {
        Eis(teruggelezen.Lijst[i]->Voornaam == namen[i].Voornaam);
        Eis(teruggelezen.Lijst[i]->Achternaam == namen[i].Achternaam);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const QByteArray bytes(reinterpret_cast<const char*>(data) + 1,
                           static_cast<qsizetype>(size - 1));
    Import::TImport import = Import::TImport::UitBytes(bytes);
    KiesZoalsDeOrganisator(import, data[0]);
    const Deelnemerslijst::TNamen bestaand = {{QStringLiteral("Jan"), QStringLiteral("Jansen")}};
    const Import::TVoorbeeld voorbeeld = import.Voorbeeld(bestaand);
    EisGoedeVoorbeeld(voorbeeld, bestaand);
    EisBewaardEnTeruggelezen(voorbeeld.Toevoegen());
    return 0;
}
