#include "export/WorkbookEngine.h"

#include "export/LegacyConversion.h"
#include "export/Workbook.h"
#include "model/Bestand.h"
#include "model/MessageService.h"
#include "model/Text.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <utility>

namespace Spreadsheet {

namespace {

WorkbookOpener& currentOpener() {
    static WorkbookOpener opener;
    return opener;
}

QString& chosenFolder() {
    static QString folder;
    return folder;
}

ExportClock& currentClock() {
    static ExportClock clock;
    return clock;
}

QString native(const QString& path) {
    return QDir::toNativeSeparators(path);
}

void checkCell(int row, int column) {
    if (row < 1 || column < 1)
        throw Error(QStringLiteral("Rij en kolom beginnen bij 1."));
    if (row > MaxRows || column > MaxColumns)
        throw Error(QStringLiteral("Een werkblad heeft ten hoogste %1 rijen en %2 kolommen.")
                        .arg(MaxRows)
                        .arg(MaxColumns));
}

// A sheet as the exports hold it. It stays valid as a handle after its
// sheet is deleted, but then every use is an error.
struct SheetRef {
    std::shared_ptr<Workbook> book;
    std::shared_ptr<Sheet> sheet;

    Sheet& get() const {
        if (sheet->deleted)
            throw Error(QStringLiteral("Het werkblad is verwijderd."));
        return *sheet;
    }
};

std::shared_ptr<Sheet> shared(const Workbook& book, const Sheet* sheet) {
    for (const auto& candidate : book.sheets()) {
        if (candidate.get() == sheet)
            return candidate;
    }
    throw Error(QStringLiteral("Het werkblad is verwijderd."));
}

class EngineRange : public Range {
public:
    EngineRange(SheetRef ref, int top, int left, int bottom, int right)
        : m_ref(std::move(ref))
        , m_top(top)
        , m_left(left)
        , m_bottom(bottom)
        , m_right(right) {}

    int Row() const override { return m_top; }
    int Column() const override { return m_left; }
    const Sheet* sheet() const { return m_ref.sheet.get(); }

    void SetValue(const QString& text) override {
        forEachCell([&](Sheet& s, int r, int c) { m_ref.book->setText(s, r, c, text); });
    }
    void SetValue(double number) override {
        forEachCell([&](Sheet& s, int r, int c) { m_ref.book->setNumber(s, r, c, number); });
    }
    void SetValues(const QStringList& column) override {
        if (m_left != m_right || m_bottom - m_top + 1 != column.size())
            throw Error(QStringLiteral("Het bereik moet één kolom zijn, even hoog als de reeks "
                                       "waarden (%1).")
                            .arg(column.size()));
        Sheet& s = m_ref.get();
        for (int i = 0; i < column.size(); ++i)
            m_ref.book->setText(s, m_top + i, m_left, column.at(i));
    }
    void SetBorderLineStyle(Edge edge, int lineStyle) override {
        constexpr int lineStyleNone = -4142;
        const int e = int(edge);
        if (e < int(Edge::Left) || e > int(Edge::Right))
            throw Error(QStringLiteral("Celrand %1 bestaat niet.").arg(e));
        if (lineStyle != LineStyleContinuous && lineStyle != lineStyleNone)
            throw Error(QStringLiteral("Lijnstijl %1 wordt niet ondersteund.").arg(lineStyle));
        const bool drawn = lineStyle == LineStyleContinuous;
        forEachCell([&](Sheet& s, int r, int c) { m_ref.book->setBorder(s, r, c, edge, drawn); });
    }

private:
    template <typename F> void forEachCell(F f) {
        Sheet& s = m_ref.get();
        for (int r = m_top; r <= m_bottom; ++r) {
            for (int c = m_left; c <= m_right; ++c)
                f(s, r, c);
        }
    }

    SheetRef m_ref;
    int m_top, m_left, m_bottom, m_right;
};

class EngineName : public Name {
public:
    EngineName(const Workbook& book, std::shared_ptr<Workbook> owner, const DefinedName& name)
        : m_text(name.text())
        , m_topLeft(name.topLeft()) {
        if (name.target && m_topLeft)
            m_target = {std::move(owner), shared(book, name.target)};
    }

    QString Text() const override { return m_text; }
    std::unique_ptr<Range> RefersToRange() const override {
        if (!m_target.sheet)
            throw Error(QStringLiteral("De naam %1 verwijst niet naar een cel.").arg(m_text));
        m_target.get();
        return std::make_unique<EngineRange>(m_target, m_topLeft->first, m_topLeft->second,
                                             m_topLeft->first, m_topLeft->second);
    }

private:
    QString m_text;
    std::optional<std::pair<int, int>> m_topLeft;
    SheetRef m_target;
};

class EngineWorksheet : public Worksheet {
public:
    explicit EngineWorksheet(SheetRef ref)
        : m_ref(std::move(ref)) {}

    const SheetRef& ref() const { return m_ref; }

    QString GetName() const override { return m_ref.get().name; }
    void SetName(const QString& name) override { m_ref.book->renameSheet(&m_ref.get(), name); }
    void Delete() override { m_ref.book->deleteSheet(&m_ref.get()); }
    void Activate() override { m_ref.book->activate(&m_ref.get()); }
    void Copy(const Worksheet& after) override {
        Sheet* copy = m_ref.book->copyWorksheet(m_ref.get(), &sheetOf(after));
        m_ref.book->activate(copy);
    }
    std::unique_ptr<Range> Cells(int row, int column) override {
        checkCell(row, column);
        m_ref.get();
        return std::make_unique<EngineRange>(m_ref, row, column, row, column);
    }
    std::unique_ptr<Range> GetRange(const Range& cell1, const Range& cell2) override {
        for (const Range* cell : {&cell1, &cell2}) {
            auto* engineRange = dynamic_cast<const EngineRange*>(cell);
            if (engineRange && engineRange->sheet() != m_ref.sheet.get())
                throw Error(QStringLiteral("Een bereik moet op één werkblad liggen."));
            checkCell(cell->Row(), cell->Column());
        }
        m_ref.get();
        return std::make_unique<EngineRange>(
            m_ref, std::min(cell1.Row(), cell2.Row()), std::min(cell1.Column(), cell2.Column()),
            std::max(cell1.Row(), cell2.Row()), std::max(cell1.Column(), cell2.Column()));
    }
    int NamesCount() const override { return int(m_ref.book->namesOf(&m_ref.get()).size()); }
    std::unique_ptr<Name> NamesItem(int index) const override {
        const auto names = m_ref.book->namesOf(&m_ref.get());
        if (index < 1 || index > int(names.size()))
            throw Error(QStringLiteral("Het werkblad heeft geen naam nummer %1.").arg(index));
        return std::make_unique<EngineName>(*m_ref.book, m_ref.book, *names[size_t(index - 1)]);
    }

    // `other` as a sheet of this workbook.
    Sheet& sheetOf(const Worksheet& other) const {
        auto* engineSheet = dynamic_cast<const EngineWorksheet*>(&other);
        if (!engineSheet || engineSheet->m_ref.book != m_ref.book)
            throw Error(QStringLiteral("Het werkblad hoort bij een andere werkmap."));
        return engineSheet->m_ref.get();
    }

private:
    SheetRef m_ref;
};

class WorkbookEngine : public Application {
public:
    explicit WorkbookEngine(QString subject)
        : m_subject(std::move(subject)) {}
    ~WorkbookEngine() override { Release(); }

    void SetVisible(bool) override {}
    void SetDisplayAlerts(bool) override {}

    void WorkbooksOpen(const QString& path) override {
        if (path.trimmed().isEmpty())
            throw Error(QStringLiteral("Er is geen bestand opgegeven om te openen."));
        std::unique_ptr<Workbook> book;
        if (isLegacyWorkbook(path)) {
            QTemporaryDir folder;
            if (!folder.isValid())
                throw Error(QStringLiteral("Er kan geen tijdelijke map worden gemaakt."));
            book = Workbook::load(convertToXlsx(path, folder.path()));
        } else {
            book = Workbook::load(path);
        }
        adopt(std::move(book));
    }
    void WorkbooksAdd() override { adopt(Workbook::createDefault()); }

    std::unique_ptr<Worksheet> ActiveSheet() override {
        const Sheet* active = activeBook().activeSheet();
        if (active && !active->isWorksheet)
            throw Error(
                QStringLiteral("Het actieve blad \"%1\" is geen werkblad.").arg(active->name));
        return worksheet(active);
    }
    int WorksheetsCount() override { return int(activeBook().worksheets().size()); }
    std::unique_ptr<Worksheet> WorksheetsItem(int index) override {
        const std::vector<Sheet*> sheets = activeBook().worksheets();
        if (index < 1 || index > int(sheets.size()))
            throw Error(QStringLiteral("Er is geen werkblad nummer %1.").arg(index));
        return worksheet(sheets[size_t(index - 1)]);
    }
    std::unique_ptr<Worksheet> WorksheetsItem(const QString& name) override {
        Sheet* sheet = activeBook().findSheet(name);
        if (!sheet || !sheet->isWorksheet)
            throw Error(QStringLiteral("Er is geen werkblad met de naam \"%1\".").arg(name));
        return worksheet(sheet);
    }
    std::unique_ptr<Worksheet> WorksheetsAdd(const Worksheet& after) override {
        auto* afterSheet = dynamic_cast<const EngineWorksheet*>(&after);
        if (!afterSheet || afterSheet->ref().book != m_active)
            throw Error(QStringLiteral("Het werkblad hoort bij een andere werkmap."));
        Sheet* added = m_active->addWorksheet(&afterSheet->ref().get());
        m_active->activate(added);
        return worksheet(added);
    }

    void Release() noexcept override {
        if (m_released)
            return;
        m_released = true;
        for (const auto& book : m_books) {
            try {
                saveAndOpen(*book);
            } catch (...) {
                // A message box that fails cannot be reported any further.
            }
        }
    }

private:
    void adopt(std::unique_ptr<Workbook> book) {
        m_active = std::shared_ptr<Workbook>(std::move(book));
        m_books.push_back(m_active);
    }
    Workbook& activeBook() const {
        if (!m_active)
            throw Error(QStringLiteral("Er is geen werkmap geopend."));
        return *m_active;
    }
    std::unique_ptr<Worksheet> worksheet(const Sheet* sheet) const {
        if (!sheet)
            throw Error(QStringLiteral("De werkmap heeft geen actief werkblad."));
        return std::make_unique<EngineWorksheet>(SheetRef{m_active, shared(*m_active, sheet)});
    }

    void saveAndOpen(const Workbook& book) {
        const QString folder = ExportFolder();
        QString path;
        try {
            if (const QString fout = Bestand::MaakMap(folder); !fout.isEmpty())
                throw Error(fout);
            path = ExportFileName(folder, m_subject,
                                  currentClock() ? currentClock()() : QDateTime::currentDateTime());
            book.save(path);
        } catch (const std::exception& failure) {
            const auto* error = dynamic_cast<const Error*>(&failure);
            BringToFront();
            const QString reason =
                error ? error->message() : QString::fromLocal8Bit(failure.what());
            messages().information(
                QStringLiteral("De werkmap kon niet worden opgeslagen in de map \"%1\".")
                    .arg(native(folder)) +
                Text::lineBreak + Text::lineBreak + QStringLiteral("Reden: ") + reason);
            return;
        }
        bool opened = false;
        try {
            opened = currentOpener() && currentOpener()(path);
        } catch (...) {
            opened = false;
        }
        if (!opened) {
            BringToFront();
            messages().information(
                QStringLiteral("De werkmap is opgeslagen als:") + Text::lineBreak +
                Text::lineBreak + native(path) + Text::lineBreak + Text::lineBreak +
                QStringLiteral("Open dit bestand met een spreadsheetprogramma."));
        }
    }

    QString m_subject;
    std::vector<std::shared_ptr<Workbook>> m_books;
    std::shared_ptr<Workbook> m_active;
    bool m_released = false;
};

} // namespace

std::unique_ptr<Application> CreateWorkbookEngine(const QString& subject) {
    return std::make_unique<WorkbookEngine>(subject);
}

WorkbookOpener SetWorkbookOpener(WorkbookOpener opener) {
    return std::exchange(currentOpener(), std::move(opener));
}

QString SetExportFolder(const QString& folder) {
    return std::exchange(chosenFolder(), folder);
}

QString ExportFolder() {
    if (!chosenFolder().isEmpty())
        return chosenFolder();
    return QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
        .filePath(QStringLiteral("Zegerooster-export"));
}

ExportClock SetExportClock(ExportClock clock) {
    return std::exchange(currentClock(), std::move(clock));
}

QString ExportFileName(const QString& folder, const QString& subject, const QDateTime& time) {
    static const QRegularExpression unsafe(QStringLiteral("[\\\\/:*?\"<>|\\x00-\\x1f]"));
    QString name = subject.trimmed();
    name.replace(unsafe, QStringLiteral("-"));
    if (name.isEmpty())
        name = QStringLiteral("Werkmap");
    const QString base = name + u' ' + time.toString(QStringLiteral("yyyy-MM-dd HH.mm"));
    const QDir dir(folder);
    QString candidate = dir.filePath(base + QStringLiteral(".xlsx"));
    for (int n = 2; QFileInfo::exists(candidate); ++n)
        candidate = dir.filePath(base + QStringLiteral(" (%1).xlsx").arg(n));
    return candidate;
}

} // namespace Spreadsheet
