#pragma once

#include <QList>
#include <QUrl>
#include <QWidget>

class QListWidget;
class QPushButton;
class QTextBrowser;

// The help window: a page view with back, forward and a contents list.
// The pages are Dutch HTML files built into the program under qrc:/help/.
class THelpVenster : public QWidget {
    Q_OBJECT

public:
    explicit THelpVenster(QWidget* parent = nullptr);

    // Every page, in the order of the contents list; the first is the
    // contents page itself.
    static QList<QUrl> Paginas();
    // The contents page, shown for the Help button and unknown contexts.
    static QUrl StandaardPagina();
    // The page of a help context; the contents page for an unknown one.
    static QUrl PaginaVan(int context);

    // Shows a page of the built-in help; false, and nothing changes, when the
    // program holds no such page.
    bool ToonPagina(const QUrl& pagina);
    // The page shown, without the anchor; empty while none is.
    QUrl Pagina() const;
    // The title of the page shown.
    QString Titel() const;

    QTextBrowser* PaginaView() const { return m_view; }
    QListWidget* InhoudLijst() const { return m_inhoud; }
    QPushButton* TerugKnop() const { return m_terug; }
    QPushButton* VooruitKnop() const { return m_vooruit; }

private:
    void VulInhoud();
    void VolgPagina(const QUrl& pagina);
    void InhoudGekozen();

    QTextBrowser* m_view = nullptr;
    QListWidget* m_inhoud = nullptr;
    QPushButton* m_terug = nullptr;
    QPushButton* m_vooruit = nullptr;
};
