#include "export/SpreadsheetExport.h"

#include "model/Text.h"

namespace SpreadsheetExport {

TToepassing::TToepassing(const QString& onderwerp)
    : m_toepassing(Spreadsheet::ObtainApplication(onderwerp)) {
    if (!m_toepassing)
        throw Spreadsheet::Error(QStringLiteral("Het spreadsheetprogramma is niet bereikbaar."));
}

TToepassing::~TToepassing() {
    m_toepassing->Release();
}

QString Foutmelding(const std::exception& fout) {
    if (const auto* spreadsheetFout = dynamic_cast<const Spreadsheet::Error*>(&fout))
        return spreadsheetFout->message();
    if (dynamic_cast<const std::bad_alloc*>(&fout))
        return QStringLiteral("Er is niet genoeg geheugen.");
    return QString::fromLocal8Bit(fout.what());
}

QString FoutTekst(const QString& eersteZin, const QString& foutmelding) {
    return eersteZin + Text::lineBreak + Text::lineBreak + QStringLiteral("Foutmelding: ") +
           foutmelding;
}

QString SjabloonFoutTekst(const QString& sjabloon, const QString& vervolg) {
    return QStringLiteral("Er is een fout opgetreden tijdens het openen van \"") + sjabloon +
           QStringLiteral("\". ") + vervolg;
}

QString KaleNaam(const QString& naam) {
    const qsizetype uitroepteken = naam.indexOf(u'!');
    return Text::upperAscii(uitroepteken < 0 ? naam : naam.mid(uitroepteken + 1));
}

} // namespace SpreadsheetExport
