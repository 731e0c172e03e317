#include "knockout/KnockoutNaarExcelForm.h"

#include "ui/Help.h"
#include "ui/Icons.h"
#include "ui/Scherm.h"

#include <QCheckBox>
#include <QPushButton>

#include <algorithm>

TKnockoutNaarExcelForm::TKnockoutNaarExcelForm(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint) {
    setWindowTitle(QStringLiteral("Knockout naar Excel"));
    setHelpContext(this, HelpContext::Knockout);
    setFixedSize(324, 188);
    MaakKnoppen();
    cbxRonden = MaakKeuze(QStringLiteral("cbxRonden"), QStringLiteral("Nummer de ronden"), 16);
    cbxWedstrijden =
        MaakKeuze(QStringLiteral("cbxWedstrijden"), QStringLiteral("Nummer de wedstrijden"), 40);
    cbxDeelnemerNO =
        MaakKeuze(QStringLiteral("cbxDeelnemerNO"),
                  QStringLiteral("Plaats \"n.o\" wanneer een deelnemer nog onbekend is"), 64);
    cbxUitslagNO =
        MaakKeuze(QStringLiteral("cbxUitslagNO"),
                  QStringLiteral("Plaats \"n.o.\" wanneer een uitslag nog onbekend is"), 88);
    cbxPouleInformatie = MaakKeuze(
        QStringLiteral("cbxPouleInformatie"),
        QStringLiteral("Plaats poule-informatie voor alle deelnemers in de 1e ronde"), 112);
    setTabOrder(OKBitBtn, AnnulerenBitBtn);
    setTabOrder(AnnulerenBitBtn, cbxRonden);
    setTabOrder(cbxRonden, cbxWedstrijden);
    setTabOrder(cbxWedstrijden, cbxDeelnemerNO);
    setTabOrder(cbxDeelnemerNO, cbxUitslagNO);
    setTabOrder(cbxUitslagNO, cbxPouleInformatie);
    groeiMetLettertype(this);
    PasBreedteAan();
}

// The design's 297 pixels hold the longer captions in no sans-serif font of a
// Linux desktop: the boxes take the room their captions need, and the dialog
// widens around them with the buttons in the middle.
void TKnockoutNaarExcelForm::PasBreedteAan() {
    const int rand = cbxRonden->x();
    int rechts = 0;
    for (QCheckBox* keuze :
         {cbxRonden, cbxWedstrijden, cbxDeelnemerNO, cbxUitslagNO, cbxPouleInformatie}) {
        keuze->resize(std::max(keuze->width(), keuze->sizeHint().width()), keuze->height());
        rechts = std::max(rechts, keuze->x() + keuze->width());
    }
    const int breedte = rechts + rand;
    if (breedte <= width())
        return;
    const int verschuiving = (breedte - width()) / 2;
    for (QPushButton* knop : {OKBitBtn, AnnulerenBitBtn})
        knop->move(knop->x() + verschuiving, knop->y());
    setFixedSize(breedte, height());
}

QCheckBox* TKnockoutNaarExcelForm::MaakKeuze(const QString& naam, const QString& tekst, int boven) {
    auto* keuze = new QCheckBox(tekst, this);
    keuze->setObjectName(naam);
    keuze->setGeometry(16, boven, 297, 17);
    keuze->setChecked(true);
    return keuze;
}

void TKnockoutNaarExcelForm::MaakKnoppen() {
    OKBitBtn = new QPushButton(okIcoon(), QStringLiteral("&OK"), this);
    OKBitBtn->setObjectName(QStringLiteral("OKBitBtn"));
    OKBitBtn->setGeometry(72, 152, 89, 25);
    OKBitBtn->setDefault(true);
    AnnulerenBitBtn = new QPushButton(annulerenIcoon(), QStringLiteral("&Annuleren"), this);
    AnnulerenBitBtn->setObjectName(QStringLiteral("AnnulerenBitBtn"));
    AnnulerenBitBtn->setGeometry(168, 152, 89, 25);
    connect(OKBitBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(AnnulerenBitBtn, &QPushButton::clicked, this, &QDialog::reject);
}

KnockoutExport::TInstellingen TKnockoutNaarExcelForm::Instellingen() const {
    KnockoutExport::TInstellingen instellingen;
    instellingen.Ronden = cbxRonden->isChecked();
    instellingen.Wedstrijden = cbxWedstrijden->isChecked();
    instellingen.DeelnemerNO = cbxDeelnemerNO->isChecked();
    instellingen.UitslagNO = cbxUitslagNO->isChecked();
    instellingen.PouleInformatie = cbxPouleInformatie->isChecked();
    instellingen.Sjabloon = KnockoutSjabloon;
    instellingen.BeginRij = BeginRij;
    instellingen.BeginKolom = BeginKolom;
    return instellingen;
}

void TKnockoutNaarExcelForm::ExporteerKnockout(const TKnockout& knockout) {
    centreerOpScherm(this);
    OKBitBtn->setFocus();
    if (exec() == QDialog::Accepted)
        KnockoutExport::Exporteer(knockout, Instellingen());
}
