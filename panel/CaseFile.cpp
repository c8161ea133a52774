#include "panel/CaseFile.h"

#include "batch/Table.h"
#include "panel/OperatingPointPanel.h"
#include "widgets/Environment.h"
#include "widgets/MessageBox.h"
#include "widgets/SaveFile.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QInputDialog>
#include <QWidget>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <optional>

namespace panel {

namespace {

constexpr std::pair<Field, const char*> kColumns[] = {
    {Field::Q, "Q"},     {Field::Dp1, "Dp1"}, {Field::T11, "T11"}, {Field::T12, "T12"},
    {Field::Dp2, "Dp2"}, {Field::T21, "T21"}, {Field::T22, "T22"}};

const char* ColumnName(Field f) {
    for (const auto& [field, name] : kColumns)
        if (field == f)
            return name;
    return "";
}

RowChoiceHandler& ChoiceHandler() {
    static RowChoiceHandler handler;
    return handler;
}

QString CsvField(const QString& text) {
    if (!text.contains(QLatin1Char(';')) && !text.contains(QLatin1Char('"')) &&
        !text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

void OpenError(QWidget* window, const QString& path, const QString& reason) {
    widgets::ShowMessage(
        window,
        QStringLiteral("Nie można otworzyć pliku „%1”.").arg(QDir::toNativeSeparators(path)),
        QString::fromUtf8(widgets::kAppTitle), widgets::MsgIcon::None, reason);
}

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

int ChooseRow(QWidget* window, const QStringList& rows) {
    if (rows.size() == 1)
        return 0;
    if (ChoiceHandler())
        return ChoiceHandler()(rows);
    bool ok = false;
    const QString chosen =
        QInputDialog::getItem(window, QStringLiteral("Otwórz dane"),
                              QStringLiteral("Wiersz tabeli:"), rows, 0, false, &ok);
    return ok ? static_cast<int>(rows.indexOf(chosen)) : -1;
}

} // namespace

void SetRowChoiceHandler(RowChoiceHandler handler) {
    ChoiceHandler() = std::move(handler);
}

QByteArray CaseTable(const QString& name, const std::vector<std::pair<QString, double>>& values,
                     std::optional<bool> centralHeating) {
    QStringList header{QStringLiteral("nazwa")}, row{CsvField(name)};
    for (const auto& [column, value] : values) {
        header << column;
        row << QString::number(value, 'g', 15).replace(QLatin1Char('.'), QLatin1Char(','));
    }
    if (centralHeating) {
        header << QStringLiteral("przeznaczenie");
        row << (*centralHeating ? QStringLiteral("c.o.") : QStringLiteral("c.w."));
    }
    return "\xEF\xBB\xBF" + (header.join(QLatin1Char(';')) + QStringLiteral("\r\n") +
                             row.join(QLatin1Char(';')) + QStringLiteral("\r\n"))
                                .toUtf8();
}

QString BoxText(const std::string& text) {
    if (!IsNumberText(text, ','))
        return QString::fromStdString(text);
    return QString::number(ParseNumber(text, ','), 'g', 15)
        .replace(QLatin1Char('.'), QLatin1Char(widgets::DecimalSeparator()));
}

void SaveCase(QWidget* window, const std::function<QByteArray(const QString& name)>& table) {
    widgets::ExportToFile(window, widgets::kCaseFile, QStringLiteral("dane.csv"),
                          [&table, window](const QString& path) {
                              const QString name = QFileInfo(path).completeBaseName();
                              widgets::SaveWhole(path, table(name));
                              window->setProperty(kCaseNameProperty, name);
                          });
}

std::optional<CaseRow> OpenCaseRow(QWidget* window) {
    const QString path = widgets::ChooseOpenFile(window, widgets::kOpenCaseFile);
    if (path.isEmpty())
        return std::nullopt;
    std::vector<batch::Record> records;
    std::vector<std::string> header;
    try {
        std::unique_ptr<std::FILE, FileCloser> in(
            std::fopen(QFile::encodeName(path).constData(), "rb"));
        if (!in)
            throw batch::TableError("Brak pliku albo dostępu do niego.");
        batch::TableReader reader(in.get());
        for (const std::string& name : reader.Header().fields)
            header.push_back(batch::NormalName(name));
        while (auto record = reader.Next())
            records.push_back(std::move(*record));
    } catch (const std::exception& e) {
        OpenError(window, path, QString::fromUtf8(e.what()));
        return std::nullopt;
    }
    if (records.empty()) {
        OpenError(window, path, QStringLiteral("Tabela nie ma wierszy z danymi."));
        return std::nullopt;
    }
    const auto nameColumn = std::find(header.begin(), header.end(), "nazwa") - header.begin();
    QStringList captions;
    for (std::size_t r = 0; r < records.size(); ++r) {
        QString caption = QString::number(r + 1);
        if (nameColumn < static_cast<long>(header.size()) &&
            !records[r].fields[static_cast<std::size_t>(nameColumn)].empty())
            caption +=
                QStringLiteral(". ") +
                QString::fromStdString(records[r].fields[static_cast<std::size_t>(nameColumn)]);
        captions << caption;
    }
    const int chosen = ChooseRow(window, captions);
    if (chosen < 0 || chosen >= static_cast<int>(records.size()))
        return std::nullopt;
    CaseRow row;
    for (std::size_t i = 0; i < header.size(); ++i)
        row.emplace(header[i] == "moc" ? std::string("q") : header[i],
                    records[static_cast<std::size_t>(chosen)].fields[i]);
    return row;
}

void AddCaseActions(QWidget* window, std::function<QByteArray(const QString& name)> table,
                    std::function<void(const CaseRow& row)> apply) {
    auto* save = new QAction(QStringLiteral("Zapisz dane…"), window);
    save->setObjectName(QStringLiteral("actZapiszDane"));
    save->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    QObject::connect(save, &QAction::triggered, window,
                     [window, table] { SaveCase(window, table); });
    auto* open = new QAction(QStringLiteral("Otwórz dane…"), window);
    open->setObjectName(QStringLiteral("actOtworzDane"));
    open->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    QObject::connect(open, &QAction::triggered, window, [window, apply] {
        if (const auto row = OpenCaseRow(window)) {
            apply(*row);
            const auto name = row->find("nazwa");
            window->setProperty(kCaseNameProperty, name == row->end()
                                                       ? QString()
                                                       : QString::fromStdString(name->second));
        }
    });
    window->addAction(save);
    window->addAction(open);
    window->setContextMenuPolicy(Qt::ActionsContextMenu);
}

QByteArray CaseTable(const OperatingPointPanel& panel, const QString& name) {
    std::vector<std::pair<QString, double>> values;
    for (const FieldConfig& c : panel.Config().fields)
        values.emplace_back(QString::fromLatin1(ColumnName(c.field)), panel.Value(c.field));
    return CaseTable(name, values, panel.CentralHeating());
}

void SaveCase(QWidget* window, OperatingPointPanel& panel) {
    SaveCase(window, [&panel](const QString& name) { return CaseTable(panel, name); });
}

namespace {

void ApplyRow(OperatingPointPanel& panel, const CaseRow& row) {
    std::array<std::optional<QString>, kFieldCount> texts;
    for (const auto& [field, caption] : kColumns)
        if (const auto it = row.find(batch::NormalName(caption)); it != row.end())
            texts[static_cast<std::size_t>(field)] = BoxText(it->second);
    std::optional<bool> centralHeating;
    if (const auto it = row.find("przeznaczenie"); it != row.end()) {
        const QString purpose =
            QString::fromStdString(it->second).toLower().remove(QLatin1Char('.')).trimmed();
        if (purpose == QLatin1String("co") || purpose == QLatin1String("cw"))
            centralHeating = purpose == QLatin1String("co");
    }
    panel.ApplyTexts(texts, centralHeating);
}

} // namespace

void OpenCase(QWidget* window, OperatingPointPanel& panel) {
    if (const auto row = OpenCaseRow(window))
        ApplyRow(panel, *row);
}

void AddCaseActions(QWidget* window, OperatingPointPanel& panel) {
    AddCaseActions(
        window, [&panel](const QString& name) { return CaseTable(panel, name); },
        [&panel](const CaseRow& row) { ApplyRow(panel, row); });
}

} // namespace panel
