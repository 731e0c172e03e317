#pragma once

#include "model/Deelnemerslijst.h"
#include "model/KnockoutIndeling.h"
#include "model/KnockoutWedstrijd.h"
#include "model/Planning.h"
#include "model/PouleIndeling.h"
#include "model/Poulewedstrijden.h"
#include "model/Programmastatus.h"
#include "model/Toernooi.h"

#include <QByteArray>
#include <QObject>
#include <QString>

#include <QDateTime>

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

// The one tournament of the program: its stage, the names of the participant
// list, the running participants, both brackets, the file name and whether
// there are unsaved changes. Every change of tournament data runs inside a
// step (TStap); a step that changed anything becomes one entry of the
// history, so it can be undone and redone. The windows show the document and
// hear through its signals what changed.
//
// The history keeps the whole tournament as it stood before each step, in
// the tournament file's own form: restoring it gives exactly the same file.
class TToernooiDocument : public QObject {
    Q_OBJECT

public:
    // How many steps can be undone; older ones are forgotten.
    static constexpr int MaxStappen = 200;

    explicit TToernooiDocument(QObject* parent = nullptr);
    ~TToernooiDocument() override;

    TProgrammastatus Programmastatus() const;
    const TDeelnemerLijst& Deelnemers() const { return m_toernooi->Lijst; }
    const TKnockout* WinnaarsKnockout() const { return m_toernooi->Winnaars.get(); }
    const TKnockout* VerliezersKnockout() const { return m_toernooi->Verliezers.get(); }
    // The participant list window's names, in the order it shows them.
    const Deelnemerslijst::TNamen& Namen() const { return m_namen; }
    const QString& Bestandsnaam() const { return m_bestandsnaam; }
    bool Gewijzigd() const;

    // --- lifecycle: these clear the history
    // An empty tournament without file name, unmodified.
    void Nieuw();
    // Reads a tournament file into a new tournament, which replaces this one
    // only when it loaded completely; on a failure nothing changes. A fault
    // in the pool matches after "#Einde" is a Leesfout of kind Uitbreiding:
    // the caller asks, and may open the file again `zonderUitbreiding`, as
    // if it had no pool matches.
    std::optional<Toernooibestand::Leesfout> Open(const QByteArray& inhoud, const QString& pad,
                                                  bool zonderUitbreiding = false);
    // Takes over a recovery file (see Herstelbestand): marked modified, with
    // the file name it had. Faults as with Open.
    std::optional<Toernooibestand::Leesfout> Herstel(const QByteArray& inhoud,
                                                     bool zonderUitbreiding = false);

    // The bytes BewaarToernooi writes. Before a start the list is built from
    // the names, shuffled as a new tournament would be, but by a generator
    // of its own: saving never moves the numbers of the next draw.
    QByteArray Bestand() const;
    // Whether there is anyone to save.
    bool HeeftDeelnemers() const;
    // The file was written to `pad`: it is the file name and the saved state.
    void Bewaard(const QString& pad);
    // The tournament as a recovery file: the tournament file, with the file
    // name and the participant list window's names in its block after
    // "#Einde" (see Uitbreiding).
    QByteArray Herstelbestand() const;
    // The participant count and file name of a recovery file, for the
    // question at start; nothing when it cannot be read (a fault in its pool
    // matches alone still gives them).
    struct TSamenvatting {
        int Deelnemers = 0;
        QString Bestandsnaam;
    };
    static std::optional<TSamenvatting> Samenvatting(const QByteArray& herstelbestand);

    // --- changes of tournament data, each a step of its own unless inside one
    // The stage alone is no step: it joins the step it runs in, or the next.
    void ZetProgrammastatus(TProgrammastatus status);
    // true marks the tournament modified; false makes this the saved state.
    void ZetGewijzigd(bool gewijzigd);
    void ZetNamen(Deelnemerslijst::TNamen namen, const QString& omschrijving);
    // A new running list; the brackets that point into the old one go first.
    void ZetDeelnemers(TDeelnemerLijst deelnemers);
    // Builds both brackets on the running list (TKnockout::Indeling) and
    // returns the numbers of the brackets a seeded draw could not complete.
    std::vector<int> BouwKnockouts(int indeling);

    // --- history
    bool KanOngedaanMaken() const { return !m_ongedaan.empty(); }
    bool KanOpnieuw() const { return !m_opnieuw.empty(); }
    QString OngedaanMakenOmschrijving() const;
    QString OpnieuwOmschrijving() const;
    void MaakOngedaan();
    void Opnieuw();
    // Bytes the history holds, for the benchmarks.
    qsizetype GeschiedenisGrootte() const;

    // --- participant list
    // Whether the names hold exactly this one (see Deelnemerslijst::ZelfdeNaam).
    bool NaamBestaat(const QString& voornaam, const QString& achternaam) const;
    // Each of these is one step that also ends a running tournament; the
    // window asks the organiser first. They return the name's index in
    // Namen() afterwards, or -1 and change nothing when the name is empty
    // or another participant has it already.
    int VoegDeelnemerToe(const QString& voornaam, const QString& achternaam);
    // Even an unchanged name counts as a change: the organiser confirmed one.
    // This one keeps the participant's club and seed.
    int WijzigDeelnemer(int index, const QString& voornaam, const QString& achternaam);
    // With club and seed: also -1 when another participant holds the seed
    // (seeds are unique; the dialog refuses that first, see NaamMetPlaatsing).
    int VoegDeelnemerToe(const Deelnemerslijst::TNaam& naam);
    int WijzigDeelnemer(int index, const Deelnemerslijst::TNaam& naam);
    // The index in Namen() of the name holding this seed, other than
    // `behalve`; -1 when nobody does (or for 0, no seed).
    int NaamMetPlaatsing(int plaatsing, int behalve = -1) const;
    void VerwijderDeelnemer(int index);
    // Names that the import found new join the list in one step. The
    // `aanvullingen` name participants already in the list: each gets the
    // club and the seed it gives where it has none (a seed only while
    // nobody holds it).
    void ImporteerNamen(const Deelnemerslijst::TNamen& nieuw,
                        const Deelnemerslijst::TNamen& aanvullingen = {});
    // Ends the running tournament as a step of its own.
    void BeeindigToernooi();

    // --- knockout stage
    // Brackets are numbered 1 (winners' round) and 2 (losers' round); rounds
    // and matches are counted from 0. Each operation is one step named after
    // the match, and ends with KnockoutGewijzigd. Questions are the window's:
    // it asks them before it calls.

    // The score of a playable match; -1, -1 clears it. Returns the later
    // matches that lost their result (see TKnockoutWedstrijd::TeWissen).
    // Anything else (no such match, not playable, a negative or equal
    // score) changes nothing.
    std::vector<const TKnockoutWedstrijd*> ZetUitslag(int knockoutNr, int ronde, int nummer,
                                                      int scoreBoven, int scoreOnder);
    // Puts an unplaced participant of the bracket, or nobody, in a slot of
    // a first-round match (plek 0 upper, 1 lower); anyone else changes nothing.
    void KiesDeelnemer(int knockoutNr, int nummer, int plek, const TDeelnemer* deelnemer);
    // Makes a first-round match a bye.
    void MaakBye(int knockoutNr, int nummer);

    // --- knockout matches not played out, and late arrivals
    // Ends a playable match without playing it out: w.o., opgegeven (with
    // the score at that moment) or diskwalificatie, and who lost. As
    // ZetUitslag: one step, the later matches that lost their result come
    // back, and anything that does not apply changes nothing.
    std::vector<const TKnockoutWedstrijd*> ZetAfloop(int knockoutNr, int ronde, int nummer,
                                                     const TKnockoutAfloop& afloop);
    // A participant who arrives late takes the lower slot of an open bye of
    // the first round (TKnockoutWedstrijd::IsOpenBye), which so becomes a
    // real match, and joins the names and the running list. One step. False,
    // and nothing changed, when the bye is not open or the name is empty,
    // "bye" or taken.
    bool LaatkomerInBye(int knockoutNr, int nummer, const QString& voornaam,
                        const QString& achternaam);

    // --- start and pool stage: each one step. Whatever the user must agree
    // to (ending a running stage) the window asks before it calls.
    // The pool division window's answer: a running list from the names,
    // shuffled and drawn into `indeling`. Without a division (cancelled) the
    // running tournament still ends, as the user agreed before the window.
    // Returns how many fills of the draw failed, an internal fault the
    // caller reports (PouleIndeling::SoftwarefoutTekst); normally 0. The
    // clubs the pool sizes did not let the draw spread go to `knelpunten`,
    // for the caller to tell (Loting::KnelpuntTekst).
    int StartPoules(const std::optional<TPouleIndeling>& indeling,
                    const Poulewedstrijden::TTelling& telling =
                        Poulewedstrijden::Preset(Poulewedstrijden::TSysteem::Badminton),
                    std::vector<Loting::TKnelpunt>* knelpunten = nullptr);
    // Everyone from the names into the winners' round, drawn at random.
    void StartDirecteKnockout();
    // The knockout division window's answer: the pool finishers split as
    // chosen, both brackets seeded from the pools. Without a choice
    // (cancelled) only a running knockout ends. Returns the numbers of the
    // brackets the seeded draw could not complete, for the caller to tell.
    std::vector<int> StartKnockout(const std::optional<KnockoutIndeling::TKeuze>& keuze);
    // Ends a running knockout: the pool stage again.
    void TerugNaarPoules();
    // Club mates in both brackets' first rounds who meet before the
    // semi-final if they keep winning; nothing when no one in a bracket has
    // a club. The caller tells it after a draw.
    std::optional<int> ClubOntmoetingen() const;
    // The position of the participant at list index `index`; a running
    // knockout ends with it. Without a position (or participant) only the
    // knockout ends. Setting a position counts as a change even when it
    // stays the same, as clearing an open one does.
    void ZetPositie(int index, std::optional<int> positie);
    // The swap of the pool editing window (see Poules::Wissel).
    bool WisselPoules(int links, int linksPoule, int rechts, int rechtsPoule);
    // A participant who arrives late joins `poule`, the running list and the
    // names.
    void LateInschrijving(const QString& voornaam, const QString& achternaam, int poule);
    // The same with club and seed; a seed someone holds is left out.
    void LateInschrijving(const Deelnemerslijst::TNaam& naam, int poule);

    // --- pool matches (pools numbered from 1, matches by their index in the
    // pool's schedule). Each operation is one step.
    const Poulewedstrijden::TPoulewedstrijden& PouleWedstrijden() const;
    // The live standings of a pool.
    Poulewedstrijden::TStand PouleStand(int poule) const;
    // Enters, corrects or (with no games) clears a score. Games the scoring
    // system refuses change nothing and return false. When the pool is then
    // complete without an open tie, its positions follow the standings, as
    // if typed; positions set by hand stay unless `herbereken`.
    bool ZetPouleUitslag(int poule, int wedstrijd, const Poulewedstrijden::TGames& games,
                         bool herbereken = false);
    // A match not played out: a w.o., a retirement with the score at that
    // moment, or a disqualification (with or without a score), lost by
    // `verliezer` (0 = A, 1 = B); TAfloop::Gespeeld enters the games as
    // ZetPouleUitslag does. What the system or the rules refuse changes
    // nothing and returns false; positions follow as after a score.
    bool ZetPouleAfloop(int poule, int wedstrijd, TAfloop afloop, int verliezer,
                        const Poulewedstrijden::TGames& games = {}, bool herbereken = false);
    // Draws the order of every open tie of the pool from the random source.
    void TrekLot(int poule);
    // Orders one open tie by hand: `volgorde` holds exactly its players.
    bool ZetLot(int poule, const std::vector<int>& volgorde);
    // The played matches a swap would drop, for the question before it.
    std::vector<Poulewedstrijden::TPouleWedstrijd> WisselVervalt(int links, int linksPoule,
                                                                 int rechts, int rechtsPoule) const;
    // Another scoring system after the draw. Refused (false) when a score is
    // entered and the game rule would change, or when the file could not
    // hold it (Lot in the order, points below 0 or above three digits; the
    // draw's own system is held to that by leaving those out).
    // Positions follow the new standings as after a score.
    bool ZetTelling(const Poulewedstrijden::TTelling& telling);

    // --- attendance
    // Marks the participant at running list index `index` withdrawn (or,
    // with false, back in) as one step. In the pools its matches from pool
    // round `vanafRonde` on that are not played are lost without play (from
    // its next unplayed match when 0), and the scoring system decides what
    // that does to the standings; in the knockout its next match becomes a
    // walkover for the opponent. False when nothing changed.
    bool ZetTeruggetrokken(int index, bool teruggetrokken, int vanafRonde = 0);

    // --- the tournament day: courts and times. The plan is kept with the
    // tournament; each change is one step.
    const Planning::TDagInstellingen& DagInstellingen() const;
    // False (and nothing changes) for settings that cannot make a day
    // (Planning::Geldig). Court names are kept on one line, trimmed.
    bool ZetDagInstellingen(const Planning::TDagInstellingen& instellingen);
    // "Planning maken": every pool and knockout match gets a court and a
    // start; matches already called or played keep theirs.
    void MaakPlanning();
    bool HeeftPlanning() const;
    // The plan as it stands, with times shifted by the real finishes.
    Planning::TDagoverzicht Dagoverzicht() const;
    // Per court: the match on it now and the one called next.
    std::vector<Planning::TBaanStand> Banen() const;
    // The organiser moves a match to another court or start. The move is
    // made; the clashes it causes come back in Dutch (empty: none). False
    // when there is no such planned match or the court does not exist.
    bool VerplaatsWedstrijd(const Planning::TWedstrijdPlek& plek, int baan, int begin,
                            QStringList* botsingen = nullptr);
    // Calls a planned match to its court now; an empty `plek` calls the
    // next match whose players are all free and rested. (After a score the
    // document calls the next match to the freed court itself.)
    bool RoepOp(const Planning::TWedstrijdPlek& plek, int baan);
    // The time of day for the day's times; tests put a clock of their own.
    using TKlok = std::function<QDateTime()>;
    void ZetKlok(TKlok klok);

Q_SIGNALS:
    void ProgrammastatusVeranderd(int status);
    void GewijzigdVeranderd(bool gewijzigd);
    // The participant list window's names changed (also by undo, redo, new
    // and open).
    void NamenVeranderd();
    // Pools or positions changed in the participants.
    void PoulesVeranderd();
    // A new pool division stands: a start drew it or a file brought it.
    void PoulesGetrokken();
    // The brackets are about to go: whoever shows them lets go first.
    void KnockoutsVerdwijnen();
    // New brackets stand in the document.
    void KnockoutsGebouwd();
    // The whole tournament was replaced: new, open, undo or redo.
    void Vervangen(int vorigeStatus);
    // Undo or redo brought back an earlier state.
    void Hersteld(int vorigeStatus);
    void GeschiedenisVeranderd();
    // A pool's schedule, scores, lots or standings changed.
    void PouleWedstrijdenVeranderd(int poule);
    // A step changed the tournament: time to write the recovery file.
    void InhoudVeranderd();
    // The step that just ended entered the score of this match; it follows
    // InhoudVeranderd.
    void UitslagIngevoerd(int knockoutNr, int ronde, int nummer);
    // A knockout operation changed this match, and with it perhaps every
    // match after it on the way to the final; in the first round its choice
    // buttons too.
    void KnockoutGewijzigd(int knockoutNr, int ronde, int nummer);
    // The day's plan, a court or a call changed.
    void PlanningVeranderd();
    // A match was called to a court (after a score, or by RoepOp).
    void Opgeroepen(int baan);

private:
    // The model's test builds its tournaments step by step, as the
    // operations do.
    friend class ToernooiDocumentTest;

    TDeelnemerLijst& Lijst() { return m_toernooi->Lijst; }

    // --- steps
    // Groups every change made during its life into one history entry;
    // nested steps belong to the outermost one. Only the operations open
    // them: a window cannot make a change the history does not know.
    class TStap {
    public:
        TStap(TToernooiDocument& document, const QString& omschrijving);
        ~TStap();
        TStap(const TStap&) = delete;
        TStap& operator=(const TStap&) = delete;

    private:
        TToernooiDocument& m_document;
    };
    void BeginStap(const QString& omschrijving);
    void EindigStap();
    bool InStap() const { return m_stapDiepte > 0; }
    // Names the running outermost step, once it is known what it did.
    void ZetStapOmschrijving(const QString& omschrijving);

    struct TToestand {
        std::uint64_t Id = 0;
        QByteArray Inhoud; // compressed recovery file of the state
    };
    struct TEntry {
        TToestand Toestand;
        QString Omschrijving;
    };

    // Replaces the tournament by the file's only when it loaded completely;
    // the history starts anew. Without `pad` the file name is the one a
    // recovery file carries.
    std::optional<Toernooibestand::Leesfout>
    Laad(const QByteArray& inhoud, const std::optional<QString>& pad, bool zonderUitbreiding);
    QByteArray MaakInhoud(const QString& bestandsnaam) const;
    TToestand Vastleggen();
    void BeginOpnieuw(); // the current state becomes the whole history
    void WisGeschiedenis();
    void Vervang(std::unique_ptr<TToernooi> toernooi, Deelnemerslijst::TNamen namen);
    void HerstelToestand(const TToestand& toestand);
    static std::optional<Toernooibestand::Leesfout>
    Lees(const QByteArray& inhoud, std::unique_ptr<TToernooi>& toernooi,
         Deelnemerslijst::TNamen& namen, QString& bestandsnaam, bool zonderUitbreiding = false);
    void DropKnockouts();
    void HerijkHuidig();
    // Sorts the names, keeping track of the one at `gevolgd`, and tells the
    // windows; the new index of the followed name.
    int ZetGesorteerdeNamen(Deelnemerslijst::TNamen namen, qsizetype gevolgd);
    void EindigLopendToernooi();
    TKnockout* Knockout(int knockoutNr);
    // The pool matches of pool `poule` in a stage with pools, or null.
    Poulewedstrijden::TPoule* WedstrijdPoule(int poule);
    // Positions follow the standings of a finished pool without an open
    // tie, and go back to unknown when it no longer is; unless set by hand
    // (`herbereken` clears that). True when any position changed.
    bool VolgStand(int poule, bool herbereken);
    // What a withdrawal (or its undoing) does to the pools and to the
    // brackets; both run inside ZetTeruggetrokken's step.
    void PoulesNaTerugtrekking(int index, int vanafRonde);
    void KnockoutsNaTerugtrekking(int index);
    // The moment of the day (minutes from its start) by the clock.
    int Nu() const;
    // A result of the match came in or went: the day's plan follows.
    void PlanningNaUitslag(const Planning::TWedstrijdPlek& plek);
    // The pool's schedule anew for its members now, keeping the results of
    // pairs that remain.
    void HerbouwSchema(int poule, bool wisLoten);

    std::unique_ptr<TToernooi> m_toernooi;
    Deelnemerslijst::TNamen m_namen;
    QString m_bestandsnaam;

    TToestand m_huidig;
    std::uint64_t m_bewaardId = 0;
    std::uint64_t m_volgendId = 1;
    std::deque<TEntry> m_ongedaan;
    std::deque<TEntry> m_opnieuw;
    int m_stapDiepte = 0;
    QString m_stapOmschrijving;
    bool m_forceerGewijzigd = false;
    bool m_buitenStap = false; // the stage was set outside any step
    struct TUitslag {
        int KnockoutNr = 0;
        int Ronde = 0;
        int Nummer = 0;
    };
    std::optional<TUitslag> m_uitslag; // reported by the running step
    TKlok m_klok;
    // The day's overview of the state with this id: the windows ask for it
    // after every change, and for thousands of matches it is worth keeping.
    mutable std::optional<std::pair<std::uint64_t, Planning::TDagoverzicht>> m_dagoverzicht;
};
