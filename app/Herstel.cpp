#include "app/Herstel.h"

#include "model/ToernooiDocument.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QThread>

#include <algorithm>
#include <map>

namespace {

// A version: "herstel-<copy>-<version>-<UTC time>.txt". The numbers order
// the versions; the time is only shown.
const QRegularExpression
    VersieNaam(QStringLiteral("^herstel-(\\d{8})-(\\d{8})-(\\d{8}-\\d{6}-\\d{3})\\.txt$"));
// The versions of earlier releases: "herstel-<local time>.txt", settled up
// to the time in the note "afgesloten".
const QRegularExpression OudeVersieNaam(QStringLiteral("^herstel-(\\d{8}-\\d{6}-\\d{3})\\.txt$"));
const QRegularExpression KopieBestand(QStringLiteral("^kopie-(\\d{8})\\.(lock|klaar)$"));
const QString Tijdvorm = QStringLiteral("yyyyMMdd-HHmmss-zzz");
const QString OudeNotitie = QStringLiteral("afgesloten");
const QString MapSlot = QStringLiteral("herstel.lock");

QString Nummer(int getal) {
    return QStringLiteral("%1").arg(getal, 8, 10, QLatin1Char('0'));
}

QString SlotPad(const QString& map, int kopie) {
    return map + QStringLiteral("/kopie-") + Nummer(kopie) + QStringLiteral(".lock");
}

QString KlaarPad(const QString& map, int kopie) {
    return map + QStringLiteral("/kopie-") + Nummer(kopie) + QStringLiteral(".klaar");
}

// A lock of a copy, free when that copy no longer runs. A lock whose
// process has gone (a crash) is taken over; age alone never frees one,
// since a copy may run for days.
std::unique_ptr<QLockFile> NeemSlot(const QString& pad) {
    auto slot = std::make_unique<QLockFile>(pad);
    slot->setStaleLockTime(0);
    if (!slot->tryLock(0))
        return nullptr;
    return slot;
}

// Up to which version a copy is settled: 0 for none.
int Vereffend(const QString& map, int kopie) {
    QFile notitie(KlaarPad(map, kopie));
    if (!notitie.open(QIODevice::ReadOnly))
        return 0;
    return notitie.read(32).trimmed().toInt();
}

QDateTime OudeAfsluiting(const QString& map) {
    QFile notitie(map + u'/' + OudeNotitie);
    if (!notitie.open(QIODevice::ReadOnly))
        return {};
    return QDateTime::fromString(QString::fromLatin1(notitie.read(64).trimmed()), Tijdvorm);
}

// The folder's versions by copy, each copy's in the order written; earlier
// releases' versions under copy 0, oldest first.
struct TVersie {
    int Nummer;
    QString Naam;
};
struct TOverzicht {
    std::map<int, std::vector<TVersie>> Versies;
    std::vector<int> Kopieen; // every copy with a file in the folder
};

TOverzicht Overzicht(const QString& map) {
    TOverzicht overzicht;
    std::map<int, bool> kopieen;
    const QStringList namen = QDir(map).entryList(QDir::Files, QDir::Name);
    for (const QString& naam : namen) {
        if (const auto versie = VersieNaam.match(naam); versie.hasMatch()) {
            const int kopie = versie.captured(1).toInt();
            overzicht.Versies[kopie].push_back({versie.captured(2).toInt(), naam});
            kopieen[kopie] = true;
        } else if (const auto oud = OudeVersieNaam.match(naam); oud.hasMatch()) {
            auto& oude = overzicht.Versies[0];
            oude.push_back({int(oude.size()), naam});
        } else if (const auto bestand = KopieBestand.match(naam); bestand.hasMatch()) {
            kopieen[bestand.captured(1).toInt()] = true;
        }
    }
    for (const auto& [kopie, ja] : kopieen)
        overzicht.Kopieen.push_back(kopie);
    return overzicht;
}

// Holds the folder for the few file operations that give a copy its number
// or clean up after others, so two copies starting at once do not collide.
class TMapSlot {
public:
    explicit TMapSlot(const QString& map)
        : m_slot(map + u'/' + MapSlot) {
        m_slot.tryLock(2000);
    }

private:
    QLockFile m_slot;
};

} // namespace

struct THerstel::TAanbod {
    int Kopie = 0; // 0: a version of an earlier release
    int Nummer = 0;
    QString Pad;
    std::unique_ptr<QLockFile> Slot;
};

THerstel::THerstel(TToernooiDocument& document, Schrijver schrijver, QObject* parent)
    : QObject(parent)
    , m_document(document)
    , m_schrijver(std::move(schrijver))
    , m_klok([] { return QDateTime::currentDateTime(); })
    , m_map(StandaardMap())
    , m_thread(new QThread(this))
    , m_werker(new QObject) {
    m_werker->moveToThread(m_thread);
    connect(m_thread, &QThread::finished, m_werker, &QObject::deleteLater);
    m_thread->start();
    m_timer.setSingleShot(true);
    m_timer.setInterval(Vertraging);
    connect(&m_timer, &QTimer::timeout, this, &THerstel::SchrijfNu);
    connect(&m_document, &TToernooiDocument::InhoudVeranderd, this, &THerstel::Plan);
    connect(&m_document, &TToernooiDocument::GewijzigdVeranderd, this,
            &THerstel::GewijzigdVeranderd);
}

THerstel::~THerstel() {
    m_timer.stop();
    Wacht(); // what was handed to the thread reaches the disk before the lock goes
    m_thread->quit();
    m_thread->wait();
}

QString THerstel::StandaardMap() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
           QStringLiteral("/herstel");
}

void THerstel::Plan() {
    // The first change after a write starts the clock; later ones ride along.
    if (!m_timer.isActive())
        m_timer.start();
}

void THerstel::GewijzigdVeranderd(bool gewijzigd) {
    // Saved: the versions are settled at once, not after the delay, so a
    // crash right after saving asks nothing.
    if (!gewijzigd) {
        m_timer.stop();
        Vereffen();
    }
}

int THerstel::Kopie() {
    if (m_kopie > 0)
        return m_kopie;
    QDir().mkpath(m_map);
    const TMapSlot mapSlot(m_map);
    const TOverzicht overzicht = Overzicht(m_map);
    int kopie = overzicht.Kopieen.empty() ? 1 : overzicht.Kopieen.back() + 1;
    // A copy starting at the same moment without the folder's lock may take
    // the same number: the lock file decides.
    for (int poging = 0; poging < 100 && !m_slot; ++poging, ++kopie) {
        if (!QFile::exists(SlotPad(m_map, kopie)) && !QFile::exists(KlaarPad(m_map, kopie)))
            m_slot = NeemSlot(SlotPad(m_map, kopie));
        if (m_slot)
            m_kopie = kopie;
    }
    // Without a lock (a folder that cannot be written) the writes fail as
    // well; the number still keeps the names apart.
    if (m_kopie == 0)
        m_kopie = kopie;
    return m_kopie;
}

void THerstel::SchrijfNu() {
    m_timer.stop();
    if (!m_document.Gewijzigd()) {
        Vereffen();
        return;
    }
    QElapsedTimer wacht;
    wacht.start();
    const QByteArray inhoud = m_document.Herstelbestand();
    const QString voorvoegsel = QStringLiteral("herstel-") + Nummer(Kopie()) + u'-';
    const QString pad = m_map + u'/' + voorvoegsel + Nummer(++m_volgnummer) + u'-' +
                        m_klok().toUTC().toString(Tijdvorm) + QStringLiteral(".txt");
    m_huidig = pad;
    const QString map = m_map;
    QMetaObject::invokeMethod(
        m_werker,
        [inhoud, pad, map, voorvoegsel, schrijver = m_schrijver] {
            QDir().mkpath(map);
            if (!schrijver(pad, inhoud).isEmpty())
                return; // the previous versions stay; the next change tries again
            // Only this copy's versions rotate, and their numbers only grow:
            // the version just written is the last to go.
            QDir folder(map);
            const QStringList versies =
                folder.entryList({voorvoegsel + QStringLiteral("*.txt")}, QDir::Files, QDir::Name);
            for (qsizetype i = 0; i + AantalVersies < versies.size(); ++i)
                folder.remove(versies.at(i));
        },
        Qt::QueuedConnection);
    m_langsteWacht = std::max(m_langsteWacht, wacht.nsecsElapsed() / 1e6);
}

void THerstel::Vereffen() {
    if (m_volgnummer == m_vereffend)
        return;
    m_vereffend = m_volgnummer;
    QMetaObject::invokeMethod(
        m_werker,
        [pad = KlaarPad(m_map, m_kopie), nummer = m_vereffend, schrijver = m_schrijver] {
            schrijver(pad, QByteArray::number(nummer));
        },
        Qt::QueuedConnection);
}

void THerstel::Wacht() {
    QMetaObject::invokeMethod(
        m_werker, [] {}, Qt::BlockingQueuedConnection);
}

QDateTime THerstel::Tijd(const QString& pad) {
    const QString naam = QFileInfo(pad).fileName();
    if (const auto versie = VersieNaam.match(naam); versie.hasMatch()) {
        QDateTime tijd = QDateTime::fromString(versie.captured(3), Tijdvorm);
        tijd.setTimeSpec(Qt::UTC);
        return tijd.toLocalTime();
    }
    return QDateTime::fromString(OudeVersieNaam.match(naam).captured(1), Tijdvorm);
}

QString THerstel::TeHerstellen() {
    m_aanbod.reset();
    Opruimen();
    const TOverzicht overzicht = Overzicht(m_map);
    for (auto it = overzicht.Versies.rbegin(); it != overzicht.Versies.rend(); ++it) {
        const auto& [kopie, versies] = *it;
        if (kopie == m_kopie && kopie > 0)
            continue;
        const QString nieuwste = m_map + u'/' + versies.back().Naam;
        if (kopie == 0) {
            const QDateTime afgesloten = OudeAfsluiting(m_map);
            if (afgesloten.isValid() && Tijd(nieuwste) <= afgesloten)
                continue;
            m_aanbod.reset(new TAanbod{0, 0, nieuwste, nullptr});
            return nieuwste;
        }
        if (versies.back().Nummer <= Vereffend(m_map, kopie))
            continue;
        // A copy that still runs keeps its versions to itself.
        std::unique_ptr<QLockFile> slot = NeemSlot(SlotPad(m_map, kopie));
        if (!slot)
            continue;
        m_aanbod.reset(new TAanbod{kopie, versies.back().Nummer, nieuwste, std::move(slot)});
        return nieuwste;
    }
    return {};
}

void THerstel::Afgewezen() {
    if (!m_aanbod)
        return;
    if (m_aanbod->Kopie == 0) {
        QDir().mkpath(m_map);
        m_schrijver(m_map + u'/' + OudeNotitie, Tijd(m_aanbod->Pad).toString(Tijdvorm).toLatin1());
    } else {
        m_schrijver(KlaarPad(m_map, m_aanbod->Kopie), QByteArray::number(m_aanbod->Nummer));
    }
    m_aanbod.reset();
}

void THerstel::Overgenomen() {
    SchrijfNu();
    Wacht();
    Afgewezen();
}

QString THerstel::ZetOpzij(const QString& pad) {
    const QString opzij = pad + QStringLiteral(".beschadigd");
    QFile::remove(opzij);
    QFile::rename(pad, opzij);
    return opzij;
}

void THerstel::SchoonAfsluiten() {
    m_timer.stop();
    Wacht();
    if (!m_huidig.isEmpty())
        QFile::remove(m_huidig);
    m_huidig.clear();
    Vereffen();
    Wacht();
    m_slot.reset();
}

void THerstel::Opruimen() {
    if (!QFileInfo(m_map).isDir())
        return;
    const TMapSlot mapSlot(m_map);
    TOverzicht overzicht = Overzicht(m_map);
    // The versions of copies that ended with everything settled, newest
    // last; copies with unsettled versions keep all of theirs.
    std::vector<std::pair<int, TVersie>> afgelopen;
    std::vector<int> leeg;
    for (const int kopie : overzicht.Kopieen) {
        if (kopie == m_kopie)
            continue;
        const std::vector<TVersie>& versies = overzicht.Versies[kopie];
        if (!versies.empty() && versies.back().Nummer > Vereffend(m_map, kopie))
            continue;
        const std::unique_ptr<QLockFile> slot = NeemSlot(SlotPad(m_map, kopie));
        if (!slot)
            continue; // still running
        for (const TVersie& versie : versies)
            afgelopen.emplace_back(kopie, versie);
        leeg.push_back(kopie);
    }
    const std::vector<TVersie>& oud = overzicht.Versies[0];
    const QDateTime afgesloten = OudeAfsluiting(m_map);
    if (!oud.empty() && afgesloten.isValid() &&
        Tijd(m_map + u'/' + oud.back().Naam) <= afgesloten) {
        for (const TVersie& versie : oud)
            afgelopen.emplace_back(0, versie);
    }
    std::sort(afgelopen.begin(), afgelopen.end(), [](const auto& a, const auto& b) {
        return std::pair(a.first, a.second.Nummer) < std::pair(b.first, b.second.Nummer);
    });
    QDir folder(m_map);
    const qsizetype weg = qsizetype(afgelopen.size()) - AantalVersies;
    for (qsizetype i = 0; i < weg; ++i)
        folder.remove(afgelopen[std::size_t(i)].second.Naam);
    // A copy with no version left needs no note.
    for (std::size_t i = std::size_t(std::max<qsizetype>(weg, 0)); i < afgelopen.size(); ++i)
        std::erase(leeg, afgelopen[i].first);
    for (const int kopie : leeg)
        QFile::remove(KlaarPad(m_map, kopie));
}
