// Screenshots of the main window and the knockout window at the scale factor
// the test runs with (ctest runs it at 1 and at 2), kept as PNG files in the
// working folder for a look. The painted bracket must come out at the full
// device resolution, not as a smaller picture blown up.
#include "app/MainForm.h"
#include "knockout/KnockoutForm.h"
#include "knockout/KnockoutView.h"
#include "model/Knockout.h"
#include "model/ToernooiDocument.h"
#include "support/KnockoutViews.h"
#include "support/ScriptedMessageService.h"
#include "support/TestMain.h"

namespace {

bool isInkt(QRgb kleur) {
    return qGray(kleur) < 128;
}

// The rows of the area that hold dark pixels: first and last.
std::pair<int, int> InktRijen(const QImage& beeld, const QRect& gebied) {
    int eerste = -1;
    int laatste = -1;
    for (int y = gebied.top(); y <= gebied.bottom(); ++y)
        for (int x = gebied.left(); x <= gebied.right(); ++x)
            if (isInkt(beeld.pixel(x, y))) {
                eerste = eerste < 0 ? y : eerste;
                laatste = y;
                break;
            }
    return {eerste, laatste};
}

// A picture blown up by two repeats every row and column pair.
bool IsVerdubbeld(const QImage& beeld, const QRect& gebied) {
    for (int y = gebied.top() & ~1; y + 1 <= gebied.bottom(); y += 2)
        for (int x = gebied.left() & ~1; x + 1 <= gebied.right(); x += 2)
            if (beeld.pixel(x, y) != beeld.pixel(x, y + 1) ||
                beeld.pixel(x, y) != beeld.pixel(x + 1, y))
                return false;
    return true;
}

QRect Schaal(const QRect& rect, int schaal) {
    return {rect.topLeft() * schaal, rect.size() * schaal};
}

} // namespace

class HighResolutionTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TMainForm> hoofd;
    std::unique_ptr<ScriptedMessages> berichten;
    int schaal = 1;

    void Bewaar(QWidget& venster, const QString& naam) {
        QVERIFY2(QTest::qWaitForWindowExposed(&venster), qPrintable(naam));
        const QPixmap afdruk = venster.grab();
        const QString bestand = QStringLiteral("schermafdruk-%1-%2x.png").arg(naam).arg(schaal);
        afdruk.save(bestand);
        // Every logical pixel is schaal × schaal device pixels.
        QCOMPARE(afdruk.size(), venster.size() * schaal);
    }

private Q_SLOTS:
    void initTestCase() {
        schaal = qRound(qEnvironmentVariable("QT_SCALE_FACTOR", QStringLiteral("1")).toDouble());
        QCOMPARE(qApp->devicePixelRatio(), qreal(schaal));
    }
    void init() {
        berichten = std::make_unique<ScriptedMessages>();
        hoofd = std::make_unique<TMainForm>();
    }
    void cleanup() {
        hoofd.reset();
        berichten.reset();
    }

    void mainWindow() {
        hoofd->show();
        Bewaar(*hoofd, QStringLiteral("hoofdvenster"));
    }

    void knockoutWindow() {
        TDeelnemerLijst lijst;
        for (int i = 0; i < 8; ++i) {
            auto& d = lijst.emplace_back(
                std::make_unique<TDeelnemer>(QStringLiteral("Speler"), QString::number(i + 1)));
            d->KnockoutNr = 1;
        }
        hoofd->Document().ZetDeelnemers(std::move(lijst));
        TKnockoutForm& venster = *hoofd->KnockoutForm;
        hoofd->Document().BouwKnockouts(TKnockout::LootWillekeurig);
        venster.resize(1000, 560);
        const TKnockout& knockout = *venster.WinnaarsKnockout();
        for (int ronde = 0; ronde < knockout.AantalRondes(); ++ronde)
            for (int nummer = 0; nummer < knockout.AantalWedstrijden(ronde); ++nummer)
                hoofd->Document().ZetUitslag(1, ronde, nummer, 3, nummer % 3);
        Bewaar(venster, QStringLiteral("knockout"));

        TKnockoutView& view = *WinnaarsView(venster);
        const QImage beeld = view.grab().toImage();
        QCOMPARE(beeld.size(), view.size() * schaal);
        // The frame of the first box fills whole device pixels: schaal rows
        // in the frame colour, then the box colour.
        const QRect box = view.WedstrijdRect(0, 0);
        const QRgb rand = view.palette().color(QPalette::Mid).rgb();
        const QRgb vulling = view.palette().color(QPalette::Base).rgb();
        const int x = (box.right() - 4) * schaal;
        for (int d = 0; d < schaal; ++d)
            QCOMPARE(beeld.pixel(x, box.top() * schaal + d), rand);
        QCOMPARE(beeld.pixel(x, (box.top() + 1) * schaal), vulling);

        // Text is drawn at the device resolution: about as tall as the font
        // says, times the scale (hinting rounds differently at each size),
        // and with detail finer than a logical pixel.
        const QRect kop = Schaal(view.RondeLabelRect(0), schaal);
        const auto [boven, onder] = InktRijen(beeld, kop);
        const int hoogte = view.fontMetrics().tightBoundingRect(QStringLiteral("Ronde 1")).height();
        const int inkt = onder - boven + 1;
        QVERIFY2(4 * inkt >= 3 * hoogte * schaal && inkt <= (hoogte + 1) * schaal,
                 qPrintable(QStringLiteral("ink %1, font %2").arg(inkt).arg(hoogte)));
        if (schaal > 1)
            QVERIFY(!IsVerdubbeld(beeld, kop));
        QCOMPARE(view.WinnaarTekst().isEmpty(), false);
    }
};

ZEGEROOSTER_GUI_TEST_MAIN(HighResolutionTest)
#include "test_high_resolution.moc"
