#include "knockout/KiesDeelnemerForm.h"

#include "model/KnockoutWedstrijdWijzig.h"
#include "ui/Help.h"
#include "ui/Icons.h"
#include "ui/Scherm.h"

#include <QEvent>
#include <QHeaderView>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTableWidget>

#include <algorithm>
#include <cmath>

namespace {

constexpr int Rijhoogte = 16;

} // namespace

TKiesDeelnemerForm::TKiesDeelnemerForm(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint |
                         Qt::WindowCloseButtonHint) {
    setWindowTitle(QStringLiteral("Kies deelnemer"));
    setHelpContext(this, HelpContext::Knockout);
    DeelnemersStringGrid = new QTableWidget(0, 2, this);
    DeelnemersStringGrid->setObjectName(QStringLiteral("DeelnemersStringGrid"));
    DeelnemersStringGrid->setAccessibleName(QStringLiteral("Deelnemers"));
    DeelnemersStringGrid->horizontalHeader()->hide();
    DeelnemersStringGrid->verticalHeader()->hide();
    // Fixed rows: the header would otherwise grow them to fit the font.
    DeelnemersStringGrid->verticalHeader()->setMinimumSectionSize(Rijhoogte);
    DeelnemersStringGrid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    DeelnemersStringGrid->verticalHeader()->setDefaultSectionSize(Rijhoogte);
    DeelnemersStringGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    DeelnemersStringGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    DeelnemersStringGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    DeelnemersStringGrid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    DeelnemersStringGrid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    OKBitBtn = new QPushButton(okIcoon(), QStringLiteral("&OK"), this);
    OKBitBtn->setObjectName(QStringLiteral("OKBitBtn"));
    OKBitBtn->setDefault(true);
    AnnuleerBitBtn = new QPushButton(annulerenIcoon(), QStringLiteral("&Annuleren"), this);
    AnnuleerBitBtn->setObjectName(QStringLiteral("AnnuleerBitBtn"));
    AnnuleerBitBtn->setAutoDefault(false);
    connect(OKBitBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(AnnuleerBitBtn, &QPushButton::clicked, this, &QDialog::reject);
    // The columns follow the visible width of the grid, which is only known
    // once the grid is laid out; a double click anywhere in it confirms.
    DeelnemersStringGrid->viewport()->installEventFilter(this);
    setMinimumSize(175, 150);
    // The window manager writes the title in its own bold, usually larger
    // font beside its buttons; a narrower window has its title cut.
    QFont titel = font();
    titel.setBold(true);
    titel.setPointSizeF(titel.pointSizeF() * 1.25);
    const int titelBreedte = QFontMetrics(titel).horizontalAdvance(windowTitle()) + 120;
    resize(std::max(naarLettertype(this, 195), titelBreedte), naarLettertype(this, 268));
    centreerOpScherm(this);
    PasIndelingAan();
}

std::optional<int> TKiesDeelnemerForm::Kies(const TKeuzelijst& lijst) {
    for (const TKeuzelijst::Rij& rij : lijst.rijen)
        VoegRijToe(rij.code, rij.naam);
    ZetKolomverhouding(lijst.kolomverhouding);
    if (exec() != QDialog::Accepted)
        return std::nullopt;
    const int rij = GeselecteerdeRij();
    if (rij < 0 || rij >= static_cast<int>(lijst.rijen.size()))
        return std::nullopt;
    return rij;
}

bool TKiesDeelnemerForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == DeelnemersStringGrid->viewport()) {
        if (event->type() == QEvent::Resize)
            PasKolommenAan();
        if (event->type() == QEvent::MouseButtonDblClick) {
            accept();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TKiesDeelnemerForm::showEvent(QShowEvent* event) {
    PasBreedteAan();
    QDialog::showEvent(event);
}

// Opens wide enough for the longest code and name in the desktop's font, at
// most as wide as the screen; the user can still make it narrower.
void TKiesDeelnemerForm::PasBreedteAan() {
    const QTableWidget* rooster = DeelnemersStringGrid;
    const int marge = 2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1) + 1;
    int code = 0;
    int naam = 0;
    for (int rij = 0; rij < rooster->rowCount(); ++rij) {
        if (const QTableWidgetItem* cel = rooster->item(rij, 0))
            code = std::max(code, rooster->fontMetrics().horizontalAdvance(cel->text()) + marge);
        if (const QTableWidgetItem* cel = rooster->item(rij, 1))
            naam = std::max(naam, rooster->fontMetrics().horizontalAdvance(cel->text()) + marge);
    }
    int nodig = static_cast<int>(std::ceil(naam / (1.0 - m_kolomverhouding)));
    if (m_kolomverhouding > 0)
        nodig = std::max(nodig, static_cast<int>(std::ceil(code / m_kolomverhouding)));
    const int rand =
        16 + 2 * rooster->frameWidth() + style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    int breedte = nodig + rand + 1;
    if (const QScreen* scherm = screen())
        breedte = std::min(breedte, scherm->availableGeometry().width());
    if (breedte > width()) {
        resize(breedte, height());
        centreerOpScherm(this);
    }
}

void TKiesDeelnemerForm::resizeEvent(QResizeEvent* event) {
    PasIndelingAan();
    QDialog::resizeEvent(event);
}

void TKiesDeelnemerForm::PasIndelingAan() {
    const int breedte = (width() - 16) / 2;
    const int boven = height() - OKBitBtn->height() - 8;
    OKBitBtn->setGeometry(8, boven, breedte, OKBitBtn->height());
    AnnuleerBitBtn->setGeometry(8 + breedte, boven, breedte, AnnuleerBitBtn->height());
    DeelnemersStringGrid->setGeometry(8, 8, width() - 16, boven - 16);
    PasKolommenAan();
}

void TKiesDeelnemerForm::PasKolommenAan() {
    const int breedte = DeelnemersStringGrid->viewport()->width();
    const int code = static_cast<int>(std::trunc(breedte * m_kolomverhouding));
    DeelnemersStringGrid->setColumnWidth(0, code);
    DeelnemersStringGrid->setColumnHidden(0, code == 0);
    DeelnemersStringGrid->setColumnWidth(1, breedte - code);
}

void TKiesDeelnemerForm::ZetKolomverhouding(float verhouding) {
    m_kolomverhouding = verhouding;
    PasKolommenAan();
}

void TKiesDeelnemerForm::VoegRijToe(const QString& code, const QString& naam) {
    const int rij = DeelnemersStringGrid->rowCount();
    DeelnemersStringGrid->insertRow(rij);
    DeelnemersStringGrid->setItem(rij, 0, new QTableWidgetItem(code));
    DeelnemersStringGrid->setItem(rij, 1, new QTableWidgetItem(naam));
    if (rij == 0)
        DeelnemersStringGrid->selectRow(0);
}

int TKiesDeelnemerForm::GeselecteerdeRij() const {
    const QList<QTableWidgetSelectionRange> bereik = DeelnemersStringGrid->selectedRanges();
    return bereik.isEmpty() ? -1 : bereik.constFirst().topRow();
}
