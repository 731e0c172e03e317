// libFuzzer target for the tournament file reader. Whatever the bytes:
// no crash, hang or leak; a refused file names a line and a cause and
// leaves nothing behind once emptied; an accepted file saves to a file that
// reads back to exactly itself.
#include "model/Poules.h"
#include "model/Toernooi.h"

#include <cstdint>
#include <cstdlib>

namespace {

// Builds the pool index and checks the standings, as the pools window does
// with every tournament that has pools.
void ToonPoules(const TToernooi& toernooi) {
    if (toernooi.Programmastatus != 1 && toernooi.Programmastatus != 2)
        return;
    const Poules::TPouleIndex index = Poules::MaakPouleIndex(toernooi.Lijst);
    volatile bool compleet = Poules::EindstandenCompleet(toernooi.Lijst);
    (void)compleet;
    (void)index;
}

void Eis(bool voorwaarde) {
    if (!voorwaarde)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray inhoud(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    TToernooi toernooi;
    if (const auto fout = Toernooibestand::Lees(inhoud, toernooi)) {
        Eis(fout->Regelnummer >= 1);
        Eis(!fout->Melding.isEmpty());
        Eis(!Toernooibestand::LaadFoutTekst(*fout).isEmpty());
        toernooi.Leegmaken();
        Eis(toernooi.Lijst.empty() && !toernooi.Winnaars && toernooi.Programmastatus == 0);
        return 0;
    }
    ToonPoules(toernooi);
    const QByteArray bewaard = toernooi.Bewaar();
    TToernooi opnieuw;
    Eis(!Toernooibestand::Lees(bewaard, opnieuw));
    Eis(opnieuw.Bewaar() == bewaard);
    return 0;
}
