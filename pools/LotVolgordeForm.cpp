#include "pools/LotVolgordeForm.h"

#include "pools/TellingKeuze.h"
#include "ui/Help.h"
#include "ui/Icons.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

TLotVolgordeForm::TLotVolgordeForm(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
    , VolgordeLijst(new TVolgordeLijst(this))
    , OKBitBtn(new QPushButton(okIcoon(), QStringLiteral("&OK"), this))
    , AnnulerenBitBtn(new QPushButton(annulerenIcoon(), QStringLiteral("&Annuleren"), this)) {
    setWindowTitle(QStringLiteral("Volgorde bij gelijke stand"));
    setHelpContext(this, HelpContext::Poules);
    VolgordeLijst->Lijst->setObjectName(QStringLiteral("VolgordeListBox"));
    VolgordeLijst->Lijst->setAccessibleName(QStringLiteral("Volgorde, de beste bovenaan"));
    OKBitBtn->setObjectName(QStringLiteral("OKBitBtn"));
    AnnulerenBitBtn->setObjectName(QStringLiteral("AnnulerenBitBtn"));
    OKBitBtn->setDefault(true);
    AnnulerenBitBtn->setAutoDefault(false);
    auto* uitleg = new QLabel(
        QStringLiteral("De regels scheiden deze deelnemers niet. Zet ze in volgorde, de beste "
                       "bovenaan (Ctrl+pijl omhoog of omlaag verplaatst een regel)."),
        this);
    uitleg->setWordWrap(true);
    auto* knoppen = new QHBoxLayout;
    knoppen->addStretch();
    knoppen->addWidget(OKBitBtn);
    knoppen->addWidget(AnnulerenBitBtn);
    auto* indeling = new QVBoxLayout(this);
    indeling->addWidget(uitleg);
    indeling->addWidget(VolgordeLijst, 1);
    indeling->addLayout(knoppen);
    connect(OKBitBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(AnnulerenBitBtn, &QPushButton::clicked, this, &QDialog::reject);
    resize(sizeHint().expandedTo(QSize(320, 240)));
}

std::optional<std::vector<int>> TLotVolgordeForm::Kies(const std::vector<int>& spelers,
                                                       const QStringList& namen) {
    VolgordeLijst->ZetRegels(namen, spelers);
    VolgordeLijst->Lijst->setFocus();
    if (exec() != QDialog::Accepted)
        return std::nullopt;
    return VolgordeLijst->Volgorde();
}
