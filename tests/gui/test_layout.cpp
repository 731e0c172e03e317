// Opens every window and dialog of the program, filled as in a tournament,
// and looks at it as a user would: a label's text must fit its label and its
// window, two visible controls side by side must not cover each other, and a
// status text, a list line or a grid cell must not be cut off, and a screen
// reader must find a name on every control it can focus. On a screen
// with more than one device pixel per pixel (ctest runs this a second time
// with QT_SCALE_FACTOR=2), no button icon may be a bitmap scaled up.
// The checks walk the widget tree, so controls added later are covered too.
#include "app/Application.h"
#include "ui/HelpVenster.h"
#include "app/MainForm.h"
#include "app/OptiesDialog.h"
#include "courts/BanenForm.h"
#include "knockout/KnockoutNaarExcelForm.h"
#include "knockout/InputEindstandDialog.h"
#include "knockout/KiesDeelnemerForm.h"
#include "knockout/KnockoutForm.h"
#include "model/KnockoutWedstrijd.h"
#include "model/PouleIndeling.h"
#include "model/ToernooiDocument.h"
#include "participants/DeelnemersForm.h"
#include "participants/ImporteerDialog.h"
#include "pools/PouleControls.h"
#include "pools/PouleIndelingForm.h"
#include "pools/PoulesForm.h"
#include "support/ModalDialogDriver.h"
#include "support/ScriptedMessageService.h"
#include "support/TestMain.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTableView>
#include <QTableWidget>

#include <algorithm>

namespace {

// Room Qt's item views leave on either side of a cell's text, and a status
// bar on the left and the right of its message.
int celmarge(const QWidget* w) {
    return 2 * (w->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, w) + 1);
}
constexpr int StatusMarge = 6 + 12;

QString naamVan(const QWidget* w) {
    const auto* label = qobject_cast<const QLabel*>(w);
    const QString tekst = label ? label->text().left(30) : w->objectName();
    return QStringLiteral("%1 \"%2\"")
        .arg(QString::fromLatin1(w->metaObject()->className()), tekst);
}

// Where a label's text is drawn, in its parent's coordinates, before the
// label clips it.
QRect tekstVlak(const QLabel* label) {
    if (label->text().isEmpty() || Qt::mightBeRichText(label->text()))
        return {};
    const QRect binnen = label->contentsRect();
    const QFontMetrics maat = label->fontMetrics();
    const QSize grootte = label->wordWrap()
                              ? QSize(binnen.width(), label->heightForWidth(label->width()))
                              : maat.size(Qt::TextShowMnemonic | Qt::TextExpandTabs, label->text());
    return QStyle::alignedRect(label->layoutDirection(), label->alignment(), grootte, binnen)
        .translated(label->pos());
}

// What the user sees of a control: a label's text, anything else whole.
QRect zichtbaar(const QWidget* w) {
    if (const auto* label = qobject_cast<const QLabel*>(w))
        return tekstVlak(label).intersected(label->geometry());
    return w->geometry();
}

void controleerLabel(const QLabel* label, QStringList& fouten) {
    const QRect tekst = tekstVlak(label);
    if (tekst.isEmpty())
        return;
    if (!label->wordWrap() && tekst.width() > label->contentsRect().width())
        fouten << naamVan(label) + QStringLiteral(" is cut off: text %1 px, label %2 px")
                                       .arg(tekst.width())
                                       .arg(label->contentsRect().width());
    if (label->wordWrap() && tekst.height() > label->contentsRect().height())
        fouten << naamVan(label) + QStringLiteral(" needs %1 px height, has %2")
                                       .arg(tekst.height())
                                       .arg(label->contentsRect().height());
    const int parentBreedte = label->parentWidget()->width();
    if (tekst.left() < 0 || std::min(tekst.right(), label->geometry().right()) >= parentBreedte)
        fouten << naamVan(label) +
                      QStringLiteral(" runs out of its window (%1 px wide)").arg(parentBreedte);
}

void controleerTeksten(const QWidget* w, QStringList& fouten) {
    if (const auto* balk = qobject_cast<const QStatusBar*>(w)) {
        // The message is clipped at its pixels, not at its advance.
        const int nodig = balk->fontMetrics().tightBoundingRect(balk->currentMessage()).right() + 1;
        if (!balk->currentMessage().isEmpty() && nodig + StatusMarge > balk->width())
            fouten << QStringLiteral("status text \"%1\" is cut off: needs %2 px, has %3")
                          .arg(balk->currentMessage())
                          .arg(nodig + StatusMarge)
                          .arg(balk->width());
    }
    if (const auto* knop = qobject_cast<const QAbstractButton*>(w);
        knop && !knop->text().isEmpty()) {
        // A check box or radio button asks for exactly its room; a push
        // button's caption needs its text and icon inside the button's frame.
        const bool keuze =
            qobject_cast<const QCheckBox*>(w) || qobject_cast<const QRadioButton*>(w);
        const QString tekst = QString(knop->text()).remove(u'&');
        const int icoon = knop->icon().isNull() ? 0 : knop->iconSize().width() + 4;
        const int rand =
            2 * knop->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, knop);
        const int nodig = keuze ? knop->sizeHint().width()
                                : knop->fontMetrics().size(0, tekst).width() + icoon + rand;
        if (nodig > knop->width())
            fouten << naamVan(knop) + QStringLiteral(" \"%1\" is cut off: needs %2 px, has %3")
                                          .arg(tekst)
                                          .arg(nodig)
                                          .arg(knop->width());
    }
    if (const auto* lijst = qobject_cast<const QListWidget*>(w)) {
        if (lijst->sizeHintForColumn(0) > lijst->viewport()->width())
            fouten << QStringLiteral("a line of %1 is cut off: needs %2 px, has %3")
                          .arg(naamVan(lijst))
                          .arg(lijst->sizeHintForColumn(0))
                          .arg(lijst->viewport()->width());
    }
    if (const auto* rooster = qobject_cast<const QTableView*>(w)) {
        const QAbstractItemModel* model = rooster->model();
        for (int kolom = 0; kolom < model->columnCount(); ++kolom) {
            if (rooster->isColumnHidden(kolom) || rooster->columnWidth(kolom) == 0)
                continue;
            for (int rij = 0; rij < std::min(model->rowCount(), 50); ++rij) {
                const QString cel = model->index(rij, kolom).data().toString();
                if (!cel.isEmpty() &&
                    rooster->fontMetrics().horizontalAdvance(cel) + celmarge(rooster) >
                        rooster->columnWidth(kolom))
                    fouten << QStringLiteral("cell \"%1\" of %2 is cut off: needs %3 px, has %4")
                                  .arg(cel, naamVan(rooster))
                                  .arg(rooster->fontMetrics().horizontalAdvance(cel) +
                                       celmarge(rooster))
                                  .arg(rooster->columnWidth(kolom));
            }
        }
    }
}

// A bitmap smaller than the device pixels of the icon would be scaled up.
void controleerIcoon(const QWidget* w, QStringList& fouten) {
    const auto* knop = qobject_cast<const QAbstractButton*>(w);
    if (!knop || knop->icon().isNull() || knop->devicePixelRatioF() <= 1.0)
        return;
    const QIcon icoon = knop->icon();
    const int nodig = qCeil(knop->iconSize().width() * knop->devicePixelRatioF());
    const QList<QSize> maten = icoon.availableSizes();
    const bool scherp = !icoon.name().isEmpty() ||
                        std::any_of(maten.begin(), maten.end(),
                                    [nodig](QSize maat) { return maat.width() >= nodig; });
    if (!scherp)
        fouten << naamVan(knop) + QStringLiteral(" has no icon of %1 px").arg(nodig);
}

bool doetMee(const QWidget* w, const QWidget* venster) {
    return w->isVisible() && w->window() == venster &&
           !w->objectName().startsWith(QStringLiteral("qt_"));
}

void controleerBuren(const QWidget* ouder, const QWidget* venster, QStringList& fouten) {
    QList<const QWidget*> buren;
    for (const QObject* kind : ouder->children()) {
        const auto* w = qobject_cast<const QWidget*>(kind);
        if (w && doetMee(w, venster) && !zichtbaar(w).isEmpty())
            buren << w;
    }
    // Controls designed edge to edge share one pixel of border; more than
    // that covers part of a control.
    for (qsizetype i = 0; i < buren.size(); ++i)
        for (qsizetype j = i + 1; j < buren.size(); ++j) {
            const QRect samen = zichtbaar(buren[i]).intersected(zichtbaar(buren[j]));
            if (samen.width() > 1 && samen.height() > 1)
                fouten << naamVan(buren[i]) + QStringLiteral(" overlaps ") + naamVan(buren[j]) +
                              QStringLiteral(" by %1 px").arg(samen.width());
        }
}

// What a screen reader meets: the window is a window or a dialog, and every
// control the keyboard can reach says what it is.
void controleerToegang(QAccessibleInterface* deel, QStringList& fouten, int diepte = 0) {
    if (!deel || diepte > 30)
        return;
    const QAccessible::State staat = deel->state();
    // A cell or a list line is named by what it holds, empty or not.
    const bool inhoud = deel->role() == QAccessible::Cell || deel->role() == QAccessible::ListItem;
    if (staat.focusable && !staat.invisible && !inhoud &&
        deel->text(QAccessible::Name).trimmed().isEmpty()) {
        const QWidget* w = qobject_cast<QWidget*>(deel->object());
        fouten << QStringLiteral("focusable %1 (role %2) has no accessible name")
                      .arg(w ? naamVan(w) : QStringLiteral("painted part"))
                      .arg(deel->role());
    }
    for (int i = 0; i < deel->childCount(); ++i)
        controleerToegang(deel->child(i), fouten, diepte + 1);
}

// Every fault a user would see in the shown window, one line each.
QStringList layoutFouten(const QWidget* venster) {
    QStringList fouten;
    QList<const QWidget*> widgets{venster};
    for (const QWidget* w : venster->findChildren<QWidget*>())
        if (doetMee(w, venster))
            widgets << w;
    for (const QWidget* w : widgets) {
        if (const auto* label = qobject_cast<const QLabel*>(w))
            controleerLabel(label, fouten);
        controleerTeksten(w, fouten);
        controleerIcoon(w, fouten);
        controleerBuren(w, venster, fouten);
    }
    QAccessibleInterface* toegang =
        QAccessible::queryAccessibleInterface(const_cast<QWidget*>(venster));
    if (toegang->role() != QAccessible::Window && toegang->role() != QAccessible::Dialog)
        fouten << QStringLiteral("the window's role is %1").arg(toegang->role());
    controleerToegang(toegang, fouten);
    for (QString& fout : fouten)
        fout.prepend(venster->windowTitle() + QStringLiteral(": "));
    return fouten;
}

} // namespace

class LayoutTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<ScriptedMessages> berichten;
    QStringList fouten;
    QStringList bekeken;

    void bekijk(QWidget* venster) {
        if (!venster->isVisible())
            venster->show();
        QVERIFY(QTest::qWaitForWindowExposed(venster));
        bekeken << venster->windowTitle();
        fouten << layoutFouten(venster);
        // The keyboard's place shows before the first Tab.
        if (!venster->focusWidget() || !venster->testAttribute(Qt::WA_KeyboardFocusChange))
            fouten << venster->windowTitle() + QStringLiteral(": no visible focus");
        // To look at them: ZEGEROOSTER_SCREENSHOTS=folder saves every window.
        const QString map = qEnvironmentVariable("ZEGEROOSTER_SCREENSHOTS");
        if (!map.isEmpty())
            venster->grab().save(QStringLiteral("%1/%2-%3.png")
                                     .arg(map, venster->windowTitle())
                                     .arg(venster->devicePixelRatioF()));
    }

    void meldFouten() {
        for (const QString& fout : std::as_const(fouten))
            qWarning("%s", qPrintable(fout));
        QCOMPARE(fouten.size(), 0);
    }

    // Runs a modal dialog with `start`; while it is open it is looked at
    // and then closed by `sluit`.
    void bekijkModaal(const std::function<void()>& start,
                      const std::function<void(QWidget*)>& sluit) {
        ModalDialogDriver bestuurder;
        bestuurder.then([&](QWidget* dialoog) {
            bekijk(dialoog);
            sluit(dialoog);
        });
        start();
        QCOMPARE(bestuurder.pending(), 0);
        QCOMPARE(bestuurder.unexpected(), 0);
    }

    static void klik(QWidget* dialoog, const char* knop) {
        dialoog->findChild<QAbstractButton*>(QString::fromLatin1(knop))->click();
    }

    // Keys in positions 1, 2, ... on the rows of every pool tab.
    static void voerPositiesIn(TPoulesForm& poules) {
        for (int tab = 0; tab < poules.PoulesTabControl->AantalTabs(); ++tab) {
            poules.PoulesTabControl->ZetTabIndex(tab);
            poules.PoulesTabControlChange();
            for (int rij = 1; rij < poules.RowCount(); ++rij) {
                poules.SelecteerRij(rij);
                QTest::keyClick(poules.DeelnemersStringGrid, Qt::Key_0 + rij);
            }
        }
    }

private Q_SLOTS:
    void initTestCase() {
        initialiseApplication(*qApp);
        berichten = std::make_unique<ScriptedMessages>();
    }
    void init() {
        fouten.clear();
        bekeken.clear();
    }

    void windowsOfATournament() {
        TMainForm hoofd;
        bekijk(&hoofd);
        for (int i = 1; i <= 13; ++i)
            hoofd.Document().VoegDeelnemerToe(QStringLiteral("Bartholomeus"),
                                          QStringLiteral("van den Heuvel %1").arg(i));
        hoofd.DeelnemersBitBtn->click();
        bekijk(hoofd.DeelnemersForm);
        bekijkModaal([&] { hoofd.DeelnemersForm->NieuwBitBtn->click(); },
                     [](QWidget* d) { klik(d, "AnnulerenBitBtn"); });
        bekijkModaal([&] { hoofd.DeelnemersForm->MaakPoulesBitBtn->click(); },
                     [](QWidget* d) { klik(d, "OKBitBtn"); });
        bekijk(hoofd.PoulesForm);
        bekijkModaal([&] { hoofd.PoulesForm->WijzigBitBtn->click(); },
                     [](QWidget* d) { d->close(); });
        voerPositiesIn(*hoofd.PoulesForm);
        bekijkModaal([&] { hoofd.PoulesForm->KnockoutBitBtn->click(); },
                     [](QWidget* d) { klik(d, "OKBitBtn"); });
        QCOMPARE(hoofd.Document().Programmastatus(), psKnockout);
        bekijk(hoofd.KnockoutForm);
        bekijk(hoofd.KnockoutForm->ExportDialoog);
        bekijk(hoofd.OptiesDialog);
        THelpVenster help;
        bekijk(&help);
        QCOMPARE(bekeken.size(), 11);
        meldFouten();
    }

    void scoreAndChoiceDialogs() {
        TDeelnemer boven(QStringLiteral("Bartholomeus"), QStringLiteral("van den Heuvel"));
        TDeelnemer onder(QStringLiteral("Kees"), QStringLiteral("de Vries"));
        TKnockoutWedstrijd wedstrijd;
        wedstrijd.ZetDeelnemerBoven(&boven);
        wedstrijd.ZetDeelnemerOnder(&onder);
        TInputEindstandDialog score(nullptr);
        bekijkModaal([&] { score.ToonVoorWedstrijd(wedstrijd); },
                     [](QWidget* d) { klik(d, "AnnulerenBitBtn"); });
        TKiesDeelnemerForm kies(nullptr);
        kies.VoegRijToe(QStringLiteral("1p2"), onder.Naam());
        kies.VoegRijToe(QStringLiteral("2p1"), boven.Naam());
        kies.ZetKolomverhouding(0.3f);
        bekijk(&kies);
        meldFouten();
    }

    // Every verdict and long names in the import's preview.
    void importDialog() {
        const Import::TImport import = Import::TImport::UitTekst(QStringLiteral(
            "Voornaam;Tussenvoegsel;Achternaam;E-mailadres van de inschrijver\n"
            "Bartholomeus;van den;Heuvel-Oosterhuizen;bart@example.nl\n"
            ";;;leeg@example.nl\nBye;;;\nKees;de;Vries;\nKees;de;Vries;\n\"Jan;;;\n"));
        TImporteerDialog dialoog(nullptr, import,
                                 {{QStringLiteral("Kees"), QStringLiteral("de Vries")}},
                                 QStringLiteral("inschrijvingen van de clubwebsite.csv"));
        bekijkModaal([&] { dialoog.Importeren(); }, [](QWidget* d) { klik(d, "AnnulerenBitBtn"); });
        meldFouten();
    }

    // The courts window of a planned day with long names, and its dialogs.
    void courtsWindowAndDialogs() {
        TMainForm hoofd;
        for (int i = 1; i <= 12; ++i)
            hoofd.Document().VoegDeelnemerToe(QStringLiteral("Bartholomeus"),
                                              QStringLiteral("van den Heuvel %1").arg(i));
        hoofd.Document().StartPoules(TPouleIndeling(4, 3, 4, 0));
        hoofd.Document().MaakPlanning();
        hoofd.BanenBitBtn->click();
        bekijk(hoofd.BanenForm);
        bekijkModaal([&] { hoofd.BanenForm->InstellingenBitBtnClick(); },
                     [](QWidget* d) { klik(d, "AnnulerenBitBtn"); });
        QVERIFY(hoofd.BanenForm->KiesWedstrijd(0));
        bekijkModaal([&] { hoofd.BanenForm->VerplaatsBitBtnClick(); },
                     [](QWidget* d) { klik(d, "AnnulerenBitBtn"); });
        QCOMPARE(bekeken.size(), 3);
        meldFouten();
    }

    // 500 participants make the longest division lines.
    void poolDivisionOfALargeTournament() {
        TPouleIndelingForm venster(nullptr);
        bekijkModaal([&] { venster.KiesIndeling(500); },
                     [](QWidget* d) { klik(d, "AnnulerenBitBtn"); });
        meldFouten();
    }
};

ZEGEROOSTER_GUI_TEST_MAIN(LayoutTest)
#include "test_layout.moc"
