// libFuzzer target for the tournament file reader, the pool matches after
// "#Einde" included. Whatever the bytes: no crash, hang or leak; a refused
// file names a line and a cause and leaves nothing behind once emptied; a
// file refused for its pool matches alone opens without them; an accepted
// file saves to a file that reads back to exactly itself, whose part before
// the pool matches is what a file without them would be.
#include "model/Poules.h"
#include "model/Toernooi.h"
#include "model/Uitbreiding.h"

#include <cstdint>
#include <cstdlib>

namespace {

// Builds the pool index and the standings of every pool, as the pools
// window does with every tournament that has pools.
void ToonPoules(const TToernooi& toernooi) {
    if (toernooi.Programmastatus != 1 && toernooi.Programmastatus != 2)
        return;
    const Poules::TPouleIndex index = Poules::MaakPouleIndex(toernooi.Lijst);
    volatile bool compleet = Poules::EindstandenCompleet(toernooi.Lijst);
    (void)compleet;
    const auto& poules = toernooi.Wedstrijden.Poules;
    for (std::size_t p = 0; p < index.size() && p < poules.size(); ++p) {
        // A pool number nobody has (a file may skip one) has no standings.
        if (index[p].empty())
            continue;
        volatile std::size_t rijen =
            Poulewedstrijden::BerekenStand(toernooi.Wedstrijden.Telling, index[p], poules[p])
                .Rijen.size();
        (void)rijen;
    }
}

void Eis(bool voorwaarde) {
    if (!voorwaarde)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray inhoud(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    TToernooi toernooi;
    std::optional<Uitbreiding::THerstel> herstel;
    if (const auto fout = Uitbreiding::Lees(inhoud, toernooi, &herstel)) {
        Eis(fout->Regelnummer >= 1);
        Eis(!fout->Melding.isEmpty());
        Eis(!Toernooibestand::LaadFoutTekst(*fout).isEmpty());
        if (fout->Soort == Toernooibestand::Leesfout::TSoort::Uitbreiding) {
            TToernooi zonder;
            Eis(!Uitbreiding::Lees(inhoud, zonder, nullptr, Uitbreiding::TBlok::Overslaan));
            Eis(!Uitbreiding::OverslaanVraag(*fout).isEmpty());
        }
        toernooi.Leegmaken();
        Eis(toernooi.Lijst.empty() && !toernooi.Winnaars && toernooi.Programmastatus == 0);
        Eis(toernooi.Wedstrijden.Leeg());
        return 0;
    }
    ToonPoules(toernooi);
    const Uitbreiding::THerstel* deel = herstel ? &*herstel : nullptr;
    const QByteArray bewaard = Uitbreiding::Schrijf(toernooi, deel);
    if (!deel)
        Eis(bewaard.startsWith(Toernooibestand::Schrijf(toernooi.Programmastatus, toernooi.Lijst,
                                                        toernooi.Winnaars.get(),
                                                        toernooi.Verliezers.get())));
    TToernooi opnieuw;
    std::optional<Uitbreiding::THerstel> herstelOpnieuw;
    Eis(!Uitbreiding::Lees(bewaard, opnieuw, &herstelOpnieuw));
    Eis(opnieuw.Wedstrijden == toernooi.Wedstrijden);
    Eis(herstelOpnieuw == herstel);
    Eis(Uitbreiding::Schrijf(opnieuw, deel) == bewaard);
    return 0;
}
