#pragma once

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>
#include <memory>

class QLockFile;
class QThread;
class TToernooiDocument;

// Autosave and crash recovery. Shortly after every change the tournament is
// written as a recovery file into the user's data folder: serialised on the
// user-interface thread (a few milliseconds) and written on a thread of its
// own, so the user never waits for the disk.
//
// Every running copy of the program has versions of its own: a copy number,
// one higher than any in the folder, and a version number that only grows.
// The clock names no version, so a clock set back or a time zone changed
// never makes an older version look newer. Each copy keeps its newest ten
// and never removes another's. A copy holds a lock file while it runs; at
// the start, the versions of a copy that no longer runs and did not settle
// them (a clean exit, nothing unsaved, or an answer to the recovery
// question) are offered.
class THerstel : public QObject {
    Q_OBJECT

public:
    using Klok = std::function<QDateTime()>;
    // Writes a whole file safely: the failure's message, or nothing.
    using Schrijver = std::function<QString(const QString&, const QByteArray&)>;

    static constexpr int Vertraging = 1000; // ms from a change to its write
    static constexpr int AantalVersies = 10;

    THerstel(TToernooiDocument& document, Schrijver schrijver, QObject* parent = nullptr);
    ~THerstel() override;

    // The folder of the versions: "herstel" in the user's data folder.
    static QString StandaardMap();
    QString Map() const { return m_map; }
    void ZetMap(const QString& map) { m_map = map; }
    // The clock only dates a version for the recovery question.
    void ZetKlok(Klok klok) { m_klok = std::move(klok); }

    // The version to offer at start: the newest of the newest copy that has
    // unsettled versions and no longer runs, or empty. That copy stays
    // reserved for this one (no other copy offers it) until Afgewezen,
    // Overgenomen or the next call.
    QString TeHerstellen();
    // The time a version was written, from its name.
    static QDateTime Tijd(const QString& pad);
    // The offered version was declined: its copy's versions stay, but are
    // not offered again.
    void Afgewezen();
    // The offered version was restored: it is written at once as this
    // copy's own, and the other copy's versions are settled.
    void Overgenomen();
    // Moves a damaged version aside; the new path.
    QString ZetOpzij(const QString& pad);
    // The program closes after the save question: no pending write, the
    // current version removed, this copy's versions settled.
    void SchoonAfsluiten();

    // Writes now instead of after the delay (also used by the benchmark).
    // With nothing unsaved nothing is written: the versions so far are
    // settled instead, as a saved or freshly opened tournament needs none.
    void SchrijfNu();
    // Returns once every write handed to the thread is done.
    void Wacht();
    // The version this run wrote last, or empty.
    QString HuidigBestand() const { return m_huidig; }
    // The longest time the user-interface thread spent on one write, in ms.
    double LangsteWacht() const { return m_langsteWacht; }

private:
    struct TAanbod;

    void Plan();
    void GewijzigdVeranderd(bool gewijzigd);
    // This copy's number, taken from the folder at its first write.
    int Kopie();
    // Notes that this copy's versions so far hold nothing unsaved.
    void Vereffen();
    // Removes what copies that ended left behind, beyond the newest
    // versions, and the locks of copies that crashed with nothing unsaved.
    void Opruimen();

    TToernooiDocument& m_document;
    Schrijver m_schrijver;
    Klok m_klok;
    QString m_map;
    int m_kopie = 0;
    std::unique_ptr<QLockFile> m_slot; // held while this copy runs
    int m_volgnummer = 0;              // of the last version written
    int m_vereffend = 0;               // the last version settled
    std::unique_ptr<TAanbod> m_aanbod; // the copy offered at start
    QString m_huidig;
    QTimer m_timer;
    QThread* m_thread;
    QObject* m_werker;
    double m_langsteWacht = 0;
};
