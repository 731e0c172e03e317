#pragma once

#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <utility>
#include <vector>

class QPainter;
class TKnockout;
class TToernooiDocument;

// The tournament for the hall, on a beamer or a second screen: full screen,
// without frame, in large white text on black. It shows what the stage has,
// the pools with their standings or both brackets, and turns its pages by
// itself when there is more than fits. It keeps nothing of the tournament:
// every paint reads the document, whose signals say when to paint again, and
// nothing done here changes the tournament.
class TPresentatieForm : public QWidget {
    Q_OBJECT

public:
    static constexpr int PaginaInterval = 15000; // ms
    static constexpr int MarkeringDuur = 10000;  // ms the match just played stands out
    static constexpr int PoulesPerPagina = 8;
    // Once pool matches are played a pools page shows each pool's standings
    // and next matches: fewer pools, two side by side and as many rows as the
    // screen's height holds, at most this many.
    static constexpr int StandRijenMax = 3;

    // One page: a run of pools, or a slice of one bracket. A bracket page
    // shows `aantal` matches of round `ronde` from match `eerste` on, and
    // every later round's matches that they feed, as far as they fit.
    struct TPagina {
        int knockoutNr = 0; // 0 = pools
        int ronde = 0;
        int eerste = 0; // pools: the first pool number
        int aantal = 0;
        int inSpel = 0; // the round in play, shown largest
        bool operator==(const TPagina&) const = default;
    };

    // A match of a bracket, rounds and matches counted from 0.
    struct TPlaats {
        int knockoutNr = 0;
        int ronde = -1;
        int nummer = -1;
        bool IsGeldig() const { return knockoutNr > 0; }
        bool operator==(const TPlaats&) const = default;
    };

    explicit TPresentatieForm(TToernooiDocument& document, QWidget* parent = nullptr);

    // Opens full screen on another screen than the main window's when there
    // is one, otherwise on the main window's own; Wissel opens or closes.
    void Open(QWidget* hoofdvenster);
    void Wissel(QWidget* hoofdvenster);
    static QScreen* KiesScherm(const QWidget* hoofdvenster);

    const std::vector<TPagina>& Paginas() const { return m_paginas; }
    int HuidigePagina() const { return m_pagina; }
    void VolgendePagina();
    void VorigePagina();
    bool Gepauzeerd() const { return m_gepauzeerd; }
    void ZetGepauzeerd(bool gepauzeerd);
    // The clock of the pages and of the mark, shorter in the tests.
    void ZetIntervallen(int pagina, int markering);
    const QTimer& PaginaTimer() const { return m_paginaTimer; }

    TPlaats Gemarkeerd() const { return m_gemarkeerd; }
    // The pool whose score was entered last, while it stands out; 0 = none.
    int GemarkeerdePoule() const { return m_gemarkeerdePoule; }
    // The pixel size of the smallest text: the letters of a name reach over
    // at least 1/40 of the screen's height, from ascender to descender.
    int MinimaleLetter() const;

    // What the document's signals set off; public for the benchmark.
    void Vernieuw();
    void MarkeerUitslag(int knockoutNr, int ronde, int nummer);
    void MarkeerPoule(int poule);

    // --- the courts of the day
    // A courts page (knockoutNr Banen) lists courts `eerste` on, `aantal`
    // of them, each with its match now and its next one.
    static constexpr int BanenPagina = -1;
    static constexpr int OproepDuur = 30000; // ms a call stays on the screen
    // Shows the calls ("Baan 3: Jan de Vries – Piet Bakker") over the pages
    // in large text, until OproepDuur has passed or Enter is pressed.
    void ToonOproep(const QStringList& regels);
    const QStringList& Oproep() const { return m_oproep; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    struct TMaten;
    TMaten Maten() const;
    std::vector<TPagina> MaakPaginas() const;
    void VoegKnockoutToe(std::vector<TPagina>& paginas, int knockoutNr) const;
    const TKnockout* Knockout(int knockoutNr) const;
    int LaatsteRonde(const TPagina& pagina) const;
    void ZetPagina(int pagina);
    void StartPaginaTimer();

    void TekenKop(QPainter& painter, const TMaten& maten, const QString& titel) const;
    void TekenPoules(QPainter& painter, const TMaten& maten, const TPagina& pagina) const;
    // The pools page of standings, once any pool match has its score.
    bool MetStanden() const;
    int StandenPerPagina() const;
    // Two pools side by side where a name of fifteen letters still fits
    // beside the figures at the smallest text, otherwise one.
    int StandKolommen(const TMaten& maten) const;
    void TekenStanden(QPainter& painter, const TMaten& maten, const TPagina& pagina) const;
    void TekenKnockout(QPainter& painter, const TMaten& maten, const TPagina& pagina) const;
    struct TBaanRij;
    std::vector<TBaanRij> BaanRijen() const;
    bool BanenNaastElkaar(const TMaten& maten, const std::vector<TBaanRij>& rijen) const;
    void VoegBanenToe(std::vector<TPagina>& paginas) const;
    int BanenPerPagina(const TMaten& maten, bool naastElkaar) const;
    void TekenBanen(QPainter& painter, const TMaten& maten, const TPagina& pagina) const;
    void TekenOproep(QPainter& painter, const TMaten& maten) const;

    TToernooiDocument& m_document;
    std::vector<TPagina> m_paginas;
    int m_pagina = 0;
    bool m_gepauzeerd = false;
    TPlaats m_gemarkeerd;
    int m_gemarkeerdePoule = 0;
    QTimer m_paginaTimer;
    QTimer m_markeringTimer;
    QStringList m_oproep;
    QTimer m_oproepTimer;
    mutable std::pair<int, int> m_letter{-1, 0}; // screen height, smallest text
};
