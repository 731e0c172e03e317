#include "app/Herstel.h"

#include "model/ToernooiDocument.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QThread>

namespace {

const QString Voorvoegsel = QStringLiteral("herstel-");
const QString Achtervoegsel = QStringLiteral(".txt");
const QString Tijdvorm = QStringLiteral("yyyyMMdd-HHmmss-zzz");
const QString NotitieNaam = QStringLiteral("afgesloten");

} // namespace

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
}

THerstel::~THerstel() {
    m_timer.stop();
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

void THerstel::SchrijfNu() {
    m_timer.stop();
    QElapsedTimer wacht;
    wacht.start();
    const QByteArray inhoud = m_document.Herstelbestand();
    const QString pad =
        m_map + u'/' + Voorvoegsel + VolgendeTijd().toString(Tijdvorm) + Achtervoegsel;
    m_huidig = pad;
    const QString map = m_map;
    QMetaObject::invokeMethod(
        m_werker,
        [inhoud, pad, map, schrijver = m_schrijver] {
            QDir().mkpath(map);
            if (!schrijver(pad, inhoud).isEmpty())
                return; // the previous versions stay; the next change tries again
            QDir folder(map);
            const QStringList versies =
                folder.entryList({Voorvoegsel + u'*' + Achtervoegsel}, QDir::Files, QDir::Name);
            for (qsizetype i = 0; i + AantalVersies < versies.size(); ++i)
                folder.remove(versies.at(i));
        },
        Qt::QueuedConnection);
    m_langsteWacht = std::max(m_langsteWacht, wacht.nsecsElapsed() / 1e6);
}

// The versions are offered and rotated by name, so every name must sort after
// the one before it, also when two writes fall in one millisecond or the
// clock is set back; otherwise an older version would be offered, or a newer
// one overwritten.
QDateTime THerstel::VolgendeTijd() {
    QDateTime tijd = m_klok();
    if (m_vorigeTijd.isValid() && tijd <= m_vorigeTijd)
        tijd = m_vorigeTijd.addMSecs(1);
    m_vorigeTijd = tijd;
    return tijd;
}

void THerstel::Wacht() {
    QMetaObject::invokeMethod(
        m_werker, [] {}, Qt::BlockingQueuedConnection);
}

QStringList THerstel::Versies() const {
    return QDir(m_map).entryList({Voorvoegsel + u'*' + Achtervoegsel}, QDir::Files, QDir::Name);
}

QDateTime THerstel::Tijd(const QString& pad) {
    QString naam = QFileInfo(pad).completeBaseName().mid(Voorvoegsel.size());
    return QDateTime::fromString(naam.left(Tijdvorm.size()), Tijdvorm);
}

QString THerstel::NotitiePad() const {
    return m_map + u'/' + NotitieNaam;
}

QDateTime THerstel::LaatsteAfsluiting() const {
    QFile notitie(NotitiePad());
    if (!notitie.open(QIODevice::ReadOnly))
        return {};
    return QDateTime::fromString(QString::fromLatin1(notitie.readAll().trimmed()), Tijdvorm);
}

void THerstel::NoteerAfsluiting() {
    QDir().mkpath(m_map);
    m_schrijver(NotitiePad(), VolgendeTijd().toString(Tijdvorm).toLatin1());
}

QString THerstel::TeHerstellen() const {
    const QStringList versies = Versies();
    if (versies.isEmpty())
        return {};
    const QString nieuwste = m_map + u'/' + versies.last();
    const QDateTime afgesloten = LaatsteAfsluiting();
    if (afgesloten.isValid() && Tijd(nieuwste) <= afgesloten)
        return {};
    return nieuwste;
}

void THerstel::Afgewezen() {
    NoteerAfsluiting();
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
    NoteerAfsluiting();
}
