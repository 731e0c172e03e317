#pragma once

#include "model/Knockout.h"
#include "model/Toernooi.h"
#include "model/Uitbreiding.h"

#include <memory>

// The benchmarks' large tournament: 512 pools of 8 in stage 2, the best four
// of every pool in the winners' round, both brackets played out.
namespace GrootToernooi {

constexpr int AantalPoules = 512;
constexpr int Grootte = 8;

inline void Speel(TKnockout& knockout) {
    for (int r = 0; r < knockout.AantalRondes(); ++r)
        for (int m = 0; m < knockout.AantalWedstrijden(r); ++m)
            knockout.Wedstrijd(r, m)->ZetEindstand(m % 2 ? 3 : 1, 2);
}

inline void Maak(TToernooi& toernooi) {
    toernooi.Programmastatus = 2;
    for (int poule = 1; poule <= AantalPoules; ++poule) {
        for (int positie = 1; positie <= Grootte; ++positie) {
            auto d = std::make_unique<TDeelnemer>(QStringLiteral("Speler %1").arg(positie),
                                                  QStringLiteral("van Poule %1").arg(poule));
            d->Poule = poule;
            d->Positie = positie;
            d->KnockoutNr = positie <= Grootte / 2 ? 1 : 2;
            toernooi.Lijst.push_back(std::move(d));
        }
    }
    toernooi.Winnaars = std::make_unique<TKnockout>(toernooi.Lijst, 1, TKnockout::VolgensPoules);
    toernooi.Verliezers = std::make_unique<TKnockout>(toernooi.Lijst, 2, TKnockout::VolgensPoules);
    Speel(*toernooi.Winnaars);
    Speel(*toernooi.Verliezers);
}

// Every pool match played (14,336), as the positions say: the better
// position wins, in two or three games with points that vary as on a real
// day.
inline void SpeelPoules(TToernooi& toernooi) {
    toernooi.Wedstrijden = Uitbreiding::ZonderUitslagen(toernooi.Lijst);
    int n = 0;
    for (auto& poule : toernooi.Wedstrijden.Poules) {
        poule.PositiesHandmatig = false;
        for (auto& wedstrijd : poule.Wedstrijden) {
            const int verliezer = 5 + (n * 7) % 15; // 5 .. 19
            Poulewedstrijden::TGames games{{21, verliezer}};
            if (n % 3 == 0) // a game lost on the way
                games.push_back({19 - n % 4, 21});
            games.push_back({21, 3 + (n * 5) % 17});
            ++n;
            const bool aWint = toernooi.Lijst[std::size_t(wedstrijd.A)]->Positie <
                               toernooi.Lijst[std::size_t(wedstrijd.B)]->Positie;
            if (!aWint)
                for (auto& game : games)
                    std::swap(game.A, game.B);
            wedstrijd.Games = std::move(games);
        }
    }
}

} // namespace GrootToernooi
