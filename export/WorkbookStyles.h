#pragma once

#include "export/Spreadsheet.h"

#include <QHash>
#include <QString>

#include <vector>

namespace Spreadsheet {

// The cell formats (cellXfs) and borders of styles.xml. Adding a border
// edge to a cell's format makes a new format that differs only in its
// border; results are cached, so drawing thousands of borders stays cheap.
// The rest of styles.xml is kept as it was.
class WorkbookStyles {
public:
    static WorkbookStyles standard();
    // Throws Error when the part is unreadable.
    static WorkbookStyles parse(const QString& xml);
    QString xml() const;

    int formatCount() const { return int(m_formats.size()); }
    // The format like `format` with `edge` drawn thin (or removed).
    int withEdge(int format, Edge edge, bool drawn);
    bool hasEdge(int format, Edge edge) const;

    struct FormatInfo {
        int numberFormat = 0;
        int font = 0;
        int fill = 0;
        int border = 0;
    };
    FormatInfo formatInfo(int format) const;
    bool fontIsBold(int font) const;
    // The pattern of a fill ("none", "solid", ...), empty when unknown.
    QString fillPattern(int fill) const;

private:
    int addBorder(const QString& border);
    int addFormat(const QString& format);
    const QString& formatXml(int format) const;

    QString m_text; // styles.xml with the borders and cellXfs cut out
    qsizetype m_bordersAt = 0;
    qsizetype m_formatsAt = 0;
    QString m_prefix;
    std::vector<QString> m_borders;
    std::vector<QString> m_formats;
    std::vector<QString> m_fonts;
    std::vector<QString> m_fills;
    QHash<QString, int> m_borderIndex;
    QHash<QString, int> m_formatIndex;
    QHash<quint64, int> m_edgeCache;
};

} // namespace Spreadsheet
