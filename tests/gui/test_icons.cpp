// A glyph the desktop's theme lacks looks exactly like the style's own icon,
// at the button's size, disabled, and on a screen of two device pixels per
// pixel, although the cheap path draws the small size from the style's
// pixmap without decoding the style's larger images, and although without a
// theme of the desktop's own the style is kept from searching "hicolor".
#include "ui/Icons.h"
#include "support/TestMain.h"

#include <QPixmap>

class TestIcons : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void fallbackDrawsTheStylesIcon();
};

void TestIcons::fallbackDrawsTheStylesIcon() {
    // Every fallback glyph the program's buttons carry.
    const QStyle::StandardPixmap reserves[] = {
        QStyle::SP_FileIcon,         QStyle::SP_DialogOpenButton,
        QStyle::SP_DialogSaveButton, QStyle::SP_FileDialogDetailedView,
        QStyle::SP_DialogHelpButton, QStyle::SP_ArrowBack,
        QStyle::SP_ArrowForward,     QStyle::SP_TrashIcon,
        QStyle::SP_DialogOkButton,   QStyle::SP_DialogCancelButton};
    const QString geenThema = QStringLiteral("zegerooster-geen-thema-icoon");
    QVERIFY(!QIcon::hasThemeIcon(geenThema));
    for (const QString& desktopThema : {QString(), QStringLiteral("hicolor")}) {
        QIcon::setThemeName(desktopThema);
        for (const QStyle::StandardPixmap reserve : reserves) {
            const QIcon stijl = QApplication::style()->standardIcon(reserve);
            for (const qreal schaal : {1.0, 2.0}) {
                for (const QIcon::Mode modus : {QIcon::Normal, QIcon::Disabled}) {
                    // A fresh icon each time, so no earlier request chose for it.
                    const QPixmap getekend =
                        themaIcoon(geenThema, reserve).pixmap(QSize(16, 16), schaal, modus);
                    const QPixmap verwacht = stijl.pixmap(QSize(16, 16), schaal, modus);
                    QCOMPARE(getekend.size(), verwacht.size());
                    QCOMPARE(getekend.toImage(), verwacht.toImage());
                }
            }
            QCOMPARE(themaIcoon(geenThema, reserve).availableSizes(), stijl.availableSizes());
        }
        // The fonts and colours that follow the desktop still do.
        QVERIFY(QGuiApplication::desktopSettingsAware());
    }
}

ZEGEROOSTER_GUI_TEST_MAIN(TestIcons)
#include "test_icons.moc"
