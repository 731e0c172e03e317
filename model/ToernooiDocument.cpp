#include "model/ToernooiDocument.h"

#include "model/Ansi.h"
#include "model/Knockout.h"
#include "model/Poules.h"
#include "model/RandomSource.h"
#include "model/Text.h"
#include "model/Uitbreiding.h"

#include <algorithm>
#include <utility>

using Deelnemerslijst::TNaam;
using Deelnemerslijst::TNamen;
using namespace Poulewedstrijden;

namespace {

bool HeeftPoules(int status) {
    return status == psPoules || status == psKnockout;
}

// The scoring system as the file can hold it: points of three digits, no
// lot among the ranking steps (a lot is the organiser's, never a rule).
TTelling GeldigeTelling(TTelling telling) {
    for (int* punten : {&telling.PuntenWinst, &telling.PuntenGelijk, &telling.PuntenVerlies,
                        &telling.WalkoverVoor, &telling.WalkoverTegen})
        *punten = std::clamp(*punten, 0, Uitbreiding::HoogsteScore);
    std::erase(telling.Volgorde, TCriterium::Lot);
    return telling;
}

// The names as the participant list window shows a list it is given.
TNamen GesorteerdeNamen(const TDeelnemerLijst& deelnemers) {
    TNamen namen;
    namen.reserve(deelnemers.size());
    for (const auto& deelnemer : deelnemers)
        namen.push_back({deelnemer->Voornaam, deelnemer->Achternaam, deelnemer->Vereniging,
                         deelnemer->Plaatsing});
    Deelnemerslijst::Sorteer(namen, -1);
    return namen;
}

// A name as a step of the history names it.
QString NaamTekst(const QString& voornaam, const QString& achternaam) {
    return Text::trimmed(voornaam + u' ' + achternaam);
}

QString StatusOmschrijving(TProgrammastatus status) {
    switch (status) {
    case psGeen:
        return QStringLiteral("toernooi beëindigen");
    case psPoules:
        return QStringLiteral("terug naar de poules");
    default:
        return QStringLiteral("programmastatus");
    }
}

} // namespace

TToernooiDocument::TStap::TStap(TToernooiDocument& document, const QString& omschrijving)
    : m_document(document) {
    m_document.BeginStap(omschrijving);
}

TToernooiDocument::TStap::~TStap() {
    m_document.EindigStap();
}

TToernooiDocument::TToernooiDocument(QObject* parent)
    : QObject(parent)
    , m_toernooi(std::make_unique<TToernooi>()) {
    BeginOpnieuw();
}

TToernooiDocument::~TToernooiDocument() {
    DropKnockouts();
}

TProgrammastatus TToernooiDocument::Programmastatus() const {
    return static_cast<TProgrammastatus>(m_toernooi->Programmastatus);
}

bool TToernooiDocument::Gewijzigd() const {
    return m_huidig.Id != m_bewaardId;
}

// ------------------------------------------------------------------ lifecycle

void TToernooiDocument::Nieuw() {
    m_bestandsnaam.clear();
    Vervang(std::make_unique<TToernooi>(), {});
    BeginOpnieuw();
}

std::optional<Toernooibestand::Leesfout>
TToernooiDocument::Lees(const QByteArray& inhoud, std::unique_ptr<TToernooi>& toernooi,
                        TNamen& namen, QString& bestandsnaam, bool zonderUitbreiding) {
    toernooi = std::make_unique<TToernooi>();
    std::optional<Uitbreiding::THerstel> herstel;
    if (auto fout = Uitbreiding::Lees(inhoud, *toernooi, &herstel,
                                      zonderUitbreiding ? Uitbreiding::TBlok::Overslaan
                                                        : Uitbreiding::TBlok::Lezen)) {
        toernooi.reset();
        return fout;
    }
    if (herstel) {
        namen = std::move(herstel->Namen);
        bestandsnaam = herstel->Bestandsnaam;
    } else {
        namen = GesorteerdeNamen(toernooi->Lijst);
    }
    return std::nullopt;
}

std::optional<Toernooibestand::Leesfout> TToernooiDocument::Laad(const QByteArray& inhoud,
                                                                 const std::optional<QString>& pad,
                                                                 bool zonderUitbreiding) {
    std::unique_ptr<TToernooi> toernooi;
    TNamen namen;
    QString bewaardeNaam;
    if (auto fout = Lees(inhoud, toernooi, namen, bewaardeNaam, zonderUitbreiding))
        return fout;
    m_bestandsnaam = pad.value_or(bewaardeNaam);
    Vervang(std::move(toernooi), std::move(namen));
    BeginOpnieuw();
    if (Programmastatus() == psPoules || Programmastatus() == psKnockout)
        Q_EMIT PoulesGetrokken();
    return std::nullopt;
}

std::optional<Toernooibestand::Leesfout>
TToernooiDocument::Open(const QByteArray& inhoud, const QString& pad, bool zonderUitbreiding) {
    return Laad(inhoud, pad, zonderUitbreiding);
}

std::optional<Toernooibestand::Leesfout> TToernooiDocument::Herstel(const QByteArray& inhoud,
                                                                    bool zonderUitbreiding) {
    if (auto fout = Laad(inhoud, std::nullopt, zonderUitbreiding))
        return fout;
    m_bewaardId = 0; // nobody has saved what was recovered
    Q_EMIT GewijzigdVeranderd(true);
    return std::nullopt;
}

std::optional<TToernooiDocument::TSamenvatting>
TToernooiDocument::Samenvatting(const QByteArray& herstelbestand) {
    std::unique_ptr<TToernooi> toernooi;
    TNamen namen;
    QString bestandsnaam;
    // A recovery file whose pool matches cannot be read is still offered:
    // restoring it asks whether to do without them.
    if (const auto fout = Lees(herstelbestand, toernooi, namen, bestandsnaam)) {
        if (fout->Soort != Toernooibestand::Leesfout::TSoort::Uitbreiding ||
            Lees(herstelbestand, toernooi, namen, bestandsnaam, true))
            return std::nullopt;
    }
    const std::size_t aantal =
        toernooi->Programmastatus == psGeen ? namen.size() : toernooi->Lijst.size();
    return TSamenvatting{static_cast<int>(aantal), bestandsnaam};
}

QByteArray TToernooiDocument::Bestand() const {
    if (Programmastatus() == psGeen) {
        ClockSeededRandomSource eigen;
        const TDeelnemerLijst lijst = Deelnemerslijst::MaakLijst(m_namen, eigen);
        // Clubs and seeds ride in the block; without them there is none.
        const Uitbreiding::TNawoord nawoord = Uitbreiding::Nawoord(psGeen, lijst, {});
        return Toernooibestand::Schrijf(psGeen, lijst, nullptr, nullptr, nawoord.Regels,
                                        nawoord.Slot);
    }
    return m_toernooi->Bewaar();
}

bool TToernooiDocument::HeeftDeelnemers() const {
    return Programmastatus() == psGeen ? !m_namen.empty() : !Deelnemers().empty();
}

void TToernooiDocument::Bewaard(const QString& pad) {
    m_bestandsnaam = pad;
    ZetGewijzigd(false);
}

QByteArray TToernooiDocument::Herstelbestand() const {
    return MaakInhoud(m_bestandsnaam);
}

QByteArray TToernooiDocument::MaakInhoud(const QString& bestandsnaam) const {
    const Uitbreiding::THerstel herstel{bestandsnaam, m_namen};
    if (Programmastatus() == psGeen) {
        // Before a start only the names count; they are kept in list order
        // so that restoring them shuffles nothing.
        TDeelnemerLijst lijst;
        lijst.reserve(m_namen.size());
        for (const TNaam& naam : m_namen)
            lijst.push_back(std::make_unique<TDeelnemer>(naam.Voornaam, naam.Achternaam));
        const Uitbreiding::TNawoord nawoord = Uitbreiding::Nawoord(psGeen, lijst, {}, &herstel);
        return Toernooibestand::Schrijf(psGeen, lijst, nullptr, nullptr, nawoord.Regels,
                                        nawoord.Slot);
    }
    return Uitbreiding::Schrijf(*m_toernooi, &herstel);
}

// ---------------------------------------------------------------- replacing

void TToernooiDocument::DropKnockouts() {
    if (!m_toernooi->Winnaars && !m_toernooi->Verliezers)
        return;
    Q_EMIT KnockoutsVerdwijnen();
    m_toernooi->Winnaars.reset();
    m_toernooi->Verliezers.reset();
}

void TToernooiDocument::Vervang(std::unique_ptr<TToernooi> toernooi, TNamen namen) {
    const int vorige = m_toernooi->Programmastatus;
    DropKnockouts();
    std::swap(m_toernooi, toernooi);
    toernooi.reset();
    const bool andereNamen = m_namen != namen;
    m_namen = std::move(namen);
    if (andereNamen)
        Q_EMIT NamenVeranderd();
    Q_EMIT Vervangen(vorige);
    Q_EMIT ProgrammastatusVeranderd(m_toernooi->Programmastatus);
}

void TToernooiDocument::HerstelToestand(const TToestand& toestand) {
    std::unique_ptr<TToernooi> toernooi;
    TNamen namen;
    QString bestandsnaam;
    // The history holds only states this document wrote itself.
    if (Lees(qUncompress(toestand.Inhoud), toernooi, namen, bestandsnaam))
        return;
    const int vorige = m_toernooi->Programmastatus;
    Vervang(std::move(toernooi), std::move(namen));
    m_huidig = toestand;
    Q_EMIT Hersteld(vorige);
    Q_EMIT GewijzigdVeranderd(Gewijzigd());
    Q_EMIT GeschiedenisVeranderd();
    Q_EMIT InhoudVeranderd();
}

// -------------------------------------------------------------------- steps

TToernooiDocument::TToestand TToernooiDocument::Vastleggen() {
    // Fast compression: a step costs a few milliseconds even for thousands
    // of participants, and the history a fraction of the file size.
    return {m_volgendId++, qCompress(MaakInhoud(QString()), 1)};
}

void TToernooiDocument::BeginOpnieuw() {
    WisGeschiedenis();
    m_huidig = Vastleggen();
    m_bewaardId = m_huidig.Id;
    Q_EMIT GewijzigdVeranderd(false);
    Q_EMIT GeschiedenisVeranderd();
    Q_EMIT InhoudVeranderd();
}

void TToernooiDocument::WisGeschiedenis() {
    m_ongedaan.clear();
    m_opnieuw.clear();
}

void TToernooiDocument::BeginStap(const QString& omschrijving) {
    if (m_stapDiepte++ > 0)
        return;
    m_stapOmschrijving = omschrijving;
    m_forceerGewijzigd = false;
    m_uitslag.reset();
    if (m_buitenStap)
        HerijkHuidig();
}

void TToernooiDocument::HerijkHuidig() {
    // A stage set outside any step belongs to the state the next step starts
    // from: it is neither a step nor a change of its own.
    m_buitenStap = false;
    m_huidig.Inhoud = qCompress(MaakInhoud(QString()), 1);
}

void TToernooiDocument::ZetStapOmschrijving(const QString& omschrijving) {
    m_stapOmschrijving = omschrijving;
}

void TToernooiDocument::EindigStap() {
    if (--m_stapDiepte > 0)
        return;
    const std::optional<TUitslag> uitslag = std::exchange(m_uitslag, std::nullopt);
    TToestand nieuw = Vastleggen();
    if (nieuw.Inhoud == m_huidig.Inhoud) {
        // Nothing changed: no step. The tournament may still count as
        // changed, as a name confirmed unchanged does.
        if (m_forceerGewijzigd && m_bewaardId == m_huidig.Id) {
            m_bewaardId = 0;
            Q_EMIT GewijzigdVeranderd(true);
        }
        return;
    }
    m_ongedaan.push_back({std::move(m_huidig), m_stapOmschrijving});
    if (m_ongedaan.size() > static_cast<std::size_t>(MaxStappen))
        m_ongedaan.pop_front();
    m_opnieuw.clear();
    m_huidig = std::move(nieuw);
    Q_EMIT GewijzigdVeranderd(Gewijzigd());
    Q_EMIT GeschiedenisVeranderd();
    Q_EMIT InhoudVeranderd();
    if (uitslag)
        Q_EMIT UitslagIngevoerd(uitslag->KnockoutNr, uitslag->Ronde, uitslag->Nummer);
}

QString TToernooiDocument::OngedaanMakenOmschrijving() const {
    return m_ongedaan.empty() ? QString() : m_ongedaan.back().Omschrijving;
}

QString TToernooiDocument::OpnieuwOmschrijving() const {
    return m_opnieuw.empty() ? QString() : m_opnieuw.back().Omschrijving;
}

void TToernooiDocument::MaakOngedaan() {
    // A step in progress (a dialog of it is open) cannot be undone under it.
    if (m_ongedaan.empty() || InStap())
        return;
    TEntry entry = std::move(m_ongedaan.back());
    m_ongedaan.pop_back();
    m_opnieuw.push_back({m_huidig, entry.Omschrijving});
    HerstelToestand(entry.Toestand);
}

void TToernooiDocument::Opnieuw() {
    if (m_opnieuw.empty() || InStap())
        return;
    TEntry entry = std::move(m_opnieuw.back());
    m_opnieuw.pop_back();
    m_ongedaan.push_back({m_huidig, entry.Omschrijving});
    HerstelToestand(entry.Toestand);
}

qsizetype TToernooiDocument::GeschiedenisGrootte() const {
    qsizetype grootte = m_huidig.Inhoud.size();
    for (const auto* stapel : {&m_ongedaan, &m_opnieuw})
        for (const TEntry& entry : *stapel)
            grootte += entry.Toestand.Inhoud.size() + entry.Omschrijving.size() * 2;
    return grootte;
}

// ------------------------------------------------------------------ changes

void TToernooiDocument::ZetProgrammastatus(TProgrammastatus status) {
    // A stage change is part of the step that needs it (ending a tournament
    // before a participant changes), not a step or a change of its own.
    if (InStap() && m_stapOmschrijving.isEmpty())
        m_stapOmschrijving = StatusOmschrijving(status);
    if (!InStap())
        m_buitenStap = true;
    m_toernooi->Programmastatus = status;
    // The pool matches live only in the stages with pools; a stage that
    // gets pools without them (a test, a list set directly) gets schedules.
    if (!HeeftPoules(status))
        m_toernooi->Wedstrijden = {};
    else if (m_toernooi->Wedstrijden.Leeg())
        m_toernooi->Wedstrijden = Uitbreiding::ZonderUitslagen(Lijst());
    Q_EMIT ProgrammastatusVeranderd(status);
}

void TToernooiDocument::ZetGewijzigd(bool gewijzigd) {
    if (!gewijzigd) {
        if (m_buitenStap && !InStap())
            HerijkHuidig();
        m_bewaardId = m_huidig.Id;
    } else if (InStap()) {
        m_forceerGewijzigd = true; // the step's end decides
    } else if (m_bewaardId == m_huidig.Id) {
        m_bewaardId = 0;
    }
    Q_EMIT GewijzigdVeranderd(Gewijzigd());
}

void TToernooiDocument::ZetNamen(TNamen namen, const QString& omschrijving) {
    TStap stap(*this, omschrijving);
    m_namen = std::move(namen);
    Q_EMIT NamenVeranderd();
}

void TToernooiDocument::ZetDeelnemers(TDeelnemerLijst deelnemers) {
    DropKnockouts();
    m_toernooi->Lijst = std::move(deelnemers);
    // The matches name participants by their place in the list.
    m_toernooi->Wedstrijden = HeeftPoules(Programmastatus()) ? Uitbreiding::ZonderUitslagen(Lijst())
                                                             : TPoulewedstrijden{};
    Q_EMIT PoulesVeranderd();
}

std::vector<int> TToernooiDocument::BouwKnockouts(int indeling) {
    TStap stap(*this, QStringLiteral("knockout-indeling"));
    DropKnockouts();
    TDeelnemerLijst& deelnemers = m_toernooi->Lijst;
    m_toernooi->Winnaars = std::make_unique<TKnockout>(deelnemers, 1, indeling);
    m_toernooi->Verliezers = std::make_unique<TKnockout>(deelnemers, 2, indeling);
    // A participant who withdrew before the knockout loses its first match
    // without playing it.
    for (TKnockout* knockout : {m_toernooi->Winnaars.get(), m_toernooi->Verliezers.get()})
        for (int nummer = 0; nummer < knockout->AantalWedstrijden(0); ++nummer)
            knockout->Wedstrijd(0, nummer)->GeefWalkovers();
    std::vector<int> onvolledig;
    if (indeling == TKnockout::VolgensPoules) {
        for (const TKnockout* knockout : {m_toernooi->Winnaars.get(), m_toernooi->Verliezers.get()})
            if (!knockout->IsVolledig())
                onvolledig.push_back(knockout->KnockoutNr());
    }
    Q_EMIT KnockoutsGebouwd();
    return onvolledig;
}

bool TToernooiDocument::WisselPoules(int links, int linksPoule, int rechts, int rechtsPoule) {
    TDeelnemerLijst& lijst = Lijst();
    TStap stap(*this, QStringLiteral("wissel ") + lijst[std::size_t(links)]->Naam() +
                          QStringLiteral(" en ") + lijst[std::size_t(rechts)]->Naam());
    if (!Poules::Wissel(lijst, links, linksPoule, rechts, rechtsPoule))
        return false;
    // Results of pairs that stay together stay; the lots ordered players
    // who no longer all meet.
    HerbouwSchema(linksPoule, true);
    HerbouwSchema(rechtsPoule, true);
    Q_EMIT PoulesVeranderd();
    return true;
}

void TToernooiDocument::LateInschrijving(const QString& voornaam, const QString& achternaam,
                                         int poule) {
    LateInschrijving(TNaam(voornaam, achternaam), poule);
}

void TToernooiDocument::LateInschrijving(const TNaam& naam, int poule) {
    auto deelnemer = std::make_unique<TDeelnemer>(naam.Voornaam, naam.Achternaam);
    deelnemer->Poule = poule;
    deelnemer->Vereniging = naam.Vereniging;
    // A seed someone holds already would give the draw two of one rank.
    if (Deelnemerslijst::ZoekPlaatsing(m_namen, naam.Plaatsing) < 0 &&
        std::none_of(Lijst().begin(), Lijst().end(),
                     [&](const auto& d) { return d->Plaatsing == naam.Plaatsing; }))
        deelnemer->Plaatsing = std::max(naam.Plaatsing, 0);
    TStap stap(*this, QStringLiteral("late inschrijving ") + deelnemer->Naam());
    // The names take the newcomer as the participant list window would:
    // at the end, then sorted into place.
    m_namen.push_back(
        {deelnemer->Voornaam, deelnemer->Achternaam, deelnemer->Vereniging, deelnemer->Plaatsing});
    Deelnemerslijst::Sorteer(m_namen, -1);
    m_toernooi->Lijst.push_back(std::move(deelnemer));
    if (HeeftPoules(Programmastatus()) && poule >= 1) {
        auto& poules = m_toernooi->Wedstrijden.Poules;
        if (poules.size() < static_cast<std::size_t>(poule))
            poules.resize(static_cast<std::size_t>(poule));
        HerbouwSchema(poule, false);
    }
    Q_EMIT NamenVeranderd();
    Q_EMIT PoulesVeranderd();
}

// ------------------------------------------------------------ knockout stage

TKnockout* TToernooiDocument::Knockout(int knockoutNr) {
    return knockoutNr == 1   ? m_toernooi->Winnaars.get()
           : knockoutNr == 2 ? m_toernooi->Verliezers.get()
                             : nullptr;
}

std::vector<const TKnockoutWedstrijd*> TToernooiDocument::ZetUitslag(int knockoutNr, int ronde,
                                                                     int nummer, int scoreBoven,
                                                                     int scoreOnder) {
    TKnockout* knockout = Knockout(knockoutNr);
    TKnockoutWedstrijd* wedstrijd = knockout ? knockout->Wedstrijd(ronde, nummer) : nullptr;
    const bool wissen = scoreBoven == -1 && scoreOnder == -1;
    const bool geldig = wissen || (scoreBoven >= 0 && scoreOnder >= 0 && scoreBoven != scoreOnder);
    if (!wedstrijd || !wedstrijd->IsSpeelbaar() || !geldig)
        return {};
    std::vector<const TKnockoutWedstrijd*> gewist = wedstrijd->TeWissen();
    {
        TStap stap(*this, QStringLiteral("uitslag ") + knockout->WedstrijdNaam(ronde, nummer));
        const bool anders =
            scoreBoven != wedstrijd->ScoreBoven() || scoreOnder != wedstrijd->ScoreOnder();
        wedstrijd->ZetEindstand(scoreBoven, scoreOnder);
        // The winner may meet a withdrawn participant next: a walkover. The
        // match itself stays as entered, even cleared.
        if (TKnockoutWedstrijd* volgende = wedstrijd->Volgende())
            volgende->GeefWalkovers();
        // Once the step has changed the tournament the document passes the
        // match on (UitslagIngevoerd), so that whoever shows the brackets
        // can point out the match just played.
        if (anders)
            m_uitslag = TUitslag{knockoutNr, ronde, nummer};
        Q_EMIT KnockoutGewijzigd(knockoutNr, ronde, nummer);
        if (anders)
            PlanningNaUitslag({knockoutNr, 0, ronde, nummer});
    }
    std::erase_if(gewist, [](const TKnockoutWedstrijd* w) { return w->ScoreBoven() >= 0; });
    return gewist;
}

void TToernooiDocument::KiesDeelnemer(int knockoutNr, int nummer, int plek,
                                      const TDeelnemer* deelnemer) {
    TKnockout* knockout = Knockout(knockoutNr);
    TKnockoutWedstrijdWijzig* wijziger = knockout ? knockout->Wijziger(nummer, plek) : nullptr;
    if (!wijziger)
        return;
    // Only an unplaced participant of this bracket may be put in, found in
    // the list so that the pointer is the list's own.
    TDeelnemer* kandidaat = nullptr;
    if (deelnemer) {
        const auto gevonden =
            std::find_if(m_toernooi->Lijst.begin(), m_toernooi->Lijst.end(),
                         [deelnemer](const auto& d) { return d.get() == deelnemer; });
        if (gevonden == m_toernooi->Lijst.end() || deelnemer->KnockoutNr != knockoutNr ||
            deelnemer->Wedstrijd)
            return;
        kandidaat = gevonden->get();
    }
    TStap stap(*this, QStringLiteral("deelnemer ") + knockout->WedstrijdNaam(0, nummer));
    wijziger->WijsToe(kandidaat);
    knockout->Wedstrijd(0, nummer)->GeefWalkovers();
    Q_EMIT KnockoutGewijzigd(knockoutNr, 0, nummer);
}

void TToernooiDocument::MaakBye(int knockoutNr, int nummer) {
    TKnockout* knockout = Knockout(knockoutNr);
    TKnockoutWedstrijdWijzig* onder = knockout ? knockout->Wijziger(nummer, 1) : nullptr;
    if (!onder)
        return;
    TStap stap(*this, QStringLiteral("deelnemer ") + knockout->WedstrijdNaam(0, nummer));
    onder->MaakBye();
    knockout->Wedstrijd(0, nummer)->GeefWalkovers();
    Q_EMIT KnockoutGewijzigd(knockoutNr, 0, nummer);
}

// --------------------------------------------------------- participant list

bool TToernooiDocument::NaamBestaat(const QString& voornaam, const QString& achternaam) const {
    return Deelnemerslijst::ZoekNaam(m_namen, voornaam, achternaam) >= 0;
}

void TToernooiDocument::EindigLopendToernooi() {
    if (Programmastatus() != psGeen)
        ZetProgrammastatus(psGeen);
}

int TToernooiDocument::ZetGesorteerdeNamen(TNamen namen, qsizetype gevolgd) {
    const qsizetype index = Deelnemerslijst::Sorteer(namen, gevolgd);
    m_namen = std::move(namen);
    Q_EMIT NamenVeranderd();
    return static_cast<int>(index);
}

int TToernooiDocument::NaamMetPlaatsing(int plaatsing, int behalve) const {
    return static_cast<int>(Deelnemerslijst::ZoekPlaatsing(m_namen, plaatsing, behalve));
}

int TToernooiDocument::VoegDeelnemerToe(const QString& voornaam, const QString& achternaam) {
    return VoegDeelnemerToe(TNaam(voornaam, achternaam));
}

int TToernooiDocument::VoegDeelnemerToe(const TNaam& naam) {
    if ((naam.Voornaam.isEmpty() && naam.Achternaam.isEmpty()) ||
        NaamBestaat(naam.Voornaam, naam.Achternaam) || naam.Plaatsing < 0 ||
        NaamMetPlaatsing(naam.Plaatsing) >= 0)
        return -1;
    TStap stap(*this, QStringLiteral("deelnemer ") + NaamTekst(naam.Voornaam, naam.Achternaam) +
                          QStringLiteral(" toevoegen"));
    EindigLopendToernooi();
    // At the end, then sorted into place: equal keys keep the newest last.
    TNamen namen = m_namen;
    namen.push_back(naam);
    const auto nieuw = static_cast<qsizetype>(namen.size()) - 1;
    return ZetGesorteerdeNamen(std::move(namen), nieuw);
}

int TToernooiDocument::WijzigDeelnemer(int index, const QString& voornaam,
                                       const QString& achternaam) {
    if (index < 0 || std::size_t(index) >= m_namen.size())
        return -1;
    // Only the name: the club and seed stay the participant's.
    const TNaam& oud = m_namen[std::size_t(index)];
    return WijzigDeelnemer(index, TNaam(voornaam, achternaam, oud.Vereniging, oud.Plaatsing));
}

int TToernooiDocument::WijzigDeelnemer(int index, const TNaam& naam) {
    if (index < 0 || std::size_t(index) >= m_namen.size())
        return -1;
    const qsizetype gevonden = Deelnemerslijst::ZoekNaam(m_namen, naam.Voornaam, naam.Achternaam);
    if ((naam.Voornaam.isEmpty() && naam.Achternaam.isEmpty()) ||
        (gevonden >= 0 && gevonden != index) || naam.Plaatsing < 0 ||
        NaamMetPlaatsing(naam.Plaatsing, index) >= 0)
        return -1;
    const TNaam& oud = m_namen[std::size_t(index)];
    TStap stap(*this, QStringLiteral("deelnemer ") + NaamTekst(oud.Voornaam, oud.Achternaam) +
                          QStringLiteral(" wijzigen"));
    EindigLopendToernooi();
    TNamen namen = m_namen;
    namen[std::size_t(index)] = naam;
    ZetGewijzigd(true);
    return ZetGesorteerdeNamen(std::move(namen), index);
}

void TToernooiDocument::VerwijderDeelnemer(int index) {
    if (index < 0 || std::size_t(index) >= m_namen.size())
        return;
    const TNaam& naam = m_namen[std::size_t(index)];
    TStap stap(*this, QStringLiteral("deelnemer ") + NaamTekst(naam.Voornaam, naam.Achternaam) +
                          QStringLiteral(" verwijderen"));
    EindigLopendToernooi();
    TNamen namen = m_namen;
    namen.erase(namen.begin() + index);
    ZetGesorteerdeNamen(std::move(namen), -1);
}

void TToernooiDocument::ImporteerNamen(const TNamen& nieuw, const TNamen& aanvullingen) {
    const std::size_t aantal = nieuw.empty() ? aanvullingen.size() : nieuw.size();
    const QString wat = nieuw.empty() ? QStringLiteral("aanvullen") : QStringLiteral("importeren");
    TStap stap(*this, aantal == 1 ? QStringLiteral("%1 van 1 deelnemer").arg(wat)
                                  : QStringLiteral("%1 van %2 deelnemers").arg(wat).arg(aantal));
    EindigLopendToernooi();
    TNamen namen = m_namen;
    // A club or seed fills only what the participant lacks; a seed that
    // someone holds already is not given twice.
    const auto vrij = [&namen](int plaatsing) {
        return plaatsing > 0 && Deelnemerslijst::ZoekPlaatsing(namen, plaatsing) < 0;
    };
    for (const TNaam& aanvulling : aanvullingen) {
        const qsizetype index =
            Deelnemerslijst::ZoekNaam(namen, aanvulling.Voornaam, aanvulling.Achternaam);
        if (index < 0)
            continue;
        TNaam& naam = namen[std::size_t(index)];
        if (naam.Vereniging.isEmpty())
            naam.Vereniging = aanvulling.Vereniging;
        if (naam.Plaatsing <= 0 && vrij(aanvulling.Plaatsing))
            naam.Plaatsing = aanvulling.Plaatsing;
    }
    for (TNaam naam : nieuw) {
        if (!vrij(naam.Plaatsing))
            naam.Plaatsing = 0;
        namen.push_back(std::move(naam));
    }
    ZetGesorteerdeNamen(std::move(namen), -1);
}

void TToernooiDocument::BeeindigToernooi() {
    TStap stap(*this, QString());
    EindigLopendToernooi();
}

// ------------------------------------------------------ start and pool stage

int TToernooiDocument::StartPoules(const std::optional<TPouleIndeling>& indeling,
                                   const Poulewedstrijden::TTelling& telling,
                                   std::vector<Loting::TKnelpunt>* knelpunten) {
    TStap stap(*this, QStringLiteral("poule-indeling"));
    // The list is made and shuffled before the draw, whatever the answer,
    // so that the random source gives every start the same numbers.
    ZetProgrammastatus(psGeen);
    ZetDeelnemers(Deelnemerslijst::MaakLijst(m_namen));
    if (!indeling)
        return 0;
    const int mislukt = PouleIndeling::VerdeelEerlijk(m_toernooi->Lijst, *indeling, knelpunten);
    // Every pool its matches, its members in list order.
    TPoulewedstrijden wedstrijden;
    wedstrijden.Telling = GeldigeTelling(telling);
    for (const std::vector<int>& leden : Poules::MaakPouleIndex(Lijst()))
        wedstrijden.Poules.push_back({MaakSchema(leden), {}, false});
    m_toernooi->Wedstrijden = std::move(wedstrijden);
    Q_EMIT PoulesVeranderd();
    ZetProgrammastatus(psPoules);
    ZetGewijzigd(true);
    Q_EMIT PoulesGetrokken();
    return mislukt;
}

void TToernooiDocument::StartDirecteKnockout() {
    TStap stap(*this, QStringLiteral("direct knockout"));
    ZetProgrammastatus(psGeen);
    ZetDeelnemers(Deelnemerslijst::MaakLijst(m_namen));
    for (const auto& deelnemer : m_toernooi->Lijst)
        deelnemer->KnockoutNr = 1;
    // The stage first: the knockout window is made for it and then hears
    // the brackets being built.
    ZetProgrammastatus(psDirectKnockout);
    BouwKnockouts(TKnockout::LootWillekeurig);
    ZetGewijzigd(true);
}

std::vector<int>
TToernooiDocument::StartKnockout(const std::optional<KnockoutIndeling::TKeuze>& keuze) {
    TStap stap(*this, QStringLiteral("knockout-indeling"));
    if (Programmastatus() != psPoules)
        ZetProgrammastatus(psPoules);
    if (!keuze)
        return {};
    KnockoutIndeling::PasToe(m_toernooi->Lijst, *keuze);
    ZetProgrammastatus(psKnockout);
    std::vector<int> onvolledig = BouwKnockouts(TKnockout::VolgensPoules);
    ZetGewijzigd(true);
    return onvolledig;
}

std::optional<int> TToernooiDocument::ClubOntmoetingen() const {
    const bool clubs =
        std::any_of(Deelnemers().begin(), Deelnemers().end(), [](const auto& deelnemer) {
            return deelnemer->KnockoutNr != 0 && !deelnemer->Vereniging.trimmed().isEmpty();
        });
    if (!clubs || !m_toernooi->Winnaars)
        return std::nullopt;
    return m_toernooi->Winnaars->ClubOntmoetingen() +
           (m_toernooi->Verliezers ? m_toernooi->Verliezers->ClubOntmoetingen() : 0);
}

void TToernooiDocument::TerugNaarPoules() {
    TStap stap(*this, QString());
    ZetProgrammastatus(psPoules);
}

void TToernooiDocument::ZetPositie(int index, std::optional<int> positie) {
    TStap stap(*this, QStringLiteral("eindstand"));
    if (Programmastatus() != psPoules)
        ZetProgrammastatus(psPoules);
    TDeelnemerLijst& lijst = m_toernooi->Lijst;
    if (!positie || index < 0 || index >= static_cast<int>(lijst.size()))
        return;
    TDeelnemer& deelnemer = *lijst[static_cast<std::size_t>(index)];
    ZetStapOmschrijving(QStringLiteral("eindstand ") + deelnemer.Naam());
    deelnemer.Positie = *positie;
    // From now on the scores no longer decide this pool's positions.
    if (TPoule* poule = WedstrijdPoule(deelnemer.Poule))
        poule->PositiesHandmatig = true;
    ZetGewijzigd(true);
    Q_EMIT PoulesVeranderd();
}

// ------------------------------------------------------------- pool matches

const TPoulewedstrijden& TToernooiDocument::PouleWedstrijden() const {
    return m_toernooi->Wedstrijden;
}

TPoule* TToernooiDocument::WedstrijdPoule(int poule) {
    auto& poules = m_toernooi->Wedstrijden.Poules;
    if (!HeeftPoules(Programmastatus()) || poule < 1 ||
        static_cast<std::size_t>(poule) > poules.size())
        return nullptr;
    return &poules[static_cast<std::size_t>(poule) - 1];
}

TStand TToernooiDocument::PouleStand(int poule) const {
    const auto& poules = m_toernooi->Wedstrijden.Poules;
    if (poule < 1 || static_cast<std::size_t>(poule) > poules.size())
        return {};
    const TPoule& data = poules[static_cast<std::size_t>(poule) - 1];
    // The schedule names every member of a pool of two or more (every
    // operation that moves a participant rebuilds it), so the members come
    // from it without a pass over the whole list; list order is index
    // order. A pool of one or a pool without a schedule takes the pass.
    std::vector<int> leden;
    for (const TPouleWedstrijd& wedstrijd : data.Wedstrijden)
        leden.insert(leden.end(), {wedstrijd.A, wedstrijd.B});
    std::sort(leden.begin(), leden.end());
    leden.erase(std::unique(leden.begin(), leden.end()), leden.end());
    const TDeelnemerLijst& lijst = Deelnemers();
    const bool klopt = !leden.empty() && std::all_of(leden.begin(), leden.end(), [&](int i) {
        return i >= 0 && static_cast<std::size_t>(i) < lijst.size() &&
               lijst[static_cast<std::size_t>(i)]->Poule == poule;
    });
    if (!klopt) {
        // A file may skip a pool number: that pool has nobody to rank.
        leden = Poules::Leden(lijst, poule);
        if (leden.empty())
            return {};
    }
    return BerekenStand(m_toernooi->Wedstrijden.Telling, leden, data, Teruggetrokken(lijst, leden));
}

bool TToernooiDocument::VolgStand(int poule, bool herbereken) {
    TPoule* wedstrijden = WedstrijdPoule(poule);
    if (!wedstrijden)
        return false;
    if (herbereken)
        wedstrijden->PositiesHandmatig = false;
    if (wedstrijden->PositiesHandmatig)
        return false;
    // Positions follow only a finished pool without an open tie; until then
    // the standings set none, and take back those they set before.
    const TStand stand = PouleStand(poule);
    const bool klaar = stand.AllesGespeeld && stand.OpenGelijk.empty();
    std::vector<std::pair<TDeelnemer*, int>> anders;
    for (const TStandRij& rij : stand.Rijen) {
        TDeelnemer* deelnemer = Lijst()[static_cast<std::size_t>(rij.Deelnemer)].get();
        const int positie = klaar ? rij.Plaats : -1;
        if (deelnemer->Positie != positie)
            anders.emplace_back(deelnemer, positie);
    }
    if (anders.empty())
        return false;
    // As a typed position does, a changed one ends a running knockout.
    if (Programmastatus() != psPoules)
        ZetProgrammastatus(psPoules);
    for (const auto& [deelnemer, positie] : anders)
        deelnemer->Positie = positie;
    Q_EMIT PoulesVeranderd();
    return true;
}

void TToernooiDocument::HerbouwSchema(int poule, bool wisLoten) {
    TPoule* wedstrijden = WedstrijdPoule(poule);
    if (!wedstrijden)
        return;
    wedstrijden->Wedstrijden = MaakSchema(Poules::Leden(Lijst(), poule), wedstrijden->Wedstrijden);
    if (wisLoten)
        wedstrijden->Loten.clear();
    VolgStand(poule, false);
    Q_EMIT PouleWedstrijdenVeranderd(poule);
}

bool TToernooiDocument::ZetPouleUitslag(int poule, int wedstrijd, const TGames& games,
                                        bool herbereken) {
    TPoule* wedstrijden = WedstrijdPoule(poule);
    if (!wedstrijden || wedstrijd < 0 ||
        static_cast<std::size_t>(wedstrijd) >= wedstrijden->Wedstrijden.size())
        return false;
    const bool buitenBereik = std::any_of(games.begin(), games.end(), [](const TGame& game) {
        return game.A < 0 || game.B < 0 || game.A > Uitbreiding::HoogsteScore ||
               game.B > Uitbreiding::HoogsteScore;
    });
    if (!games.empty() &&
        (buitenBereik || ControleerUitslag(m_toernooi->Wedstrijden.Telling.Spelvorm, games)))
        return false;
    TPouleWedstrijd& w = wedstrijden->Wedstrijden[static_cast<std::size_t>(wedstrijd)];
    TStap stap(*this, QStringLiteral("uitslag poule %1: %2 - %3")
                          .arg(QString::number(poule), Lijst()[std::size_t(w.A)]->Naam(),
                               Lijst()[std::size_t(w.B)]->Naam()));
    bool anders = herbereken && wedstrijden->PositiesHandmatig;
    if (w.Games != games || w.Afloop != TAfloop::Gespeeld) {
        w.Games = games;
        // A score played out replaces a w.o., a retirement or a disqualification.
        w.Afloop = TAfloop::Gespeeld;
        w.Verliezer = -1;
        // A lot ordered a tie of the scores as they were.
        wedstrijden->Loten.clear();
        anders = true;
    }
    VolgStand(poule, herbereken);
    if (anders) {
        Q_EMIT PouleWedstrijdenVeranderd(poule);
        PlanningNaUitslag({0, poule, 0, wedstrijd});
    }
    return true;
}

void TToernooiDocument::TrekLot(int poule) {
    TPoule* wedstrijden = WedstrijdPoule(poule);
    if (!wedstrijden)
        return;
    const TStand stand = PouleStand(poule);
    if (stand.OpenGelijk.empty())
        return;
    TStap stap(*this, QStringLiteral("lot poule %1").arg(poule));
    RandomSource& toeval = randomSource();
    toeval.seedFromClock();
    for (std::vector<int> volgorde : stand.OpenGelijk) {
        for (std::size_t i = volgorde.size(); i > 1; --i)
            std::swap(volgorde[i - 1],
                      volgorde[static_cast<std::size_t>(toeval.below(static_cast<int>(i)))]);
        wedstrijden->Loten.push_back({std::move(volgorde)});
    }
    VolgStand(poule, false);
    Q_EMIT PouleWedstrijdenVeranderd(poule);
}

bool TToernooiDocument::ZetLot(int poule, const std::vector<int>& volgorde) {
    TPoule* wedstrijden = WedstrijdPoule(poule);
    if (!wedstrijden)
        return false;
    std::vector<int> spelers = volgorde;
    std::sort(spelers.begin(), spelers.end());
    const TStand stand = PouleStand(poule);
    const bool open =
        std::any_of(stand.OpenGelijk.begin(), stand.OpenGelijk.end(), [&](std::vector<int> groep) {
            std::sort(groep.begin(), groep.end());
            return groep == spelers;
        });
    if (!open)
        return false;
    TStap stap(*this, QStringLiteral("lot poule %1").arg(poule));
    wedstrijden->Loten.push_back({volgorde});
    VolgStand(poule, false);
    Q_EMIT PouleWedstrijdenVeranderd(poule);
    return true;
}

std::vector<TPouleWedstrijd> TToernooiDocument::WisselVervalt(int links, int linksPoule, int rechts,
                                                              int rechtsPoule) const {
    const auto& poules = m_toernooi->Wedstrijden.Poules;
    const TDeelnemerLijst& lijst = Deelnemers();
    const auto aantal = static_cast<int>(lijst.size());
    if (linksPoule == rechtsPoule || links == rechts || links < 0 || rechts < 0 ||
        links >= aantal || rechts >= aantal)
        return {};
    std::vector<TPouleWedstrijd> vervallen;
    for (int poule : {linksPoule, rechtsPoule}) {
        if (poule < 1 || static_cast<std::size_t>(poule) > poules.size())
            continue;
        // The pool's members after the swap, in list order.
        std::vector<int> leden;
        for (int i = 0; i < aantal; ++i) {
            const int wordt = i == links    ? rechtsPoule
                              : i == rechts ? linksPoule
                                            : lijst[static_cast<std::size_t>(i)]->Poule;
            if (wordt == poule)
                leden.push_back(i);
        }
        const auto weg =
            VervallenUitslagen(leden, poules[static_cast<std::size_t>(poule) - 1].Wedstrijden);
        vervallen.insert(vervallen.end(), weg.begin(), weg.end());
    }
    return vervallen;
}

bool TToernooiDocument::ZetTelling(const TTelling& telling) {
    TPoulewedstrijden& wedstrijden = m_toernooi->Wedstrijden;
    if (!HeeftPoules(Programmastatus()) || GeldigeTelling(telling) != telling)
        return false;
    // Scores entered under one game rule are no scores under another.
    const bool gespeeld =
        std::any_of(wedstrijden.Poules.begin(), wedstrijden.Poules.end(), [](const TPoule& p) {
            return std::any_of(p.Wedstrijden.begin(), p.Wedstrijden.end(),
                               [](const TPouleWedstrijd& w) { return w.Gespeeld(); });
        });
    if (gespeeld && telling.Spelvorm != wedstrijden.Telling.Spelvorm)
        return false;
    if (telling == wedstrijden.Telling)
        return true;
    TStap stap(*this, QStringLiteral("telling ") + SysteemNaam(telling.Systeem));
    wedstrijden.Telling = telling;
    for (int poule = 1; poule <= static_cast<int>(wedstrijden.Poules.size()); ++poule) {
        VolgStand(poule, false);
        Q_EMIT PouleWedstrijdenVeranderd(poule);
    }
    return true;
}
