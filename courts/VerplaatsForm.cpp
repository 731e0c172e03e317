#include "courts/VerplaatsForm.h"

#include "ui/Help.h"
#include "ui/Icons.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimeEdit>
#include <QVBoxLayout>

#include <algorithm>

using namespace Planning;

TVerplaatsForm::TVerplaatsForm(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
    , WedstrijdLabel(new QLabel(this))
    , BaanComboBox(new QComboBox(this))
    , BeginEdit(new QTimeEdit(this))
    , OKBitBtn(new QPushButton(okIcoon(), QStringLiteral("&OK"), this))
    , AnnulerenBitBtn(new QPushButton(annulerenIcoon(), QStringLiteral("&Annuleren"), this)) {
    setWindowTitle(QStringLiteral("Verplaatsen"));
    setHelpContext(this, HelpContext::Banen);
    WedstrijdLabel->setObjectName(QStringLiteral("WedstrijdLabel"));
    BaanComboBox->setObjectName(QStringLiteral("BaanComboBox"));
    BeginEdit->setObjectName(QStringLiteral("BeginEdit"));
    OKBitBtn->setObjectName(QStringLiteral("OKBitBtn"));
    AnnulerenBitBtn->setObjectName(QStringLiteral("AnnulerenBitBtn"));
    OKBitBtn->setDefault(true);
    AnnulerenBitBtn->setAutoDefault(false);
    BeginEdit->setDisplayFormat(QStringLiteral("HH:mm"));
    WedstrijdLabel->setTextFormat(Qt::PlainText);

    auto* form = new QFormLayout;
    auto* baanLabel = new QLabel(QStringLiteral("&Baan:"), this);
    baanLabel->setBuddy(BaanComboBox);
    form->addRow(baanLabel, BaanComboBox);
    auto* beginLabel = new QLabel(QStringLiteral("&Begintijd:"), this);
    beginLabel->setBuddy(BeginEdit);
    form->addRow(beginLabel, BeginEdit);
    auto* knoppen = new QHBoxLayout;
    knoppen->addStretch();
    knoppen->addWidget(OKBitBtn);
    knoppen->addWidget(AnnulerenBitBtn);
    auto* indeling = new QVBoxLayout(this);
    indeling->addWidget(WedstrijdLabel);
    indeling->addLayout(form);
    indeling->addLayout(knoppen);
    indeling->setSizeConstraint(QLayout::SetFixedSize);
    connect(OKBitBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(AnnulerenBitBtn, &QPushButton::clicked, this, &QDialog::reject);
}

std::optional<TVerplaatsForm::TDoel> TVerplaatsForm::Kies(const TDagInstellingen& instellingen,
                                                          const TDagWedstrijd& wedstrijd) {
    WedstrijdLabel->setText(wedstrijd.Omschrijving + u'\n' + wedstrijd.Boven +
                            QStringLiteral(" – ") + wedstrijd.Onder);
    BaanComboBox->clear();
    for (int baan = 0; baan < instellingen.Plan.Banen; ++baan)
        BaanComboBox->addItem(BaanNaam(instellingen, baan));
    BaanComboBox->setCurrentIndex(std::max(0, wedstrijd.Baan));
    constexpr int Dag = 24 * 60;
    BeginEdit->setTime(
        QTime(0, 0).addSecs(((instellingen.Begintijd + std::max(0, wedstrijd.Begin)) % Dag) * 60));
    BaanComboBox->setFocus();
    if (exec() != QDialog::Accepted)
        return std::nullopt;
    // A clock time before the day's start lies after midnight.
    const QTime tijd = BeginEdit->time();
    const int klok = tijd.hour() * 60 + tijd.minute();
    return TDoel{BaanComboBox->currentIndex(), (klok - instellingen.Begintijd + Dag) % Dag};
}
