#include "ui/HelpVenster.h"

#include "ui/Help.h"
#include "ui/Icons.h"
#include "ui/Scherm.h"

#include <QApplication>
#include <QFile>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>
#include <QSignalBlocker>
#include <QSplitter>
#include <QStyle>
#include <QTextBrowser>
#include <QTextDocument>
#include <QVBoxLayout>

namespace {

struct Onderwerp {
    int context;
    const char* bestand;
};

// The contents page first, then one page per help context in context order;
// the contents list shows them in this order.
constexpr Onderwerp Onderwerpen[] = {
    {0, "index.html"},
    {HelpContext::Hoofdvenster, "hoofdvenster.html"},
    {HelpContext::Deelnemers, "deelnemers.html"},
    {HelpContext::PouleIndeling, "poule-indeling.html"},
    {HelpContext::Poules, "poules.html"},
    {HelpContext::KnockoutIndeling, "knockout-indeling.html"},
    {HelpContext::Knockout, "knockout.html"},
    {HelpContext::Toernooibestand, "toernooibestand.html"},
    {HelpContext::Opties, "opties.html"},
    {HelpContext::PoulesWijzigen, "poules-wijzigen.html"},
    {HelpContext::Herstel, "herstel.html"},
    {HelpContext::Afdrukken, "afdrukken.html"},
    {HelpContext::Importeren, "importeren.html"},
    {HelpContext::Presentatie, "presentatie.html"},
    {HelpContext::Banen, "banen.html"},
};

QUrl adres(const char* bestand) {
    return QUrl(QStringLiteral("qrc:/help/") + QLatin1String(bestand));
}

QString resourcePad(const QUrl& pagina) {
    return u':' + pagina.path();
}

bool bestaat(const QUrl& pagina) {
    return pagina.scheme() == QLatin1String("qrc") && QFile::exists(resourcePad(pagina));
}

QString titelVan(const QUrl& pagina) {
    QFile bestand(resourcePad(pagina));
    if (!bestand.open(QIODevice::ReadOnly))
        return pagina.fileName();
    QTextDocument document;
    document.setHtml(QString::fromUtf8(bestand.readAll()));
    const QString titel = document.metaInformation(QTextDocument::DocumentTitle);
    return titel.isEmpty() ? pagina.fileName() : titel;
}

} // namespace

THelpVenster::THelpVenster(QWidget* parent)
    : QWidget(parent, Qt::Window) {
    // The pages live in the static GUI library; naming its resource here
    // makes the linker keep them in every program that shows help.
    Q_INIT_RESOURCE(help);

    setWindowTitle(QStringLiteral("Zegerooster Help"));
    // A help window left open must not keep the program running once the
    // main window has closed.
    setAttribute(Qt::WA_QuitOnClose, false);
    resize(naarLettertype(this, 780), naarLettertype(this, 540));

    m_terug = new QPushButton(themaIcoon(QStringLiteral("go-previous"), QStyle::SP_ArrowBack),
                              QStringLiteral("&Terug"));
    m_vooruit = new QPushButton(themaIcoon(QStringLiteral("go-next"), QStyle::SP_ArrowForward),
                                QStringLiteral("&Vooruit"));
    auto* inhoudKnop = new QPushButton(QStringLiteral("&Inhoud"));
    m_terug->setToolTip(QStringLiteral("Vorige pagina (Alt+Pijl links)"));
    m_vooruit->setToolTip(QStringLiteral("Volgende pagina (Alt+Pijl rechts)"));
    inhoudKnop->setToolTip(QStringLiteral("Naar de inhoudsopgave"));
    m_terug->setEnabled(false);
    m_vooruit->setEnabled(false);

    m_inhoud = new QListWidget;
    m_view = new QTextBrowser;
    m_view->setOpenLinks(true);
    m_inhoud->setAccessibleName(QStringLiteral("Inhoud"));
    m_view->setAccessibleName(QStringLiteral("Helptekst"));
    m_view->setOpenExternalLinks(false);

    auto* splitter = new QSplitter(Qt::Horizontal);
    splitter->addWidget(m_inhoud);
    splitter->addWidget(m_view);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({naarLettertype(this, 200), naarLettertype(this, 580)});

    auto* knoppen = new QHBoxLayout;
    knoppen->addWidget(m_terug);
    knoppen->addWidget(m_vooruit);
    knoppen->addWidget(inhoudKnop);
    knoppen->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(knoppen);
    layout->addWidget(splitter, 1);

    connect(m_terug, &QPushButton::clicked, m_view, &QTextBrowser::backward);
    connect(m_vooruit, &QPushButton::clicked, m_view, &QTextBrowser::forward);
    connect(inhoudKnop, &QPushButton::clicked, this, [this] { ToonPagina(StandaardPagina()); });
    connect(m_view, &QTextBrowser::backwardAvailable, m_terug, &QPushButton::setEnabled);
    connect(m_view, &QTextBrowser::forwardAvailable, m_vooruit, &QPushButton::setEnabled);
    connect(m_view, &QTextBrowser::sourceChanged, this, &THelpVenster::VolgPagina);
    connect(m_inhoud, &QListWidget::currentRowChanged, this, &THelpVenster::InhoudGekozen);

    auto* sluiten = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(sluiten, &QShortcut::activated, this, &QWidget::close);

    VulInhoud();
}

QList<QUrl> THelpVenster::Paginas() {
    QList<QUrl> paginas;
    for (const Onderwerp& onderwerp : Onderwerpen)
        paginas.append(adres(onderwerp.bestand));
    return paginas;
}

QUrl THelpVenster::StandaardPagina() {
    return adres(Onderwerpen[0].bestand);
}

QUrl THelpVenster::PaginaVan(int context) {
    for (const Onderwerp& onderwerp : Onderwerpen) {
        if (onderwerp.context == context && context > 0)
            return adres(onderwerp.bestand);
    }
    return StandaardPagina();
}

bool THelpVenster::ToonPagina(const QUrl& pagina) {
    if (!bestaat(pagina))
        return false;
    m_view->setSource(pagina);
    return true;
}

QUrl THelpVenster::Pagina() const {
    return m_view->source().adjusted(QUrl::RemoveFragment);
}

QString THelpVenster::Titel() const {
    return m_view->documentTitle();
}

void THelpVenster::VulInhoud() {
    for (const QUrl& pagina : Paginas()) {
        auto* item = new QListWidgetItem(titelVan(pagina), m_inhoud);
        item->setData(Qt::UserRole, pagina);
    }
}

void THelpVenster::VolgPagina(const QUrl& pagina) {
    const QUrl zonderAnker = pagina.adjusted(QUrl::RemoveFragment);
    int rij = -1;
    for (int i = 0; i < m_inhoud->count(); ++i) {
        if (m_inhoud->item(i)->data(Qt::UserRole).toUrl() == zonderAnker)
            rij = i;
    }
    // Following the page must not count as a choice in the list.
    const QSignalBlocker blokkeer(m_inhoud);
    m_inhoud->setCurrentRow(rij);
    if (rij < 0)
        m_inhoud->clearSelection();
}

void THelpVenster::InhoudGekozen() {
    if (QListWidgetItem* item = m_inhoud->currentItem())
        ToonPagina(item->data(Qt::UserRole).toUrl());
}
