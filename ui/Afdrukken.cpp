#include "ui/Afdrukken.h"

#include "export/WorkbookEngine.h"
#include "model/MessageService.h"
#include "model/ToernooiDocument.h"
#include "print/AfdrukKeuze.h"
#include "print/KnockoutAfdruk.h"
#include "ui/Help.h"
#include "ui/Paths.h"

#include <QAction>
#include <QActionGroup>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QShortcut>
#include <QToolBar>

namespace Afdrukken {

namespace {

QString VoorgesteldeNaam(const Afdruk::TKop& kop) {
    static const QRegularExpression onveilig(QStringLiteral("[\\\\/:*?\"<>|\\x00-\\x1f]"));
    QString naam = kop.Onderwerp.trimmed();
    naam.replace(onveilig, QStringLiteral("-"));
    return naam + u' ' + kop.Moment.toString(QStringLiteral("yyyy-MM-dd HH.mm")) +
           QStringLiteral(".pdf");
}

// The desktop's printer glyph, or a simple one of our own: Qt has none.
QIcon PrinterIcoon() {
    const QIcon thema = QIcon::fromTheme(QStringLiteral("document-print"));
    if (!thema.isNull())
        return thema;
    QPixmap beeld(32, 32);
    beeld.fill(Qt::transparent);
    QPainter painter(&beeld);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(40, 40, 40), 2));
    painter.setBrush(Qt::white);
    painter.drawRect(QRectF(9, 3, 14, 10));
    painter.setBrush(QColor(110, 110, 110));
    painter.drawRoundedRect(QRectF(3, 12, 26, 12), 3, 3);
    painter.setBrush(Qt::white);
    painter.drawRect(QRectF(8, 20, 16, 9));
    return QIcon(beeld);
}

void OpEenBladOptie(QPrintPreviewDialog& dialoog, TKnockoutAfdruk& knockout) {
    auto* balk = dialoog.findChild<QToolBar*>();
    auto* voorbeeld = dialoog.findChild<QPrintPreviewWidget*>();
    if (!balk || !voorbeeld)
        return;
    balk->addSeparator();
    QAction* passend = balk->addAction(QStringLiteral("Op één blad passend"));
    passend->setObjectName(QStringLiteral("OpEenBladAction"));
    passend->setCheckable(true);
    passend->setChecked(knockout.OpEenBlad);
    passend->setToolTip(QStringLiteral("Het hele schema verkleind op één blad"));
    QObject::connect(passend, &QAction::toggled, voorbeeld, [&knockout, voorbeeld](bool aan) {
        knockout.OpEenBlad = aan;
        voorbeeld->updatePreview();
    });
}

// One button per printout in the preview's toolbar; the first is shown
// first.
void KeuzeOpties(QPrintPreviewDialog& dialoog, TAfdrukKeuze& keuze) {
    auto* balk = dialoog.findChild<QToolBar*>();
    auto* voorbeeld = dialoog.findChild<QPrintPreviewWidget*>();
    if (!balk || !voorbeeld)
        return;
    balk->addSeparator();
    auto* groep = new QActionGroup(balk);
    for (int i = 0; i < keuze.Aantal(); ++i) {
        QAction* optie = balk->addAction(keuze.Naam(i));
        optie->setObjectName(QStringLiteral("AfdrukKeuze%1Action").arg(i));
        optie->setCheckable(true);
        optie->setChecked(i == keuze.Gekozen());
        groep->addAction(optie);
        QObject::connect(optie, &QAction::triggered, voorbeeld, [&keuze, &dialoog, voorbeeld, i] {
            keuze.Kies(i);
            dialoog.setWindowTitle(QStringLiteral("Afdrukvoorbeeld - ") + keuze.Kop.Onderwerp);
            voorbeeld->updatePreview();
        });
    }
}

} // namespace

QPushButton* MaakKnop(QWidget* venster, TMaker maak, QWidget* ouder) {
    auto* knop = new QPushButton(ouder ? ouder : venster);
    knop->setObjectName(QStringLiteral("AfdrukBitBtn"));
    knop->setAccessibleName(QStringLiteral("Afdrukken"));
    knop->setToolTip(QStringLiteral("Afdrukken of als PDF bewaren (Ctrl+P)"));
    knop->setIcon(PrinterIcoon());
    knop->resize(25, 25);
    auto voorbeeld = [venster, maak] {
        if (const auto document = maak())
            ToonVoorbeeld(venster, *document);
    };
    auto pdf = [maak] {
        if (const auto document = maak())
            BewaarAlsPdf(*document);
    };
    QObject::connect(knop, &QPushButton::clicked, venster, voorbeeld);
    QObject::connect(new QShortcut(QKeySequence::Print, venster), &QShortcut::activated, venster,
                     voorbeeld);
    QObject::connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P), venster),
                     &QShortcut::activated, venster, pdf);
    return knop;
}

void ToonVoorbeeld(QWidget* venster, Afdruk::TDocument& document) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(Afdruk::StandaardLayout());
    printer.setDocName(document.Kop.Toernooi + QStringLiteral(" - ") + document.Kop.Onderwerp);
    QPrintPreviewDialog dialoog(&printer, venster);
    dialoog.setObjectName(QStringLiteral("AfdrukvoorbeeldDialog"));
    dialoog.setWindowTitle(QStringLiteral("Afdrukvoorbeeld - ") + document.Kop.Onderwerp);
    setHelpContext(&dialoog, HelpContext::Afdrukken);
    QObject::connect(&dialoog, &QPrintPreviewDialog::paintRequested, &dialoog,
                     [&document](QPrinter* doel) { Afdruk::Teken(document, *doel); });
    if (auto* knockout = dynamic_cast<TKnockoutAfdruk*>(&document))
        OpEenBladOptie(dialoog, *knockout);
    if (auto* keuze = dynamic_cast<TAfdrukKeuze*>(&document))
        KeuzeOpties(dialoog, *keuze);
    dialoog.exec();
}

QString BewaarAlsPdf(Afdruk::TDocument& document) {
    const QString map = Spreadsheet::ExportFolder();
    QDir().mkpath(map);
    FileDialogRequest verzoek;
    verzoek.title = QStringLiteral("Als PDF bewaren");
    verzoek.filter = QStringLiteral("PDF-bestanden (*.pdf)|*.pdf|Alle bestanden (*.*)|*.*");
    verzoek.directory = Paths::dialogStartFolder(map);
    verzoek.fileName = VoorgesteldeNaam(document.Kop);
    verzoek.defaultSuffix = QStringLiteral("pdf");
    verzoek.helpContext = HelpContext::Afdrukken;
    const QString pad = messages().saveFile(verzoek);
    if (pad.isEmpty())
        return {};
    if (QFileInfo::exists(pad) &&
        messages().confirm(QStringLiteral("Het bestand \"%1\" bestaat al. Wilt u het vervangen?")
                               .arg(QDir::toNativeSeparators(pad)),
                           Buttons::YesNo) != Answer::Yes)
        return {};
    // A bracket wider than it is tall is saved on landscape pages.
    if (!Afdruk::BewaarPdf(document, pad, Afdruk::StandaardLayout(document.Richting()))) {
        messages().information(QStringLiteral("Het PDF-bestand kon niet worden opgeslagen als:"
                                              "\n\n%1")
                                   .arg(QDir::toNativeSeparators(pad)),
                               HelpContext::Afdrukken);
        return {};
    }
    return pad;
}

Afdruk::TKop Kop(const TToernooiDocument& document, const QString& onderwerp) {
    return {Afdruk::ToernooiTitel(document.Bestandsnaam()), onderwerp,
            QDateTime::currentDateTime()};
}

} // namespace Afdrukken
