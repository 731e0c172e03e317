#include "participants/InputDeelnemerDialog.h"

#include "ui/Help.h"
#include "ui/Icons.h"
#include "ui/Scherm.h"
#include "model/Deelnemerslijst.h"
#include "model/MessageService.h"
#include "model/Text.h"

#include <QApplication>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QStyle>

namespace {

const QString GeenNaamTekst = QStringLiteral("Er is geen naam ingevuld.");
const QString ByeTekst =
    QStringLiteral("De naam \"Bye\" is erg verwarrend en mag daarom niet worden gebruikt.");

// The designed 264 pixels, widened by the club and seed fields to the right
// of the names; the designed controls keep their places.
constexpr int ClientBreedte = 456;
constexpr int ClientHoogte = 106;

} // namespace

TInputDeelnemerDialog::TInputDeelnemerDialog(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
    , DeelnemerBovenLabel(new QLabel(QStringLiteral("Voornaam"), this))
    , DeelnemerOnderLabel(new QLabel(QStringLiteral("Achternaam"), this))
    , VoornaamEdit(new QLineEdit(this))
    , AchternaamEdit(new QLineEdit(this))
    , OKBitBtn(new QPushButton(QStringLiteral("&OK"), this))
    , AnnulerenBitBtn(new QPushButton(QStringLiteral("&Annuleren"), this))
    , VerenigingLabel(new QLabel(QStringLiteral("Vereniging"), this))
    , PlaatsingLabel(new QLabel(QStringLiteral("Plaatsing"), this))
    , VerenigingEdit(new QLineEdit(this))
    , PlaatsingEdit(new QLineEdit(this)) {
    setHelpContext(this, HelpContext::Deelnemers);
    setFixedSize(ClientBreedte, ClientHoogte);

    DeelnemerBovenLabel->move(16, 16);
    DeelnemerBovenLabel->adjustSize();
    DeelnemerOnderLabel->move(120, 16);
    DeelnemerOnderLabel->adjustSize();
    VoornaamEdit->setGeometry(16, 32, 97, 21);
    AchternaamEdit->setGeometry(120, 32, 129, 21);
    OKBitBtn->setGeometry(40, 72, 89, 25);
    AnnulerenBitBtn->setGeometry(136, 72, 89, 25);
    VerenigingLabel->move(256, 16);
    VerenigingLabel->adjustSize();
    PlaatsingLabel->move(392, 16);
    PlaatsingLabel->adjustSize();
    VerenigingEdit->setGeometry(256, 32, 129, 21);
    PlaatsingEdit->setGeometry(392, 32, 49, 21);
    // Digits only; a 0 or an empty field is judged at OK.
    PlaatsingEdit->setMaxLength(5);
    PlaatsingEdit->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), this));
    PlaatsingEdit->setToolTip(QStringLiteral("1 is de sterkste deelnemer; leeg: niet geplaatst"));

    // A screen reader names each field after its label.
    DeelnemerBovenLabel->setBuddy(VoornaamEdit);
    DeelnemerOnderLabel->setBuddy(AchternaamEdit);
    VerenigingLabel->setBuddy(VerenigingEdit);
    PlaatsingLabel->setBuddy(PlaatsingEdit);
    VerenigingEdit->setObjectName(QStringLiteral("VerenigingEdit"));
    PlaatsingEdit->setObjectName(QStringLiteral("PlaatsingEdit"));
    VoornaamEdit->setObjectName(QStringLiteral("VoornaamEdit"));
    AchternaamEdit->setObjectName(QStringLiteral("AchternaamEdit"));
    OKBitBtn->setObjectName(QStringLiteral("OKBitBtn"));
    AnnulerenBitBtn->setObjectName(QStringLiteral("AnnulerenBitBtn"));

    OKBitBtn->setIcon(okIcoon());
    AnnulerenBitBtn->setIcon(annulerenIcoon());
    OKBitBtn->setDefault(true);

    groeiMetLettertype(this);
    // The fields in the order they stand, then the buttons.
    setTabOrder(VoornaamEdit, AchternaamEdit);
    setTabOrder(AchternaamEdit, VerenigingEdit);
    setTabOrder(VerenigingEdit, PlaatsingEdit);
    setTabOrder(PlaatsingEdit, OKBitBtn);
    setTabOrder(OKBitBtn, AnnulerenBitBtn);

    // Esc and the window frame reject the dialog as well; no check runs.
    connect(OKBitBtn, &QPushButton::clicked, this, &TInputDeelnemerDialog::OKBitBtnClick);
    connect(AnnulerenBitBtn, &QPushButton::clicked, this, &QDialog::reject);
}

bool TInputDeelnemerDialog::Bewerken(const QString& voornaam, const QString& achternaam) {
    return Bewerken(Deelnemerslijst::TNaam(voornaam, achternaam));
}

bool TInputDeelnemerDialog::Bewerken(const Deelnemerslijst::TNaam& naam) {
    const bool nieuw = naam.Voornaam.isEmpty() && naam.Achternaam.isEmpty();
    setWindowTitle(nieuw ? QStringLiteral("Nieuwe deelnemer") : QStringLiteral("Bewerk deelnemer"));
    VoornaamEdit->setText(naam.Voornaam);
    AchternaamEdit->setText(naam.Achternaam);
    VerenigingEdit->setText(naam.Vereniging);
    PlaatsingEdit->setText(naam.Plaatsing > 0 ? QString::number(naam.Plaatsing) : QString());
    VoornaamEdit->setFocus();
    VoornaamEdit->selectAll();
    centreerOpScherm(this);

    const int resultaat = exec();

    // A pasted line break or tab becomes a blank: names are stored one per
    // line.
    VoornaamEdit->setText(Text::cleanName(VoornaamEdit->text()));
    AchternaamEdit->setText(Text::cleanName(AchternaamEdit->text()));
    VerenigingEdit->setText(Text::cleanName(VerenigingEdit->text()));
    return resultaat == QDialog::Accepted;
}

bool TInputDeelnemerDialog::Invoeren() {
    return Bewerken(QString(), QString());
}

QString TInputDeelnemerDialog::Voornaam() const {
    return VoornaamEdit->text();
}

QString TInputDeelnemerDialog::Achternaam() const {
    return AchternaamEdit->text();
}

QString TInputDeelnemerDialog::Vereniging() const {
    return VerenigingEdit->text();
}

int TInputDeelnemerDialog::Plaatsing() const {
    return Deelnemerslijst::LeesPlaatsing(PlaatsingEdit->text()).value_or(0);
}

Deelnemerslijst::TNaam TInputDeelnemerDialog::Naam() const {
    return {Voornaam(), Achternaam(), Vereniging(), Plaatsing()};
}

void TInputDeelnemerDialog::OKBitBtnClick() {
    switch (Deelnemerslijst::Beoordeel(Text::cleanName(VoornaamEdit->text()),
                                       Text::cleanName(AchternaamEdit->text()))) {
    case Deelnemerslijst::TNaamOordeel::Leeg:
        messages().information(GeenNaamTekst);
        return;
    case Deelnemerslijst::TNaamOordeel::Bye:
        messages().information(ByeTekst);
        return;
    case Deelnemerslijst::TNaamOordeel::Goed:
        break;
    }
    const std::optional<int> plaatsing = Deelnemerslijst::LeesPlaatsing(PlaatsingEdit->text());
    const QString bezet = !plaatsing ? Deelnemerslijst::GeenPlaatsingTekst()
                          : *plaatsing > 0 && m_plaatsingBezet ? m_plaatsingBezet(*plaatsing)
                                                               : QString();
    if (!bezet.isEmpty()) {
        messages().information(bezet);
        PlaatsingEdit->setFocus();
        PlaatsingEdit->selectAll();
        return;
    }
    accept();
}
