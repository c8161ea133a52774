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

QByteArray CaseTable(const OperatingPointPanel& panel, const QString& name) {
    QStringList header{QStringLiteral("nazwa")}, row{CsvField(name)};
    for (const FieldConfig& c : panel.Config().fields) {
        header << QString::fromLatin1(ColumnName(c.field));
        row << QString::number(panel.Value(c.field), 'g', 15)
                   .replace(QLatin1Char('.'), QLatin1Char(','));
    }
    header << QStringLiteral("przeznaczenie");
    row << (panel.CentralHeating() ? QStringLiteral("c.o.") : QStringLiteral("c.w."));
    return "\xEF\xBB\xBF" + (header.join(QLatin1Char(';')) + QStringLiteral("\r\n") +
                             row.join(QLatin1Char(';')) + QStringLiteral("\r\n"))
                                .toUtf8();
}

void SaveCase(QWidget* window, OperatingPointPanel& panel) {
    widgets::ExportToFile(
        window, widgets::kCaseFile, QStringLiteral("dane.csv"), [&panel](const QString& path) {
            widgets::SaveWhole(path, CaseTable(panel, QFileInfo(path).completeBaseName()));
        });
}

void OpenCase(QWidget* window, OperatingPointPanel& panel) {
    const QString path = widgets::ChooseOpenFile(window, widgets::kOpenCaseFile);
    if (path.isEmpty())
        return;
    std::vector<batch::Record> records;
    std::vector<std::string> header;
    try {
        std::unique_ptr<std::FILE, FileCloser> in(
            std::fopen(QFile::encodeName(path).constData(), "rb"));
        if (!in)
            throw batch::TableError("Brak pliku albo dostępu do niego.");
        batch::TableReader reader(in.get());
        header = reader.Header().fields;
        while (auto record = reader.Next())
            records.push_back(std::move(*record));
    } catch (const std::exception& e) {
        OpenError(window, path, QString::fromUtf8(e.what()));
        return;
    }
    if (records.empty()) {
        OpenError(window, path, QStringLiteral("Tabela nie ma wierszy z danymi."));
        return;
    }
    std::array<int, kFieldCount> column;
    column.fill(-1);
    int nameColumn = -1, purposeColumn = -1;
    for (int i = 0; i < static_cast<int>(header.size()); ++i) {
        const std::string n = batch::NormalName(header[static_cast<std::size_t>(i)]);
        for (const auto& [field, caption] : kColumns)
            if ((n == batch::NormalName(caption) || (field == Field::Q && n == "moc")) &&
                column[static_cast<std::size_t>(field)] < 0)
                column[static_cast<std::size_t>(field)] = i;
        if (n == "nazwa" && nameColumn < 0)
            nameColumn = i;
        if (n == "przeznaczenie" && purposeColumn < 0)
            purposeColumn = i;
    }
    QStringList captions;
    for (std::size_t r = 0; r < records.size(); ++r) {
        QString caption = QString::number(r + 1);
        if (nameColumn >= 0 && !records[r].fields[static_cast<std::size_t>(nameColumn)].empty())
            caption +=
                QStringLiteral(". ") +
                QString::fromStdString(records[r].fields[static_cast<std::size_t>(nameColumn)]);
        captions << caption;
    }
    const int chosen = ChooseRow(window, captions);
    if (chosen < 0 || chosen >= static_cast<int>(records.size()))
        return;
    const std::vector<std::string>& fields = records[static_cast<std::size_t>(chosen)].fields;
    std::array<std::optional<QString>, kFieldCount> texts;
    for (int f = 0; f < kFieldCount; ++f) {
        if (column[static_cast<std::size_t>(f)] < 0)
            continue;
        const std::string& text =
            fields[static_cast<std::size_t>(column[static_cast<std::size_t>(f)])];
        // Either decimal mark in the file; the box shows the user's own.
        texts[static_cast<std::size_t>(f)] =
            IsNumberText(text, ',')
                ? QString::number(ParseNumber(text, ','), 'g', 15)
                      .replace(QLatin1Char('.'), QLatin1Char(widgets::DecimalSeparator()))
                : QString::fromStdString(text);
    }
    std::optional<bool> centralHeating;
    if (purposeColumn >= 0) {
        QString purpose = QString::fromStdString(fields[static_cast<std::size_t>(purposeColumn)])
                              .toLower()
                              .remove(QLatin1Char('.'))
                              .trimmed();
        if (purpose == QLatin1String("co") || purpose == QLatin1String("cw"))
            centralHeating = purpose == QLatin1String("co");
    }
    panel.ApplyTexts(texts, centralHeating);
}

void AddCaseActions(QWidget* window, OperatingPointPanel& panel) {
    auto* save = new QAction(QStringLiteral("Zapisz dane…"), window);
    save->setObjectName(QStringLiteral("actZapiszDane"));
    save->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    QObject::connect(save, &QAction::triggered, window,
                     [window, &panel] { SaveCase(window, panel); });
    auto* open = new QAction(QStringLiteral("Otwórz dane…"), window);
    open->setObjectName(QStringLiteral("actOtworzDane"));
    open->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    QObject::connect(open, &QAction::triggered, window,
                     [window, &panel] { OpenCase(window, panel); });
    window->addAction(save);
    window->addAction(open);
    window->setContextMenuPolicy(Qt::ActionsContextMenu);
}

} // namespace panel
