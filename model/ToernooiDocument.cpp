#include "model/ToernooiDocument.h"

#include "model/Ansi.h"
#include "model/Knockout.h"
#include "model/Poules.h"
#include "model/RandomSource.h"
#include "model/Text.h"

#include <algorithm>
#include <utility>

using Deelnemerslijst::TNaam;
using Deelnemerslijst::TNamen;

namespace {

const QString Einde = QStringLiteral("#Einde");
const QString Herstelwoord = QStringLiteral("#Herstel");

// The recovery part after "#Einde": "#Herstel", the file name, the names
// (first and last name on lines of their own) and their count on the last
// line, so that it is read from the end and any name may stand in it.
struct TNawoord {
    QString Bestandsnaam;
    TNamen Namen;
};

std::optional<TNawoord> LeesNawoord(const QStringList& regels) {
    const qsizetype aantalRegels = regels.size();
    if (aantalRegels < 4)
        return std::nullopt;
    bool getal = false;
    const qsizetype aantal = regels.last().toLongLong(&getal);
    if (!getal || aantal < 0 || aantal > (aantalRegels - 4) / 2)
        return std::nullopt;
    const qsizetype eerste = aantalRegels - 1 - 2 * aantal;
    if (regels.at(eerste - 2) != Herstelwoord || regels.at(eerste - 3) != Einde)
        return std::nullopt;
    TNawoord nawoord;
    nawoord.Bestandsnaam = regels.at(eerste - 1);
    nawoord.Namen.reserve(static_cast<std::size_t>(aantal));
    for (qsizetype i = eerste; i < aantalRegels - 1; i += 2)
        nawoord.Namen.push_back({regels.at(i), regels.at(i + 1)});
    return nawoord;
}

// The names as the participant list window shows a list it is given.
TNamen GesorteerdeNamen(const TDeelnemerLijst& deelnemers) {
    TNamen namen;
    namen.reserve(deelnemers.size());
    for (const auto& deelnemer : deelnemers)
        namen.push_back({deelnemer->Voornaam, deelnemer->Achternaam});
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
                        TNamen& namen, QString& bestandsnaam) {
    toernooi = std::make_unique<TToernooi>();
    if (auto fout = Toernooibestand::Lees(inhoud, *toernooi)) {
        toernooi.reset();
        return fout;
    }
    if (auto nawoord = LeesNawoord(Ansi::splitLines(Ansi::decode(inhoud)))) {
        namen = std::move(nawoord->Namen);
        bestandsnaam = nawoord->Bestandsnaam;
    } else {
        namen = GesorteerdeNamen(toernooi->Lijst);
    }
    return std::nullopt;
}

std::optional<Toernooibestand::Leesfout>
TToernooiDocument::Laad(const QByteArray& inhoud, const std::optional<QString>& pad) {
    std::unique_ptr<TToernooi> toernooi;
    TNamen namen;
    QString bewaardeNaam;
    if (auto fout = Lees(inhoud, toernooi, namen, bewaardeNaam))
        return fout;
    m_bestandsnaam = pad.value_or(bewaardeNaam);
    Vervang(std::move(toernooi), std::move(namen));
    BeginOpnieuw();
    if (Programmastatus() == psPoules || Programmastatus() == psKnockout)
        Q_EMIT PoulesGetrokken();
    return std::nullopt;
}

std::optional<Toernooibestand::Leesfout> TToernooiDocument::Open(const QByteArray& inhoud,
                                                                 const QString& pad) {
    return Laad(inhoud, pad);
}

std::optional<Toernooibestand::Leesfout> TToernooiDocument::Herstel(const QByteArray& inhoud) {
    if (auto fout = Laad(inhoud, std::nullopt))
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
    if (Lees(herstelbestand, toernooi, namen, bestandsnaam))
        return std::nullopt;
    const std::size_t aantal =
        toernooi->Programmastatus == psGeen ? namen.size() : toernooi->Lijst.size();
    return TSamenvatting{static_cast<int>(aantal), bestandsnaam};
}

QByteArray TToernooiDocument::Bestand() const {
    if (Programmastatus() == psGeen) {
        ClockSeededRandomSource eigen;
        const TDeelnemerLijst lijst = Deelnemerslijst::MaakLijst(m_namen, eigen);
        return Toernooibestand::Schrijf(psGeen, lijst, nullptr, nullptr);
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
    QStringList nawoord{Herstelwoord, bestandsnaam};
    nawoord.reserve(3 + 2 * static_cast<qsizetype>(m_namen.size()));
    for (const TNaam& naam : m_namen)
        nawoord << naam.Voornaam << naam.Achternaam;
    nawoord << QString::number(m_namen.size());
    if (Programmastatus() == psGeen) {
        // Before a start only the names count; they are kept in list order
        // so that restoring them shuffles nothing.
        TDeelnemerLijst lijst;
        lijst.reserve(m_namen.size());
        for (const TNaam& naam : m_namen)
            lijst.push_back(std::make_unique<TDeelnemer>(naam.Voornaam, naam.Achternaam));
        return Toernooibestand::Schrijf(psGeen, lijst, nullptr, nullptr, nawoord);
    }
    return Toernooibestand::Schrijf(m_toernooi->Programmastatus, m_toernooi->Lijst,
                                    m_toernooi->Winnaars.get(), m_toernooi->Verliezers.get(),
                                    nawoord);
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
    Q_EMIT PoulesVeranderd();
}

std::vector<int> TToernooiDocument::BouwKnockouts(int indeling) {
    TStap stap(*this, QStringLiteral("knockout-indeling"));
    DropKnockouts();
    TDeelnemerLijst& deelnemers = m_toernooi->Lijst;
    m_toernooi->Winnaars = std::make_unique<TKnockout>(deelnemers, 1, indeling);
    m_toernooi->Verliezers = std::make_unique<TKnockout>(deelnemers, 2, indeling);
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
    Q_EMIT PoulesVeranderd();
    return true;
}

void TToernooiDocument::LateInschrijving(const QString& voornaam, const QString& achternaam,
                                         int poule) {
    auto deelnemer = std::make_unique<TDeelnemer>(voornaam, achternaam);
    deelnemer->Poule = poule;
    TStap stap(*this, QStringLiteral("late inschrijving ") + deelnemer->Naam());
    // The names take the newcomer as the participant list window would:
    // at the end, then sorted into place.
    m_namen.push_back({deelnemer->Voornaam, deelnemer->Achternaam});
    Deelnemerslijst::Sorteer(m_namen, -1);
    m_toernooi->Lijst.push_back(std::move(deelnemer));
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
        // Once the step has changed the tournament the document passes the
        // match on (UitslagIngevoerd), so that whoever shows the brackets
        // can point out the match just played.
        if (anders)
            m_uitslag = TUitslag{knockoutNr, ronde, nummer};
        Q_EMIT KnockoutGewijzigd(knockoutNr, ronde, nummer);
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
    Q_EMIT KnockoutGewijzigd(knockoutNr, 0, nummer);
}

void TToernooiDocument::MaakBye(int knockoutNr, int nummer) {
    TKnockout* knockout = Knockout(knockoutNr);
    TKnockoutWedstrijdWijzig* onder = knockout ? knockout->Wijziger(nummer, 1) : nullptr;
    if (!onder)
        return;
    TStap stap(*this, QStringLiteral("deelnemer ") + knockout->WedstrijdNaam(0, nummer));
    onder->MaakBye();
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

int TToernooiDocument::VoegDeelnemerToe(const QString& voornaam, const QString& achternaam) {
    if ((voornaam.isEmpty() && achternaam.isEmpty()) || NaamBestaat(voornaam, achternaam))
        return -1;
    TStap stap(*this, QStringLiteral("deelnemer ") + NaamTekst(voornaam, achternaam) +
                          QStringLiteral(" toevoegen"));
    EindigLopendToernooi();
    // At the end, then sorted into place: equal keys keep the newest last.
    TNamen namen = m_namen;
    namen.push_back({voornaam, achternaam});
    const auto nieuw = static_cast<qsizetype>(namen.size()) - 1;
    return ZetGesorteerdeNamen(std::move(namen), nieuw);
}

int TToernooiDocument::WijzigDeelnemer(int index, const QString& voornaam,
                                       const QString& achternaam) {
    if (index < 0 || std::size_t(index) >= m_namen.size())
        return -1;
    const qsizetype gevonden = Deelnemerslijst::ZoekNaam(m_namen, voornaam, achternaam);
    if ((voornaam.isEmpty() && achternaam.isEmpty()) || (gevonden >= 0 && gevonden != index))
        return -1;
    const TNaam& oud = m_namen[std::size_t(index)];
    TStap stap(*this, QStringLiteral("deelnemer ") + NaamTekst(oud.Voornaam, oud.Achternaam) +
                          QStringLiteral(" wijzigen"));
    EindigLopendToernooi();
    TNamen namen = m_namen;
    namen[std::size_t(index)] = {voornaam, achternaam};
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

void TToernooiDocument::ImporteerNamen(const TNamen& nieuw) {
    TStap stap(*this, nieuw.size() == 1
                          ? QStringLiteral("importeren van 1 deelnemer")
                          : QStringLiteral("importeren van %1 deelnemers").arg(nieuw.size()));
    EindigLopendToernooi();
    TNamen namen = m_namen;
    namen.insert(namen.end(), nieuw.begin(), nieuw.end());
    ZetGesorteerdeNamen(std::move(namen), -1);
}

void TToernooiDocument::BeeindigToernooi() {
    TStap stap(*this, QString());
    EindigLopendToernooi();
}

// ------------------------------------------------------ start and pool stage

int TToernooiDocument::StartPoules(const std::optional<TPouleIndeling>& indeling,
                                   const Poulewedstrijden::TTelling& telling) {
    TStap stap(*this, QStringLiteral("poule-indeling"));
    // The list is made and shuffled before the draw, whatever the answer,
    // so that the random source gives every start the same numbers.
    ZetProgrammastatus(psGeen);
    ZetDeelnemers(Deelnemerslijst::MaakLijst(m_namen));
    if (!indeling)
        return 0;
    const int mislukt = PouleIndeling::VerdeelDeelnemers(m_toernooi->Lijst, *indeling);
    m_toernooi->Wedstrijden.Telling = telling;
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
    ZetGewijzigd(true);
    Q_EMIT PoulesVeranderd();
}
