#pragma once

#include "model/Deelnemerslijst.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// Reading a list of participants from a spreadsheet, a CSV or text file or
// the clipboard, and judging every row before anything changes. Every source
// becomes a table of rows; the same rules turn any table into names and
// verdicts, so the preview tells exactly what an import will add.
namespace Import {

// One row of a source: its cells and where it stands (line of a text, row of
// a sheet), so the organiser can find it back.
struct TBronRij {
    int Regel = 0;
    QStringList Cellen;
    // false when the row could not be taken apart (an unclosed quote).
    bool Leesbaar = true;
    // The cells that hold no text (a formula error, a check box, bytes that
    // are no text): they make the row unreadable only when they hold a part
    // of the name.
    QList<int> OnleesbareCellen;
};
using TTabel = std::vector<TBronRij>;

// The longest name part the participant dialog takes, and the longest cell
// the spreadsheet programs themselves hold.
constexpr int MaxNaamLengte = 32767;
// The columns a list of names can sensibly have; a line split into tens of
// thousands of fields is offered only this far.
constexpr int MaxKolommen = 50;

// False for a file that is no list of names at all: one holding NUL bytes
// outside UTF-16, or starting like a picture, an archive or a program.
bool IsTekst(const QByteArray& bytes);

// UTF-8 (with or without byte-order mark) when the bytes are valid UTF-8,
// UTF-16 behind its byte-order mark, otherwise Windows-1252.
QString DecodeerTekst(const QByteArray& bytes);

// The separator of a text: tab, semicolon or comma, whichever splits most of
// the first lines, and at least half of them; a null character when the text
// has one column.
QChar HerkenScheiding(const QString& tekst);

// The rows of a text split at `scheiding` (null: one cell per line). Fields
// may be quoted with double quotes, which may hold separators and line
// breaks. Rows without any text are left out.
TTabel SplitsTekst(const QString& tekst, QChar scheiding);

// Which cell holds which part of the name; -1 = none. A full-name column
// counts only when there is no first-name or last-name column.
//
// Beside the name a row may give a club and a seed. The seed comes from a
// column of seeds or ranking places (1 = best, smallest first) or, when
// there is none, from a rating (highest first). Either only orders: the
// rows that get a seed are numbered 1, 2, ... in that order, after any
// seed the tournament holds already, so seeds stay unique. Equal values
// keep the order of the source; a blank or a cell that is no number gives
// no seed.
struct TKolommen {
    int Voornaam = -1;
    int Tussenvoegsel = -1;
    int Achternaam = -1;
    int Naam = -1;
    int Vereniging = -1;
    int Plaatsing = -1; // seed or ranking place
    int Rating = -1;
    bool operator==(const TKolommen&) const = default;
};

// The columns a header row names, or nothing when the row is no header (a
// row naming only a club or a seed is none: it names no participant).
std::optional<TKolommen> HerkenKop(const QStringList& cellen);
// A first guess for a table without header: one column is the full name,
// two are first and last name, three first name, tussenvoegsel, last name.
TKolommen RaadKolommen(int aantalKolommen);

// "Jan van der Berg" and "Berg, Jan van der" both give Jan / van der Berg.
Deelnemerslijst::TNaam SplitsNaam(const QString& naam);
// The cleaned name of a row, as the participant dialog would hold it.
Deelnemerslijst::TNaam LeesNaam(const QStringList& cellen, const TKolommen& kolommen);

// Aanvullen: the name is in the tournament already, without the club or
// the seed this row gives; the import fills in what it lacks and changes
// nothing else (a club or seed it has stays).
enum class TOordeel { Toevoegen, Leeg, Bye, AlAanwezig, Dubbel, Onleesbaar, TeLang, Aanvullen };
QString OordeelTekst(TOordeel oordeel);

// The row's name with the club and seed it brings: for Aanvullen only what
// it fills in.
struct TVoorbeeldRij {
    int Regel = 0;
    Deelnemerslijst::TNaam Naam;
    TOordeel Oordeel = TOordeel::Toevoegen;
};

struct TVoorbeeld {
    std::vector<TVoorbeeldRij> Rijen;
    int AantalToevoegen = 0;
    int AantalAanvullen = 0;
    // The names of the rows that will be added, in the source's order.
    Deelnemerslijst::TNamen Toevoegen() const;
    // The rows that fill in a club or seed of a name in the tournament.
    Deelnemerslijst::TNamen Aanvullen() const;
};

// An import as the dialog shapes it: the source's table, whether its first
// row is a header, and which columns hold the name.
class TImport {
public:
    // A text source (clipboard or file): the separator and the header are
    // recognised; both can be changed afterwards.
    static TImport UitTekst(const QString& tekst);
    static TImport UitBytes(const QByteArray& bytes);
    // A sheet's rows: the header is recognised.
    static TImport UitTabel(TTabel tabel);

    bool IsTekst() const { return m_isTekst; }
    QChar Scheiding() const { return m_scheiding; }
    // Splits the text again; the header and columns are recognised anew.
    void ZetScheiding(QChar scheiding);

    bool HeeftKop() const { return m_heeftKop; }
    // The index in Tabel() of the header row: lists often carry a title and
    // a blank line above it. The rows above a header are no participants.
    std::size_t KopRij() const { return m_kopRij; }
    // Turning the header on takes the columns it names, when it names any.
    void ZetKop(bool heeftKop);
    const TKolommen& Kolommen() const { return m_kolommen; }
    void ZetKolommen(const TKolommen& kolommen) { m_kolommen = kolommen; }

    const TTabel& Tabel() const { return m_tabel; }
    int AantalKolommen() const;

    // Every row after the header with its name and verdict, judged against
    // the names already in the tournament: exact names, as the participant
    // window compares them.
    TVoorbeeld Voorbeeld(const Deelnemerslijst::TNamen& bestaand) const;

private:
    void HerkenKolommen();

    bool m_isTekst = false;
    QString m_tekst;
    QChar m_scheiding;
    TTabel m_tabel;
    bool m_heeftKop = false;
    std::size_t m_kopRij = 0;
    TKolommen m_kolommen;
};

} // namespace Import
