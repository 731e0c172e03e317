#include "support/FakeSpreadsheet.h"

#include <algorithm>

using Spreadsheet::Edge;
using Spreadsheet::Error;

namespace Fake {

namespace {

QString address(int row, int column) {
    return QStringLiteral("R%1C%2").arg(row).arg(column);
}

QString edgeName(Edge edge) {
    switch (edge) {
    case Edge::Left:
        return QStringLiteral("Left");
    case Edge::Top:
        return QStringLiteral("Top");
    case Edge::Bottom:
        return QStringLiteral("Bottom");
    case Edge::Right:
        return QStringLiteral("Right");
    }
    return {};
}

QString boolText(bool value) {
    return value ? QStringLiteral("true") : QStringLiteral("false");
}

QString numberText(double number) {
    return QString::number(number, 'g', 15);
}

class FakeRange : public Spreadsheet::Range {
public:
    FakeRange(FakeSpreadsheet& fake, std::shared_ptr<Sheet> sheet, int row1, int column1, int row2,
              int column2)
        : m_fake(fake)
        , m_sheet(std::move(sheet))
        , m_row1(row1)
        , m_column1(column1)
        , m_row2(row2)
        , m_column2(column2) {}

    int Row() const override {
        m_fake.enter(QStringLiteral("Row"));
        return m_row1;
    }
    int Column() const override {
        m_fake.enter(QStringLiteral("Column"));
        return m_column1;
    }
    void SetValue(const QString& text) override {
        m_fake.enter(QStringLiteral("SetValue"));
        check();
        m_fake.record(name() + QStringLiteral(" = '") + text + u'\'');
        forEach([&](int row, int column) { put(row, column, text); });
    }
    void SetValue(double number) override {
        m_fake.enter(QStringLiteral("SetValue"));
        check();
        m_fake.record(name() + QStringLiteral(" = ") + numberText(number));
        forEach([&](int row, int column) { m_sheet->cells[{row, column}] = {true, {}, number}; });
    }
    void SetValues(const QStringList& column) override {
        m_fake.enter(QStringLiteral("SetValues"));
        check();
        if (m_column1 != m_column2 || m_row2 - m_row1 + 1 != column.size())
            throw Error(QStringLiteral("Het bereik past niet bij de waarden."));
        m_fake.record(name() + QStringLiteral(" = [") + column.join(u'|') + u']');
        for (int i = 0; i < column.size(); ++i)
            put(m_row1 + i, m_column1, column[i]);
    }
    void SetBorderLineStyle(Edge edge, int lineStyle) override {
        m_fake.enter(QStringLiteral("SetBorderLineStyle"));
        check();
        m_fake.record(name() + u' ' + edgeName(edge) + u' ' + QString::number(lineStyle));
        forEach([&](int row, int column) {
            if (lineStyle == Spreadsheet::LineStyleContinuous)
                m_sheet->borders[{row, column}].insert(edge);
            else
                m_sheet->borders[{row, column}].erase(edge);
        });
    }

    const std::shared_ptr<Sheet>& sheet() const { return m_sheet; }
    int top() const { return m_row1; }
    int left() const { return m_column1; }

private:
    void check() const {
        if (m_sheet->deleted)
            throw Error(QStringLiteral("Het werkblad bestaat niet meer."));
    }
    QString name() const {
        if (m_row1 == m_row2 && m_column1 == m_column2)
            return address(m_row1, m_column1);
        return address(m_row1, m_column1) + u':' + address(m_row2, m_column2);
    }
    template <typename F> void forEach(F f) {
        for (int row = m_row1; row <= m_row2; ++row)
            for (int column = m_column1; column <= m_column2; ++column)
                f(row, column);
    }
    void put(int row, int column, const QString& text) {
        if (text.isEmpty())
            m_sheet->cells.erase({row, column});
        else
            m_sheet->cells[{row, column}] = {false, text, 0};
    }

    FakeSpreadsheet& m_fake;
    std::shared_ptr<Sheet> m_sheet;
    int m_row1, m_column1, m_row2, m_column2;
};

QString sheetPrefix(const QString& sheetName) {
    return sheetName.contains(u' ') ? u'\'' + sheetName + u'\'' : sheetName;
}

class FakeName : public Spreadsheet::Name {
public:
    FakeName(FakeSpreadsheet& fake, std::shared_ptr<Sheet> sheet, std::size_t index)
        : m_fake(fake)
        , m_sheet(std::move(sheet))
        , m_index(index) {}

    QString Text() const override {
        m_fake.enter(QStringLiteral("Text"));
        const DefinedName& defined = m_sheet->names.at(m_index);
        return defined.sheetLevel ? sheetPrefix(m_sheet->name) + u'!' + defined.name : defined.name;
    }
    std::unique_ptr<Spreadsheet::Range> RefersToRange() const override {
        m_fake.enter(QStringLiteral("RefersToRange"));
        const DefinedName& defined = m_sheet->names.at(m_index);
        return std::make_unique<FakeRange>(m_fake, m_sheet, defined.row, defined.column,
                                           defined.row, defined.column);
    }

private:
    FakeSpreadsheet& m_fake;
    std::shared_ptr<Sheet> m_sheet;
    std::size_t m_index;
};

class FakeWorksheet : public Spreadsheet::Worksheet {
public:
    FakeWorksheet(FakeSpreadsheet& fake, std::shared_ptr<Sheet> sheet)
        : m_fake(fake)
        , m_sheet(std::move(sheet)) {}

    QString GetName() const override {
        m_fake.enter(QStringLiteral("GetName"));
        check();
        return m_sheet->name;
    }
    void SetName(const QString& name) override {
        m_fake.enter(QStringLiteral("SetName"));
        check();
        for (const auto& other : workbook().sheets) {
            if (other != m_sheet && other->name.compare(name, Qt::CaseInsensitive) == 0)
                throw Error(QStringLiteral("Er is al een blad met de naam %1.").arg(name));
        }
        m_fake.record(QStringLiteral("SetName ") + m_sheet->name + QStringLiteral(" -> ") + name);
        m_sheet->name = name;
    }
    void Delete() override {
        m_fake.enter(QStringLiteral("Delete"));
        check();
        Workbook& book = workbook();
        if (book.sheets.size() == 1)
            throw Error(QStringLiteral("Een werkmap moet minstens één blad hebben."));
        if (m_fake.displayAlerts)
            ++m_fake.deleteQuestions;
        m_fake.record(QStringLiteral("Delete ") + m_sheet->name);
        std::erase(book.sheets, m_sheet);
        m_sheet->deleted = true;
        if (book.active == m_sheet)
            book.active = book.sheets.front();
    }
    void Activate() override {
        m_fake.enter(QStringLiteral("Activate"));
        check();
        m_fake.record(QStringLiteral("Activate ") + m_sheet->name);
        workbook().active = m_sheet;
    }
    void Copy(const Spreadsheet::Worksheet& after) override {
        m_fake.enter(QStringLiteral("Copy"));
        check();
        const auto& target = dynamic_cast<const FakeWorksheet&>(after);
        target.check();
        Workbook& book = workbook();
        auto copy = std::make_shared<Sheet>(*m_sheet);
        for (int n = 2;; ++n) {
            copy->name = QStringLiteral("%1 (%2)").arg(m_sheet->name).arg(n);
            if (!m_fake.sheet(copy->name))
                break;
        }
        m_fake.record(QStringLiteral("Copy ") + m_sheet->name + QStringLiteral(" after ") +
                      target.m_sheet->name);
        const auto place = std::find(book.sheets.begin(), book.sheets.end(), target.m_sheet);
        if (place == book.sheets.end())
            throw Error(QStringLiteral("Het blad hoort niet bij deze werkmap."));
        book.sheets.insert(place + 1, copy);
        book.active = copy;
    }
    std::unique_ptr<Spreadsheet::Range> Cells(int row, int column) override {
        m_fake.enter(QStringLiteral("Cells"));
        check();
        if (row < 1 || column < 1)
            throw Error(QStringLiteral("Cel (%1, %2) bestaat niet.").arg(row).arg(column));
        return std::make_unique<FakeRange>(m_fake, m_sheet, row, column, row, column);
    }
    std::unique_ptr<Spreadsheet::Range> GetRange(const Spreadsheet::Range& cell1,
                                                 const Spreadsheet::Range& cell2) override {
        m_fake.enter(QStringLiteral("GetRange"));
        check();
        const auto& first = dynamic_cast<const FakeRange&>(cell1);
        const auto& second = dynamic_cast<const FakeRange&>(cell2);
        if (first.sheet() != m_sheet || second.sheet() != m_sheet)
            throw Error(QStringLiteral("De cellen liggen op een ander blad."));
        return std::make_unique<FakeRange>(m_fake, m_sheet, std::min(first.top(), second.top()),
                                           std::min(first.left(), second.left()),
                                           std::max(first.top(), second.top()),
                                           std::max(first.left(), second.left()));
    }
    int NamesCount() const override {
        m_fake.enter(QStringLiteral("NamesCount"));
        check();
        return static_cast<int>(m_sheet->names.size());
    }
    std::unique_ptr<Spreadsheet::Name> NamesItem(int index) const override {
        m_fake.enter(QStringLiteral("NamesItem"));
        check();
        if (index < 1 || index > static_cast<int>(m_sheet->names.size()))
            throw Error(QStringLiteral("Naam %1 bestaat niet.").arg(index));
        return std::make_unique<FakeName>(m_fake, m_sheet, static_cast<std::size_t>(index - 1));
    }

    void check() const {
        if (m_sheet->deleted)
            throw Error(QStringLiteral("Het werkblad bestaat niet meer."));
    }
    const std::shared_ptr<Sheet>& sheet() const { return m_sheet; }

private:
    Workbook& workbook() const {
        for (const auto& book : m_fake.workbooks) {
            if (std::find(book->sheets.begin(), book->sheets.end(), m_sheet) != book->sheets.end())
                return *book;
        }
        throw Error(QStringLiteral("Het werkblad hoort bij geen werkmap."));
    }

    FakeSpreadsheet& m_fake;
    std::shared_ptr<Sheet> m_sheet;
};

class FakeApplication : public Spreadsheet::Application {
public:
    explicit FakeApplication(FakeSpreadsheet& fake)
        : m_fake(fake) {}

    void SetVisible(bool visible) override {
        enter(QStringLiteral("SetVisible"));
        m_fake.record(QStringLiteral("SetVisible ") + boolText(visible));
        m_fake.visible = visible;
    }
    void SetDisplayAlerts(bool displayAlerts) override {
        enter(QStringLiteral("SetDisplayAlerts"));
        m_fake.record(QStringLiteral("SetDisplayAlerts ") + boolText(displayAlerts));
        m_fake.displayAlerts = displayAlerts;
    }
    void WorkbooksOpen(const QString& path) override;
    void WorkbooksAdd() override {
        enter(QStringLiteral("WorkbooksAdd"));
        m_fake.record(QStringLiteral("WorkbooksAdd"));
        auto book = std::make_unique<Workbook>();
        for (int i = 1; i <= m_fake.defaultSheetCount; ++i) {
            auto sheet = std::make_shared<Sheet>();
            sheet->name = QStringLiteral("Blad%1").arg(i);
            book->sheets.push_back(sheet);
        }
        book->active = book->sheets.front();
        m_fake.workbooks.push_back(std::move(book));
    }
    std::unique_ptr<Spreadsheet::Worksheet> ActiveSheet() override {
        enter(QStringLiteral("ActiveSheet"));
        return std::make_unique<FakeWorksheet>(m_fake, book().active);
    }
    int WorksheetsCount() override {
        enter(QStringLiteral("WorksheetsCount"));
        return static_cast<int>(book().sheets.size());
    }
    std::unique_ptr<Spreadsheet::Worksheet> WorksheetsItem(int index) override {
        enter(QStringLiteral("WorksheetsItem"));
        const auto& sheets = book().sheets;
        if (index < 1 || index > static_cast<int>(sheets.size()))
            throw Error(QStringLiteral("Werkblad %1 bestaat niet.").arg(index));
        return std::make_unique<FakeWorksheet>(m_fake, sheets[static_cast<std::size_t>(index - 1)]);
    }
    std::unique_ptr<Spreadsheet::Worksheet> WorksheetsItem(const QString& name) override {
        enter(QStringLiteral("WorksheetsItem"));
        for (const auto& sheet : book().sheets) {
            if (sheet->name.compare(name, Qt::CaseInsensitive) == 0)
                return std::make_unique<FakeWorksheet>(m_fake, sheet);
        }
        throw Error(QStringLiteral("Werkblad %1 bestaat niet.").arg(name));
    }
    std::unique_ptr<Spreadsheet::Worksheet>
    WorksheetsAdd(const Spreadsheet::Worksheet& after) override;
    void Release() noexcept override {
        ++m_fake.released;
        m_fake.record(QStringLiteral("Release"));
        m_released = true;
    }

private:
    void enter(const QString& operation) {
        if (m_released)
            ++m_fake.usedAfterRelease;
        m_fake.enter(operation);
    }
    Workbook& book() {
        Workbook* active = m_fake.activeWorkbook();
        if (!active)
            throw Error(QStringLiteral("Er is geen werkmap geopend."));
        return *active;
    }

    FakeSpreadsheet& m_fake;
    bool m_released = false;
};

std::unique_ptr<Spreadsheet::Worksheet>
FakeApplication::WorksheetsAdd(const Spreadsheet::Worksheet& after) {
    enter(QStringLiteral("WorksheetsAdd"));
    const auto& target = dynamic_cast<const FakeWorksheet&>(after);
    target.check();
    const QString afterName = target.sheet()->name;
    Workbook& active = book();
    auto sheet = std::make_shared<Sheet>();
    for (int n = 1;; ++n) {
        sheet->name = QStringLiteral("Blad%1").arg(n);
        if (!m_fake.sheet(sheet->name))
            break;
    }
    m_fake.record(QStringLiteral("WorksheetsAdd after ") + afterName);
    const auto place = std::find(active.sheets.begin(), active.sheets.end(), target.sheet());
    if (place == active.sheets.end())
        throw Error(QStringLiteral("Het blad hoort niet bij de actieve werkmap."));
    active.sheets.insert(place + 1, sheet);
    active.active = sheet;
    return std::make_unique<FakeWorksheet>(m_fake, sheet);
}

} // namespace

// The template's sheets are copied, so every open starts from the same file.
void FakeApplication::WorkbooksOpen(const QString& path) {
    enter(QStringLiteral("WorkbooksOpen"));
    m_fake.record(QStringLiteral("WorkbooksOpen ") + path);
    m_fake.openTemplate(path);
}

QString Sheet::text(int row, int column) const {
    const auto cell = cells.find({row, column});
    if (cell == cells.end())
        return {};
    return cell->second.isNumber ? numberText(cell->second.number) : cell->second.text;
}

bool Sheet::isNumber(int row, int column) const {
    const auto cell = cells.find({row, column});
    return cell != cells.end() && cell->second.isNumber;
}

bool Sheet::border(int row, int column, Edge edge) const {
    const auto found = borders.find({row, column});
    return found != borders.end() && found->second.count(edge) > 0;
}

QStringList Sheet::dump() const {
    QStringList result;
    for (const auto& [place, cell] : cells) {
        const QString value = cell.isNumber ? numberText(cell.number) : u'\'' + cell.text + u'\'';
        result << address(place.first, place.second) + u'=' + value;
    }
    return result;
}

QStringList Sheet::borderDump() const {
    QStringList result;
    for (const auto& [place, edges] : borders) {
        if (edges.empty())
            continue;
        QString letters;
        for (const auto& [edge, letter] :
             {std::pair{Edge::Left, u'L'}, std::pair{Edge::Top, u'T'},
              std::pair{Edge::Bottom, u'B'}, std::pair{Edge::Right, u'R'}}) {
            if (edges.count(edge))
                letters += letter;
        }
        result << address(place.first, place.second) + u':' + letters;
    }
    return result;
}

FakeSpreadsheet::FakeSpreadsheet() {
    m_previous = Spreadsheet::SetApplicationFactory([this](const QString& subject) {
        enter(QStringLiteral("ObtainApplication"));
        ++obtained;
        subjects << subject;
        record(QStringLiteral("Obtain ") + subject);
        return std::unique_ptr<Spreadsheet::Application>(new FakeApplication(*this));
    });
}

FakeSpreadsheet::~FakeSpreadsheet() {
    Spreadsheet::SetApplicationFactory(std::move(m_previous));
}

void FakeSpreadsheet::addTemplate(const QString& path, std::vector<Sheet> sheets, int activeIndex) {
    m_templates.emplace_back(path, std::move(sheets));
    m_activeIndex[path] = activeIndex;
}

void FakeSpreadsheet::openTemplate(const QString& path) {
    const auto found = std::find_if(m_templates.begin(), m_templates.end(),
                                    [&](const auto& t) { return t.first == path; });
    if (path.isEmpty() || found == m_templates.end())
        throw Error(QStringLiteral("Het bestand '%1' kan niet worden gevonden.").arg(path));
    auto book = std::make_unique<Workbook>();
    book->source = path;
    for (const Sheet& sheet : found->second)
        book->sheets.push_back(std::make_shared<Sheet>(sheet));
    book->active = book->sheets.at(static_cast<std::size_t>(m_activeIndex.value(path)));
    workbooks.push_back(std::move(book));
}

void FakeSpreadsheet::failAt(const QString& operation, int occurrence, const QString& message) {
    const QString text =
        message.isEmpty() ? QStringLiteral("Proeffout bij %1.").arg(operation) : message;
    m_failures[operation] = {occurrence, text};
}

void FakeSpreadsheet::enter(const QString& operation) {
    const int count = ++m_counts[operation];
    const auto failure = m_failures.constFind(operation);
    if (failure != m_failures.constEnd() && failure->first == count)
        throw Error(failure->second);
}

Workbook* FakeSpreadsheet::activeWorkbook() const {
    return workbooks.empty() ? nullptr : workbooks.back().get();
}

Sheet* FakeSpreadsheet::sheet(const QString& name) const {
    if (const Workbook* book = activeWorkbook()) {
        for (const auto& s : book->sheets) {
            if (s->name.compare(name, Qt::CaseInsensitive) == 0)
                return s.get();
        }
    }
    return nullptr;
}

QStringList FakeSpreadsheet::sheetNames() const {
    QStringList names;
    if (const Workbook* book = activeWorkbook()) {
        for (const auto& s : book->sheets)
            names << s->name;
    }
    return names;
}

QString FakeSpreadsheet::activeSheetName() const {
    const Workbook* book = activeWorkbook();
    return book && book->active ? book->active->name : QString();
}

} // namespace Fake
