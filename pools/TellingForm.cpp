#include "pools/TellingForm.h"

#include "pools/TellingKeuze.h"
#include "ui/Help.h"
#include "ui/Icons.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

TTellingForm::TTellingForm(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
    , Keuze(new TTellingKeuze(this))
    , OKBitBtn(new QPushButton(okIcoon(), QStringLiteral("&OK"), this))
    , AnnulerenBitBtn(new QPushButton(annulerenIcoon(), QStringLiteral("&Annuleren"), this)) {
    setWindowTitle(QStringLiteral("Telling"));
    setHelpContext(this, HelpContext::Poules);
    OKBitBtn->setObjectName(QStringLiteral("OKBitBtn"));
    AnnulerenBitBtn->setObjectName(QStringLiteral("AnnulerenBitBtn"));
    OKBitBtn->setDefault(true);
    AnnulerenBitBtn->setAutoDefault(false);
    auto* knoppen = new QHBoxLayout;
    knoppen->addStretch();
    knoppen->addWidget(OKBitBtn);
    knoppen->addWidget(AnnulerenBitBtn);
    auto* indeling = new QVBoxLayout(this);
    indeling->addWidget(Keuze, 1);
    indeling->addLayout(knoppen);
    connect(OKBitBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(AnnulerenBitBtn, &QPushButton::clicked, this, &QDialog::reject);
    resize(QSize(Keuze->NodigeBreedte(), Keuze->NodigeHoogte() + OKBitBtn->sizeHint().height())
               .expandedTo(sizeHint()));
}

std::optional<Poulewedstrijden::TTelling>
TTellingForm::Kies(const Poulewedstrijden::TTelling& huidig) {
    Keuze->ZetTelling(huidig);
    Keuze->SysteemComboBox->setFocus();
    if (exec() != QDialog::Accepted)
        return std::nullopt;
    return Keuze->Telling();
}
