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
#include <QStyle>

namespace {

const QString GeenNaamTekst = QStringLiteral("Er is geen naam ingevuld.");
const QString ByeTekst =
    QStringLiteral("De naam \"Bye\" is erg verwarrend en mag daarom niet worden gebruikt.");

constexpr int ClientBreedte = 264;
constexpr int ClientHoogte = 106;

} // namespace

TInputDeelnemerDialog::TInputDeelnemerDialog(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
    , DeelnemerBovenLabel(new QLabel(QStringLiteral("Voornaam"), this))
    , DeelnemerOnderLabel(new QLabel(QStringLiteral("Achternaam"), this))
    , VoornaamEdit(new QLineEdit(this))
    , AchternaamEdit(new QLineEdit(this))
    , OKBitBtn(new QPushButton(QStringLiteral("&OK"), this))
    , AnnulerenBitBtn(new QPushButton(QStringLiteral("&Annuleren"), this)) {
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

    // A screen reader names each field after its label.
    DeelnemerBovenLabel->setBuddy(VoornaamEdit);
    DeelnemerOnderLabel->setBuddy(AchternaamEdit);
    VoornaamEdit->setObjectName(QStringLiteral("VoornaamEdit"));
    AchternaamEdit->setObjectName(QStringLiteral("AchternaamEdit"));
    OKBitBtn->setObjectName(QStringLiteral("OKBitBtn"));
    AnnulerenBitBtn->setObjectName(QStringLiteral("AnnulerenBitBtn"));

    OKBitBtn->setIcon(okIcoon());
    AnnulerenBitBtn->setIcon(annulerenIcoon());
    OKBitBtn->setDefault(true);

    groeiMetLettertype(this);
    setTabOrder(VoornaamEdit, AchternaamEdit);
    setTabOrder(AchternaamEdit, OKBitBtn);
    setTabOrder(OKBitBtn, AnnulerenBitBtn);

    // Esc and the window frame reject the dialog as well; no check runs.
    connect(OKBitBtn, &QPushButton::clicked, this, &TInputDeelnemerDialog::OKBitBtnClick);
    connect(AnnulerenBitBtn, &QPushButton::clicked, this, &QDialog::reject);
}

bool TInputDeelnemerDialog::Bewerken(const QString& voornaam, const QString& achternaam) {
    const bool nieuw = voornaam.isEmpty() && achternaam.isEmpty();
    setWindowTitle(nieuw ? QStringLiteral("Nieuwe deelnemer") : QStringLiteral("Bewerk deelnemer"));
    VoornaamEdit->setText(voornaam);
    AchternaamEdit->setText(achternaam);
    VoornaamEdit->setFocus();
    VoornaamEdit->selectAll();
    centreerOpScherm(this);

    const int resultaat = exec();

    // A pasted line break or tab becomes a blank: names are stored one per
    // line.
    VoornaamEdit->setText(Text::cleanName(VoornaamEdit->text()));
    AchternaamEdit->setText(Text::cleanName(AchternaamEdit->text()));
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
        accept();
        return;
    }
}
