#include "model/Import.h"

#include "model/Ansi.h"
#include "model/Text.h"

#include <QHash>
#include <QSet>
#include <QStringDecoder>

#include <algorithm>
#include <array>
#include <cmath>
#include <numeric>
#include <string_view>

using Deelnemerslijst::TNaam;
using Deelnemerslijst::TNamen;

namespace Import {

namespace {

// The separators in order of preference when two split equally many lines.
constexpr std::array<char16_t, 3> Scheidingen{u'\t', u';', u','};
// Enough lines to recognise a separator without reading a long file twice.
constexpr int ProefRegels = 200;
// How far down a sheet a header is looked for, below a title and notes.
constexpr std::size_t KopZoekRijen = 10;

// How files that are no text begin: pictures, documents, archives and
// programs that are easily picked by mistake.
constexpr std::array<std::string_view, 11> Handtekeningen{"\x89PNG\r\n",
                                                          "GIF87a",
                                                          "GIF89a",
                                                          "\xFF\xD8\xFF",
                                                          "%PDF-",
                                                          "PK\x03\x04",
                                                          "\xD0\xCF\x11\xE0",
                                                          "\x7F"
                                                          "ELF",
                                                          "\x1F\x8B",
                                                          "Rar!\x1A",
                                                          "7z\xBC\xAF"};

bool IsRegeleinde(QChar c) {
    return c == u'\n' || c == u'\r';
}

// Characters no text file or cell of names holds: control characters other
// than tab and line breaks, the C1 controls that bytes undefined in
// Windows-1252 decode to, and the replacement character.
bool IsGeenTekst(QChar c) {
    const char16_t u = c.unicode();
    if (u < 32)
        return u != u'\t' && u != u'\n' && u != u'\r';
    return u == 0x7f || (u >= 0x80 && u <= 0x9f) || u == 0xfffd;
}

bool IsLeeg(const QStringList& cellen) {
    return std::all_of(cellen.begin(), cellen.end(),
                       [](const QString& cel) { return Text::trimmed(cel).isEmpty(); });
}

// Takes one record from `i` on; false when a quoted field is not closed.
// The cells of a row that hold characters no text has.
QList<int> OnleesbareCellenVan(const QStringList& cellen) {
    QList<int> onleesbaar;
    for (int kolom = 0; kolom < cellen.size(); ++kolom) {
        const QString& cel = cellen.at(kolom);
        // Broken UTF-16 (half a surrogate pair) is no text either.
        if (std::any_of(cel.begin(), cel.end(), IsGeenTekst) || Text::hasLoneSurrogate(cel))
            onleesbaar.append(kolom);
    }
    return onleesbaar;
}

bool LeesRecord(const QString& tekst, qsizetype& i, QChar scheiding, QStringList& cellen,
                int& regel) {
    const qsizetype n = tekst.size();
    QString veld;
    while (true) {
        if (!scheiding.isNull() && i < n && tekst.at(i) == u'"') {
            ++i;
            bool gesloten = false;
            while (i < n) {
                const QChar c = tekst.at(i);
                if (c == u'"') {
                    if (i + 1 < n && tekst.at(i + 1) == u'"') {
                        veld += u'"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    gesloten = true;
                    break;
                }
                if (c == u'\n' || (c == u'\r' && (i + 1 >= n || tekst.at(i + 1) != u'\n')))
                    ++regel;
                veld += c;
                ++i;
            }
            if (!gesloten)
                return false;
        }
        // Unquoted text, or what follows a closing quote, up to the field's end.
        const qsizetype begin = i;
        while (i < n && !IsRegeleinde(tekst.at(i)) &&
               (scheiding.isNull() || tekst.at(i) != scheiding))
            ++i;
        veld += QStringView(tekst).mid(begin, i - begin);
        cellen.append(std::exchange(veld, QString()));
        if (i < n && !scheiding.isNull() && tekst.at(i) == scheiding) {
            ++i;
            continue;
        }
        break;
    }
    if (i < n && tekst.at(i) == u'\r')
        ++i;
    if (i < n && tekst.at(i) == u'\n')
        ++i;
    ++regel;
    return true;
}

// The number of fields of one line at a separator, quotes respected.
int AantalVelden(QStringView regel, char16_t scheiding) {
    int velden = 1;
    bool inQuotes = false;
    for (qsizetype i = 0; i < regel.size(); ++i) {
        const QChar c = regel.at(i);
        if (c == u'"')
            inQuotes = !inQuotes;
        else if (c == scheiding && !inQuotes)
            ++velden;
    }
    return velden;
}

QStringList ProefRegelsVan(const QString& tekst) {
    QStringList regels;
    qsizetype begin = 0;
    while (begin < tekst.size() && regels.size() < ProefRegels) {
        qsizetype eind = begin;
        while (eind < tekst.size() && !IsRegeleinde(tekst.at(eind)))
            ++eind;
        const QString regel = tekst.mid(begin, eind - begin);
        if (!Text::trimmed(regel).isEmpty())
            regels.append(regel);
        begin = eind + 1;
    }
    return regels;
}

// A header cell reduced to its words run together: "First name",
// "first_name" and "Firstname" are one.
QString KopWoord(const QString& cel) {
    QString woord = Text::cleanName(cel).toLower();
    woord.remove(u' ');
    woord.remove(u'_');
    woord.remove(u'-');
    return woord;
}

QString Cel(const QStringList& cellen, int kolom) {
    return kolom >= 0 && kolom < cellen.size() ? Text::cleanName(cellen.at(kolom)) : QString();
}

QString Samen(const QString& voor, const QString& achter) {
    if (voor.isEmpty())
        return achter;
    if (achter.isEmpty())
        return voor;
    return voor + u' ' + achter;
}

// A name's identity for the duplicate checks: cleaned names hold no line
// break, so the pair cannot be confused with another.
QString Identiteit(const TNaam& naam) {
    return naam.Voornaam + u'\n' + naam.Achternaam;
}

// The number a seed or rating cell holds: "1834", "1834,5", "12." all
// count; a blank, "n.v.t." or an endless value do not.
std::optional<double> Rangwaarde(const QString& cel) {
    QString tekst = Text::trimmed(cel);
    tekst.replace(u',', u'.');
    bool getal = false;
    const double waarde = tekst.toDouble(&getal);
    if (!getal || !std::isfinite(waarde))
        return std::nullopt;
    return waarde;
}

} // namespace

bool IsTekst(const QByteArray& bytes) {
    const std::string_view begin(bytes.constData(), std::size_t(bytes.size()));
    for (const std::string_view handtekening : Handtekeningen) {
        if (begin.starts_with(handtekening))
            return false;
    }
    // UTF-16 holds NUL bytes in every ASCII character: there, only a NUL
    // character counts.
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF"))
        return !DecodeerTekst(bytes).contains(QChar(u'\0'));
    return !bytes.contains('\0');
}

QString DecodeerTekst(const QByteArray& bytes) {
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(bytes.mid(3));
    // Spreadsheet programs save "Unicode text" as UTF-16 behind a mark.
    if (bytes.startsWith("\xFF\xFE"))
        return QStringDecoder(QStringDecoder::Utf16LE)(bytes.mid(2));
    if (bytes.startsWith("\xFE\xFF"))
        return QStringDecoder(QStringDecoder::Utf16BE)(bytes.mid(2));
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString tekst = utf8(bytes);
    if (!utf8.hasError())
        return tekst;
    return Ansi::decode(bytes);
}

QChar HerkenScheiding(const QString& tekst) {
    const QStringList regels = ProefRegelsVan(tekst);
    QChar beste;
    int besteAantal = 0;
    for (const char16_t scheiding : Scheidingen) {
        const auto aantal = std::count_if(regels.begin(), regels.end(), [&](const QString& r) {
            return AantalVelden(r, scheiding) > 1;
        });
        // A comma in one name of a list is no column: a separator splits
        // at least half of the lines.
        if (aantal > besteAantal && 2 * aantal >= regels.size()) {
            beste = QChar(scheiding);
            besteAantal = static_cast<int>(aantal);
        }
    }
    if (beste != u',')
        return beste;
    // A header that names more than one column makes the comma a separator;
    // a lone "Naam" heads a list of names.
    const TTabel eerste = SplitsTekst(regels.first(), beste);
    const bool kop = !eerste.empty() && HerkenKop(eerste.front().Cellen);
    if (kop && std::count_if(eerste.front().Cellen.begin(), eerste.front().Cellen.end(),
                             [](const QString& cel) { return !Text::trimmed(cel).isEmpty(); }) > 1)
        return beste;
    // "Berg, Jan van der" is one name written last name first, not two
    // columns: a program writing CSV puts no blank after its commas. Such a
    // list has no line with a second comma; the names without a comma
    // ("Jan de Vries") stand among them as they are.
    const bool achternaamEerst =
        std::all_of(regels.begin() + (kop ? 1 : 0), regels.end(), [](const QString& r) {
            const qsizetype komma = r.indexOf(u',');
            const int velden = AantalVelden(r, u',');
            return velden == 1 || (velden == 2 && komma + 1 < r.size() && r.at(komma + 1) == u' ');
        });
    return achternaamEerst ? QChar() : beste;
}

TTabel SplitsTekst(const QString& tekst, QChar scheiding) {
    TTabel tabel;
    qsizetype i = 0;
    int regel = 1;
    while (i < tekst.size()) {
        TBronRij rij;
        rij.Regel = regel;
        const qsizetype begin = i;
        if (!LeesRecord(tekst, i, scheiding, rij.Cellen, regel)) {
            // An unclosed quote would swallow the rest of the text: only
            // its own line is lost, the lines after it are read again.
            i = begin;
            while (i < tekst.size() && !IsRegeleinde(tekst.at(i)))
                ++i;
            rij.Cellen = {tekst.mid(begin, i - begin)};
            rij.Leesbaar = false;
            if (i < tekst.size() && tekst.at(i) == u'\r')
                ++i;
            if (i < tekst.size() && tekst.at(i) == u'\n')
                ++i;
            regel = rij.Regel + 1;
        }
        if (rij.Leesbaar && IsLeeg(rij.Cellen))
            continue;
        rij.OnleesbareCellen = OnleesbareCellenVan(rij.Cellen);
        // A line that is one field (no separator) is all name.
        if (scheiding.isNull() && !rij.OnleesbareCellen.isEmpty())
            rij.Leesbaar = false;
        tabel.push_back(std::move(rij));
    }
    return tabel;
}

std::optional<TKolommen> HerkenKop(const QStringList& cellen) {
    static const QHash<QString, int TKolommen::*> namen{
        {QStringLiteral("voornaam"), &TKolommen::Voornaam},
        {QStringLiteral("firstname"), &TKolommen::Voornaam},
        {QStringLiteral("achternaam"), &TKolommen::Achternaam},
        {QStringLiteral("lastname"), &TKolommen::Achternaam},
        {QStringLiteral("tussenvoegsel"), &TKolommen::Tussenvoegsel},
        {QStringLiteral("tussenvoegsels"), &TKolommen::Tussenvoegsel},
        {QStringLiteral("naam"), &TKolommen::Naam},
        {QStringLiteral("name"), &TKolommen::Naam},
        {QStringLiteral("vereniging"), &TKolommen::Vereniging},
        {QStringLiteral("club"), &TKolommen::Vereniging},
        {QStringLiteral("plaatsing"), &TKolommen::Plaatsing},
        {QStringLiteral("seed"), &TKolommen::Plaatsing},
        {QStringLiteral("ranking"), &TKolommen::Plaatsing},
        {QStringLiteral("rating"), &TKolommen::Rating},
    };
    TKolommen kolommen;
    for (int kolom = 0; kolom < cellen.size(); ++kolom) {
        const auto gevonden = namen.constFind(KopWoord(cellen.at(kolom)));
        if (gevonden != namen.constEnd() && kolommen.*(*gevonden) < 0)
            kolommen.*(*gevonden) = kolom;
    }
    // "Voornaam; Naam" is how many forms ask for the last name.
    if (kolommen.Naam >= 0 && kolommen.Voornaam >= 0 && kolommen.Achternaam < 0)
        kolommen.Achternaam = std::exchange(kolommen.Naam, -1);
    if (kolommen.Voornaam < 0 && kolommen.Achternaam < 0 && kolommen.Naam < 0)
        return std::nullopt;
    return kolommen;
}

TKolommen RaadKolommen(int aantalKolommen) {
    TKolommen kolommen;
    if (aantalKolommen <= 1) {
        kolommen.Naam = 0;
    } else if (aantalKolommen == 2) {
        kolommen.Voornaam = 0;
        kolommen.Achternaam = 1;
    } else {
        kolommen.Voornaam = 0;
        kolommen.Tussenvoegsel = 1;
        kolommen.Achternaam = 2;
    }
    return kolommen;
}

TNaam SplitsNaam(const QString& naam) {
    const QString schoon = Text::cleanName(naam);
    // Last name first: the first word after the last comma is the first
    // name, the words after it belong before the last name, and the parts
    // before each comma follow in reverse order ("Berg, Jan van der"). Each
    // part is copied once, however many commas a line holds.
    QList<QStringView> delen = QStringView(schoon).split(u',');
    const QString laatste = Text::trimmed(delen.takeLast().toString());
    const qsizetype spatie = laatste.indexOf(u' ');
    QStringList achternaam;
    if (spatie >= 0)
        achternaam << Text::trimmed(laatste.mid(spatie + 1));
    for (auto deel = delen.crbegin(); deel != delen.crend(); ++deel) {
        QString tekst = Text::trimmed(deel->toString());
        if (!tekst.isEmpty())
            achternaam << std::move(tekst);
    }
    return {spatie < 0 ? laatste : laatste.left(spatie), achternaam.join(u' ')};
}

TNaam LeesNaam(const QStringList& cellen, const TKolommen& kolommen) {
    if (kolommen.Voornaam < 0 && kolommen.Achternaam < 0)
        return SplitsNaam(Cel(cellen, kolommen.Naam));
    return {Cel(cellen, kolommen.Voornaam),
            Samen(Cel(cellen, kolommen.Tussenvoegsel), Cel(cellen, kolommen.Achternaam))};
}

QString OordeelTekst(TOordeel oordeel) {
    switch (oordeel) {
    case TOordeel::Toevoegen:
        return QStringLiteral("wordt toegevoegd");
    case TOordeel::Leeg:
        return QStringLiteral("geen naam");
    case TOordeel::Bye:
        return QStringLiteral("de naam \"Bye\" mag niet");
    case TOordeel::AlAanwezig:
        return QStringLiteral("staat al in het toernooi");
    case TOordeel::Dubbel:
        return QStringLiteral("staat twee keer in de import");
    case TOordeel::Onleesbaar:
        return QStringLiteral("niet leesbaar");
    case TOordeel::TeLang:
        return QStringLiteral("te lang");
    case TOordeel::Aanvullen:
        return QStringLiteral("staat al in het toernooi, wordt aangevuld");
    }
    return {};
}

TNamen TVoorbeeld::Toevoegen() const {
    TNamen namen;
    namen.reserve(AantalToevoegen);
    for (const TVoorbeeldRij& rij : Rijen) {
        if (rij.Oordeel == TOordeel::Toevoegen)
            namen.push_back(rij.Naam);
    }
    return namen;
}

TNamen TVoorbeeld::Aanvullen() const {
    TNamen namen;
    namen.reserve(AantalAanvullen);
    for (const TVoorbeeldRij& rij : Rijen) {
        if (rij.Oordeel == TOordeel::Aanvullen)
            namen.push_back(rij.Naam);
    }
    return namen;
}

TImport TImport::UitTekst(const QString& tekst) {
    TImport import;
    import.m_isTekst = true;
    import.m_tekst = tekst;
    import.ZetScheiding(HerkenScheiding(tekst));
    return import;
}

TImport TImport::UitBytes(const QByteArray& bytes) {
    return UitTekst(DecodeerTekst(bytes));
}

TImport TImport::UitTabel(TTabel tabel) {
    TImport import;
    import.m_tabel = std::move(tabel);
    import.HerkenKolommen();
    return import;
}

void TImport::ZetScheiding(QChar scheiding) {
    m_scheiding = scheiding;
    m_tabel = SplitsTekst(m_tekst, scheiding);
    HerkenKolommen();
}

void TImport::HerkenKolommen() {
    m_kopRij = 0;
    std::optional<TKolommen> kop;
    for (std::size_t rij = 0; rij < std::min(m_tabel.size(), KopZoekRijen) && !kop; ++rij) {
        kop = HerkenKop(m_tabel[rij].Cellen);
        if (kop)
            m_kopRij = rij;
    }
    m_heeftKop = kop.has_value();
    m_kolommen = kop.value_or(RaadKolommen(AantalKolommen()));
}

void TImport::ZetKop(bool heeftKop) {
    if (!heeftKop || m_tabel.empty()) {
        // Every row is a participant again, the title above a header too:
        // the organiser said there is none.
        m_heeftKop = false;
        m_kopRij = 0;
        return;
    }
    const TKolommen kolommen = m_kolommen;
    HerkenKolommen();
    // A header the rules do not know is the first row, with the columns
    // as they were chosen.
    if (!m_heeftKop)
        m_kolommen = kolommen;
    m_heeftKop = true;
}

int TImport::AantalKolommen() const {
    qsizetype aantal = 0;
    for (const TBronRij& rij : m_tabel)
        aantal = std::max(aantal, rij.Cellen.size());
    return static_cast<int>(aantal);
}

TVoorbeeld TImport::Voorbeeld(const TNamen& bestaand) const {
    QHash<QString, const TNaam*> aanwezig;
    aanwezig.reserve(static_cast<qsizetype>(bestaand.size()));
    int hoogstePlaatsing = 0;
    for (const TNaam& naam : bestaand) {
        aanwezig.insert(Identiteit(naam), &naam);
        hoogstePlaatsing = std::max(hoogstePlaatsing, naam.Plaatsing);
    }
    // The name in the tournament of each row found there, by row.
    std::vector<const TNaam*> bestaandVan;
    QSet<QString> gezien;
    TVoorbeeld voorbeeld;
    voorbeeld.Rijen.reserve(m_tabel.size());
    // Only the cells of the name decide whether a row can be read: a check
    // box or an error in another column does not.
    const std::array<int, 4> naamKolommen{m_kolommen.Voornaam, m_kolommen.Tussenvoegsel,
                                          m_kolommen.Achternaam, m_kolommen.Naam};
    const auto onleesbaar = [&](const TBronRij& bron) {
        return !bron.Leesbaar ||
               std::any_of(naamKolommen.begin(), naamKolommen.end(),
                           [&](int kolom) { return bron.OnleesbareCellen.contains(kolom); });
    };
    const int rangKolom = m_kolommen.Plaatsing >= 0 ? m_kolommen.Plaatsing : m_kolommen.Rating;
    // The rows that take part in the seed order, with their value.
    std::vector<std::pair<std::size_t, double>> rangen;
    for (std::size_t i = m_heeftKop ? m_kopRij + 1 : 0; i < m_tabel.size(); ++i) {
        const TBronRij& bron = m_tabel[i];
        TVoorbeeldRij rij;
        rij.Regel = bron.Regel;
        rij.Naam = LeesNaam(bron.Cellen, m_kolommen);
        // A club that cannot be read or is absurdly long is left out; the
        // participant still comes.
        if (!bron.OnleesbareCellen.contains(m_kolommen.Vereniging)) {
            rij.Naam.Vereniging = Cel(bron.Cellen, m_kolommen.Vereniging);
            if (rij.Naam.Vereniging.size() > MaxNaamLengte)
                rij.Naam.Vereniging.clear();
        }
        const std::optional<double> rang = bron.OnleesbareCellen.contains(rangKolom)
                                               ? std::nullopt
                                               : Rangwaarde(Cel(bron.Cellen, rangKolom));
        const TNaam* gevonden = nullptr;
        if (onleesbaar(bron)) {
            rij.Oordeel = TOordeel::Onleesbaar;
        } else if (rij.Naam.Voornaam.size() > MaxNaamLengte ||
                   rij.Naam.Achternaam.size() > MaxNaamLengte) {
            rij.Oordeel = TOordeel::TeLang;
        } else {
            switch (Deelnemerslijst::Beoordeel(rij.Naam.Voornaam, rij.Naam.Achternaam)) {
            case Deelnemerslijst::TNaamOordeel::Leeg:
                rij.Oordeel = TOordeel::Leeg;
                break;
            case Deelnemerslijst::TNaamOordeel::Bye:
                rij.Oordeel = TOordeel::Bye;
                break;
            case Deelnemerslijst::TNaamOordeel::Goed: {
                const QString sleutel = Identiteit(rij.Naam);
                if ((gevonden = aanwezig.value(sleutel))) {
                    rij.Oordeel = TOordeel::AlAanwezig;
                } else if (gezien.contains(sleutel)) {
                    rij.Oordeel = TOordeel::Dubbel;
                } else {
                    gezien.insert(sleutel);
                    ++voorbeeld.AantalToevoegen;
                }
                break;
            }
            }
        }
        // Whoever is added, or is in the tournament without a seed and
        // appears here first, may take a seed.
        const bool zonderPlaatsing =
            gevonden && gevonden->Plaatsing <= 0 && !gezien.contains(Identiteit(rij.Naam));
        if (gevonden)
            gezien.insert(Identiteit(rij.Naam));
        if (rang && (rij.Oordeel == TOordeel::Toevoegen || zonderPlaatsing))
            rangen.emplace_back(voorbeeld.Rijen.size(), *rang);
        bestaandVan.push_back(gevonden);
        voorbeeld.Rijen.push_back(std::move(rij));
    }

    const bool hoogsteEerst = m_kolommen.Plaatsing < 0;
    std::stable_sort(rangen.begin(), rangen.end(), [hoogsteEerst](const auto& a, const auto& b) {
        return hoogsteEerst ? a.second > b.second : a.second < b.second;
    });
    for (const auto& [r, waarde] : rangen) {
        if (hoogstePlaatsing >= Deelnemerslijst::MaxPlaatsing)
            break;
        voorbeeld.Rijen[r].Naam.Plaatsing = ++hoogstePlaatsing;
    }

    // A name in the tournament keeps what it has; it takes only what it
    // lacks, from the first row that gives anything.
    QSet<const TNaam*> aangevuld;
    for (std::size_t r = 0; r < voorbeeld.Rijen.size(); ++r) {
        const TNaam* naam = bestaandVan[r];
        TVoorbeeldRij& rij = voorbeeld.Rijen[r];
        if (!naam)
            continue;
        if (!naam->Vereniging.isEmpty())
            rij.Naam.Vereniging.clear();
        if ((rij.Naam.Vereniging.isEmpty() && rij.Naam.Plaatsing <= 0) ||
            aangevuld.contains(naam)) {
            rij.Naam.Vereniging.clear();
            continue;
        }
        aangevuld.insert(naam);
        rij.Oordeel = TOordeel::Aanvullen;
        ++voorbeeld.AantalAanvullen;
    }
    return voorbeeld;
}

} // namespace Import
