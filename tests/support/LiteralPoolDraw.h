#pragma once

#include "model/Deelnemer.h"
#include "model/MessageService.h"
#include "model/PouleIndeling.h"
#include "model/RandomSource.h"

#include <cstdint>

// The pool draw written out step by step, walk and all, without any speed-up.
// Tests run it side by side with PouleIndeling::VulPoules and
// PouleIndeling::VerdeelDeelnemers on the same random numbers.
namespace LiteralPoolDraw {

inline void VulPoules(TDeelnemerLijst& deelnemers, int aantal, int grootte, int eerste) {
    int vrij = 0;
    for (const auto& deelnemer : deelnemers) {
        if (deelnemer->Poule == 0)
            ++vrij;
    }
    if (static_cast<std::int64_t>(aantal) * grootte > vrij) {
        messages().error(QStringLiteral("Er zijn te weinig vrije deelnemers om de poules te "
                                        "vullen! Dit is een softwarefout. \r\rBewaar de "
                                        "deelnemerslijst en poule-indeling en neem contact op "
                                        "met de programmeur!"));
        return;
    }
    randomSource().seedFromClock();
    const std::size_t lengte = deelnemers.size();
    std::size_t k = 0;
    for (std::int64_t p = eerste; p <= static_cast<std::int64_t>(eerste) + aantal - 1; ++p) {
        for (int plaats = 0; plaats < grootte; ++plaats) {
            int r = randomSource().below(vrij) + 1;
            do {
                ++k;
                if (k == lengte)
                    k = 0;
                if (deelnemers[k]->Poule <= 0)
                    --r;
            } while (r != 0);
            deelnemers[k]->Poule = static_cast<std::int32_t>(p);
        }
    }
}

inline void VerdeelDeelnemers(TDeelnemerLijst& deelnemers, const TPouleIndeling& indeling) {
    for (auto& deelnemer : deelnemers)
        deelnemer->Poule = 0;
    VulPoules(deelnemers, indeling.AantalGrotePoules, indeling.GrotePouleGrootte, 1);
    VulPoules(deelnemers, indeling.AantalKleinePoules, indeling.KleinePouleGrootte,
              indeling.AantalGrotePoules + 1);
}

} // namespace LiteralPoolDraw
