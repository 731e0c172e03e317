#pragma once

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>

class QThread;
class TToernooiDocument;

// Autosave and crash recovery. Shortly after every change the tournament is
// written as a recovery file into the user's data folder: serialised on the
// user-interface thread (a few milliseconds) and written on a thread of its
// own, so the user never waits for the disk. Every write is a new version
// named with its time; the newest ten are kept. A clean exit removes the
// version this run wrote last and notes the time, so that at the next start
// only a version newer than that note is offered for recovery.
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
    void ZetKlok(Klok klok) { m_klok = std::move(klok); }
    QDateTime Nu() const { return m_klok(); }

    // The version to offer at start, or empty when there is none newer
    // than the last clean exit.
    QString TeHerstellen() const;
    // The time a version was written, from its name.
    static QDateTime Tijd(const QString& pad);
    // The offered version was declined: it stays among the versions, but is
    // not offered again.
    void Afgewezen();
    // Moves a damaged version aside; the new path.
    QString ZetOpzij(const QString& pad);
    // The program closes after the save question: no pending write, the
    // current version removed, the time noted.
    void SchoonAfsluiten();

    // Writes now instead of after the delay (also used by the benchmark).
    void SchrijfNu();
    // Returns once every write handed to the thread is done.
    void Wacht();
    // The version this run wrote last, or empty.
    QString HuidigBestand() const { return m_huidig; }
    // The longest time the user-interface thread spent on one write, in ms.
    double LangsteWacht() const { return m_langsteWacht; }

private:
    void Plan();
    QString NotitiePad() const;
    QDateTime LaatsteAfsluiting() const;
    void NoteerAfsluiting();
    QDateTime VolgendeTijd();
    QStringList Versies() const;

    TToernooiDocument& m_document;
    Schrijver m_schrijver;
    Klok m_klok;
    QString m_map;
    QString m_huidig;
    QDateTime m_vorigeTijd; // of the last name given
    QTimer m_timer;
    QThread* m_thread;
    QObject* m_werker;
    double m_langsteWacht = 0;
};
