#include "app/OptiesDialog.h"

#include "export/Spreadsheet.h"
#include "model/Ansi.h"
#include "model/Bestand.h"
#include "model/MessageService.h"
#include "model/Opties.h"
#include "model/PouleIndeling.h"
#include "model/Text.h"
#include "ui/Help.h"
#include "ui/Icons.h"
#include "ui/Paths.h"
#include "ui/Scherm.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>

namespace {

constexpr int ClientBreedte = 350;
constexpr int ClientHoogte = 239;

// A worksheet has no more rows and columns than these; the knockout export
// starts its drawing there.
const QString RijMelding =
    QStringLiteral("Vul bij Rij een getal in van 1 tot en met %1; een werkblad heeft niet meer "
                   "rijen.")
        .arg(Spreadsheet::MaxRows);
const QString KolomMelding =
    QStringLiteral("Vul bij Kolom een getal in van 1 tot en met %1; een werkblad heeft niet meer "
                   "kolommen.")
        .arg(Spreadsheet::MaxColumns);
const QString SjabloonMelding =
    QStringLiteral("Een sjabloonpad mag geen regeleinde, tab of ander stuurteken bevatten.");
const QString OpslaanMelding =
    QStringLiteral("Er is een fout opgetreden bij het opslaan van de opties.");

// Office Open XML templates and workbooks are used as they are; an .xlt is
// converted first, so it stays on offer.
const QString SjabloonFilter =
    QStringLiteral("Excel-sjablonen en -werkmappen (*.xlt;*.xltx;*.xlsx)|*.xlt;*.xltx;*.xlsx|"
                   "Excel-werkbladsjabloon (*.xlt)|*.xlt|"
                   "Excel-werkmapsjabloon (*.xltx)|*.xltx|"
                   "Excel-werkmap (*.xlsx)|*.xlsx|"
                   "Alle bestanden (*.*)|*.*");

const QString CrLf = QStringLiteral("\r\n");

// The line after the four options; the key keeps any other fifth line, from
// elsewhere, from being taken for a folder. Older versions read four lines
// and never see it.
const QString ToernooiMapSleutel = QStringLiteral("Toernooimap=");

// A start row or column as the fields take it: the text as typed (a blank
// after the number makes it no number), from 1 to `grootste`.
bool IsGeldigGetal(const QString& tekst, int grootste) {
    const std::optional<std::int32_t> getal = PouleIndeling::LeesGetal(tekst);
    return getal && *getal >= 1 && *getal <= grootste;
}

// The options file holds one value per line: a line break inside a path
// would shift every later value.
bool HeeftStuurteken(const QString& tekst) {
    return std::any_of(tekst.begin(), tekst.end(), [](QChar c) { return c.unicode() < 32; });
}

} // namespace

TOptiesDialog::TOptiesDialog(QWidget* owner)
    : TOptiesDialog(owner, Paths::optionsFile()) {}

TOptiesDialog::TOptiesDialog(QWidget* owner, const QString& iniBestand)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
    , IniBestand(iniBestand) {
    setWindowTitle(QStringLiteral("Opties"));
    setHelpContext(this, HelpContext::Opties);
    setFixedSize(ClientBreedte, ClientHoogte);
    MaakSjabloonVelden();
    MaakGetalVelden();
    MaakKnoppen();
    groeiMetLettertype(this);
    ZetTabvolgorde();
    ZetStandaardwaarden();
    LeesOpties();
}

QLabel* TOptiesDialog::MaakLabel(const QString& tekst, QPoint plaats) {
    auto* label = new QLabel(tekst, this);
    label->move(plaats);
    label->adjustSize();
    return label;
}

QLineEdit* TOptiesDialog::MaakEdit(const QString& naam, QRect plaats) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(naam);
    edit->setGeometry(plaats);
    return edit;
}

QPushButton* TOptiesDialog::MaakKnop(const QString& naam, const QString& tekst, QRect plaats) {
    auto* knop = new QPushButton(tekst, this);
    knop->setObjectName(naam);
    knop->setGeometry(plaats);
    return knop;
}

void TOptiesDialog::MaakSjabloonVelden() {
    PouleSjabloonLabel =
        MaakLabel(QStringLiteral("Excel-werkmapsjabloon voor de poules"), {16, 16});
    PoulesSjabloonEdit = MaakEdit(QStringLiteral("PoulesSjabloonEdit"), {16, 32, 257, 21});
    BladerenPoulesBitBtn = MaakKnop(QStringLiteral("BladerenPoulesBitBtn"),
                                    QStringLiteral("Bladeren"), {272, 30, 65, 25});
    KnockoutSjabloonLabel =
        MaakLabel(QStringLiteral("Excel-werkmapsjabloon voor knockouts"), {16, 72});
    KnockoutSjabloonEdit = MaakEdit(QStringLiteral("KnockoutSjabloonEdit"), {16, 88, 257, 21});
    BladerenKnockoutBitBtn = MaakKnop(QStringLiteral("BladerenKnockoutBitBtn"),
                                      QStringLiteral("Bladeren"), {272, 86, 65, 25});
    connect(BladerenPoulesBitBtn, &QPushButton::clicked, this,
            &TOptiesDialog::BladerenPoulesBitBtnClick);
    connect(BladerenKnockoutBitBtn, &QPushButton::clicked, this,
            &TOptiesDialog::BladerenKnockoutBitBtnClick);
}

void TOptiesDialog::MaakGetalVelden() {
    BeginBijLabel = MaakLabel(QStringLiteral("Begin bij:"), {16, 120});
    RijLabel = MaakLabel(QStringLiteral("Rij"), {72, 120});
    RijEdit = MaakEdit(QStringLiteral("RijEdit"), {96, 116, 33, 21});
    KolomLabel = MaakLabel(QStringLiteral("Kolom"), {144, 120});
    KolomEdit = MaakEdit(QStringLiteral("KolomEdit"), {naTekst(KolomLabel, 176), 116, 33, 21});
    // A screen reader names each field after the label in front of it.
    PouleSjabloonLabel->setBuddy(PoulesSjabloonEdit);
    KnockoutSjabloonLabel->setBuddy(KnockoutSjabloonEdit);
    RijLabel->setBuddy(RijEdit);
    KolomLabel->setBuddy(KolomEdit);
    RijEdit->setAccessibleName(QStringLiteral("Begin bij rij"));
    KolomEdit->setAccessibleName(QStringLiteral("Begin bij kolom"));
    BladerenPoulesBitBtn->setAccessibleDescription(
        QStringLiteral("Sjabloon voor de poules kiezen"));
    BladerenKnockoutBitBtn->setAccessibleDescription(
        QStringLiteral("Sjabloon voor knockouts kiezen"));
    HelpLabel = new QLabel(QStringLiteral("In de help kunt u meer informatie vinden over de eisen "
                                          "waaraan de werkbladsjablonen moeten voldoen."),
                           this);
    HelpLabel->setWordWrap(true);
    HelpLabel->setGeometry(16, 160, 321, 33);
}

void TOptiesDialog::MaakKnoppen() {
    OKBitBtn = MaakKnop(QStringLiteral("OKBitBtn"), QStringLiteral("&OK"), {104, 200, 89, 25});
    OKBitBtn->setIcon(okIcoon());
    OKBitBtn->setDefault(true);
    AnnulerenBitBtn = MaakKnop(QStringLiteral("AnnulerenBitBtn"), QStringLiteral("&Annuleren"),
                               {200, 200, 89, 25});
    AnnulerenBitBtn->setIcon(annulerenIcoon());
    // Esc and the window's close box reject the dialog as well: nothing is
    // checked or written.
    connect(OKBitBtn, &QPushButton::clicked, this, &TOptiesDialog::OKBitBtnClick);
    connect(AnnulerenBitBtn, &QPushButton::clicked, this, &QDialog::reject);
}

void TOptiesDialog::ZetTabvolgorde() {
    QWidget* const volgorde[] = {PoulesSjabloonEdit,
                                 BladerenPoulesBitBtn,
                                 KnockoutSjabloonEdit,
                                 BladerenKnockoutBitBtn,
                                 RijEdit,
                                 KolomEdit,
                                 OKBitBtn,
                                 AnnulerenBitBtn};
    for (std::size_t i = 0; i + 1 < std::size(volgorde); ++i)
        setTabOrder(volgorde[i], volgorde[i + 1]);
}

QString TOptiesDialog::PouleSjabloon() const {
    return Text::trimmed(PoulesSjabloonEdit->text());
}

QString TOptiesDialog::KnockoutSjabloon() const {
    return Text::trimmed(KnockoutSjabloonEdit->text());
}

int TOptiesDialog::BeginRij() const {
    return PouleIndeling::LeesGetal(RijEdit->text()).value_or(1);
}

int TOptiesDialog::BeginKolom() const {
    return PouleIndeling::LeesGetal(KolomEdit->text()).value_or(1);
}

void TOptiesDialog::ZetStandaardwaarden() {
    PoulesSjabloonEdit->setText(Paths::defaultTemplate(QStringLiteral("poules.xlt")));
    KnockoutSjabloonEdit->setText(Paths::defaultTemplate(QStringLiteral("knockout.xlt")));
    RijEdit->setText(QString::number(Opties::StandaardBeginRij));
    KolomEdit->setText(QString::number(Opties::StandaardBeginKolom));
}

bool TOptiesDialog::LeesOpties() {
    const bool gelezen = LeesBestand();
    ControleerGetallen(true);
    return gelezen;
}

bool TOptiesDialog::LeesBestand() {
    QFile bestand(IniBestand);
    if (!bestand.open(QIODevice::ReadOnly))
        return false;
    // An options file grown beyond all reason is no reason to crash: the
    // defaults hold, and the organiser hears why.
    QStringList regels;
    try {
        const QByteArray inhoud = bestand.readAll();
        if (bestand.error() != QFileDevice::NoError)
            return false;
        // Lines missing at the end read as empty; the lines are taken as they
        // are, untrimmed.
        regels = Ansi::splitLines(Ansi::decode(inhoud));
    } catch (const std::bad_alloc&) {
        messages().information(QStringLiteral("De opties kunnen niet worden gelezen.") +
                               Text::lineBreak + Text::lineBreak + QStringLiteral("Foutmelding: ") +
                               Bestand::TeGrootTekst(IniBestand));
        return false;
    }
    QLineEdit* const velden[] = {PoulesSjabloonEdit, KnockoutSjabloonEdit, RijEdit, KolomEdit};
    for (qsizetype i = 0; i < qsizetype(std::size(velden)); ++i)
        velden[i]->setText(i < regels.size() ? regels.at(i) : QString());
    const QString vijfde = regels.value(std::size(velden));
    if (vijfde.startsWith(ToernooiMapSleutel))
        m_toernooiMap = vijfde.mid(ToernooiMapSleutel.size());
    return true;
}

bool TOptiesDialog::ControleerGetallen(bool stil) {
    // Without a knockout template the start cell is not used.
    if (KnockoutSjabloon().isEmpty())
        return true;
    return ControleerGetal(RijEdit, stil) && ControleerGetal(KolomEdit, stil);
}

bool TOptiesDialog::ControleerGetal(QLineEdit* veld, bool stil) {
    const bool rij = veld == RijEdit;
    const bool leeg = Text::trimmed(veld->text()).isEmpty();
    if (!leeg && IsGeldigGetal(veld->text(), rij ? Spreadsheet::MaxRows : Spreadsheet::MaxColumns))
        return true;
    if (leeg || stil) {
        veld->setText(QStringLiteral("1"));
        return true;
    }
    veld->setFocus();
    veld->selectAll();
    messages().information(rij ? RijMelding : KolomMelding);
    return false;
}

bool TOptiesDialog::ControleerSjablonen() {
    for (QLineEdit* veld : {PoulesSjabloonEdit, KnockoutSjabloonEdit}) {
        if (HeeftStuurteken(Text::trimmed(veld->text()))) {
            veld->setFocus();
            veld->selectAll();
            messages().information(SjabloonMelding);
            return false;
        }
    }
    return true;
}

bool TOptiesDialog::BewaarOpties() {
    const QString fout = SchrijfBestand();
    if (fout.isEmpty())
        return true;
    messages().information(OpslaanMelding + Text::lineBreak + Text::lineBreak + u'"' + fout +
                           QStringLiteral("\"."));
    return false;
}

QString TOptiesDialog::SchrijfBestand() {
    QString tekst = PouleSjabloon() + CrLf + KnockoutSjabloon() + CrLf +
                    Text::trimmed(RijEdit->text()) + CrLf + Text::trimmed(KolomEdit->text()) + CrLf;
    if (!m_toernooiMap.isEmpty())
        tekst += ToernooiMapSleutel + m_toernooiMap + CrLf;
    // The configuration folder may not exist yet. The file is written
    // beside the old one and put in its place only when complete, so a
    // failure never damages the options already there.
    const QString fout = Bestand::MaakMap(QFileInfo(IniBestand).absolutePath());
    if (!fout.isEmpty())
        return fout;
    return Bestand::SchrijfVeilig(IniBestand, Ansi::encode(tekst));
}

void TOptiesDialog::ZetToernooiMap(const QString& map) {
    if (map == m_toernooiMap)
        return;
    m_toernooiMap = map;
    SchrijfBestand();
}

QString TOptiesDialog::KiesSjabloon(const QString& huidig) {
    const QString sjabloon = Text::trimmed(huidig);
    FileDialogRequest vraag;
    vraag.title = QStringLiteral("Kies Excel-werkmapsjabloon");
    vraag.filter = SjabloonFilter;
    vraag.mustExist = true;
    vraag.helpContext = HelpContext::Opties;
    if (sjabloon.isEmpty()) {
        vraag.directory = QFileInfo(IniBestand).absolutePath();
    } else {
        const QFileInfo bestand(sjabloon);
        vraag.directory = bestand.absolutePath();
        vraag.fileName = bestand.fileName();
    }
    const QString gekozen = messages().openFile(vraag);
    return gekozen.isEmpty() ? sjabloon : gekozen;
}

void TOptiesDialog::BladerenPoulesBitBtnClick() {
    PoulesSjabloonEdit->setText(KiesSjabloon(PoulesSjabloonEdit->text()));
}

void TOptiesDialog::BladerenKnockoutBitBtnClick() {
    KnockoutSjabloonEdit->setText(KiesSjabloon(KnockoutSjabloonEdit->text()));
}

void TOptiesDialog::OKBitBtnClick() {
    if (!ControleerSjablonen() || !ControleerGetallen(false))
        return;
    // The new values hold for this run even when they could not be written.
    BewaarOpties();
    accept();
}

bool TOptiesDialog::Wijzig(const QString& pouleSjabloon, const QString& knockoutSjabloon,
                           int beginKolom, int beginRij) {
    PoulesSjabloonEdit->setText(pouleSjabloon);
    KnockoutSjabloonEdit->setText(knockoutSjabloon);
    KolomEdit->setText(QString::number(beginKolom));
    RijEdit->setText(QString::number(beginRij));
    PoulesSjabloonEdit->setFocus();
    centreerOpScherm(this);
    if (exec() == QDialog::Accepted)
        return true;
    // Back to the values in force: the tournament folder may be written
    // before the next Wijzig, and must not take what was cancelled with it.
    PoulesSjabloonEdit->setText(pouleSjabloon);
    KnockoutSjabloonEdit->setText(knockoutSjabloon);
    KolomEdit->setText(QString::number(beginKolom));
    RijEdit->setText(QString::number(beginRij));
    return false;
}
