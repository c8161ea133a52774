#include "widgets/TableExport.h"

#include "widgets/Environment.h"
#include "widgets/SaveFile.h"

#include <QAbstractItemView>
#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QRegularExpression>
#include <algorithm>
#include <climits>

namespace widgets {

namespace {

QString Quoted(const QString& cell, QChar separator) {
    const bool plain = !cell.contains(separator) && !cell.contains(QLatin1Char('"')) &&
                       !cell.contains(QLatin1Char('\n')) && !cell.contains(QLatin1Char('\r'));
    if (plain)
        return cell;
    QString quoted = cell;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString CellAt(const QAbstractItemModel& model, int row, int column) {
    return ExportedCell(model.data(model.index(row, column), Qt::DisplayRole).toString());
}

// Cells of rows top..bottom and columns left..right joined by the separators; `take` says which.
template <typename Take>
QString Joined(const QAbstractItemModel& model, QRect cells, QChar separator,
               const QString& lineEnd, Take take) {
    QString text;
    for (int row = cells.top(); row <= cells.bottom(); ++row) {
        for (int column = cells.left(); column <= cells.right(); ++column) {
            if (column > cells.left())
                text += separator;
            if (take(row, column))
                text += Quoted(CellAt(model, row, column), separator);
        }
        text += lineEnd;
    }
    return text;
}

class CopyKey : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* view = qobject_cast<QAbstractItemView*>(watched);
        if (view && event->type() == QEvent::KeyPress &&
            static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
            QGuiApplication::clipboard()->setText(SelectedCellsText(*view));
            return true;
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

QString ExportedCell(const QString& text) {
    static const QRegularExpression pointNumber(QStringLiteral("^\\s*[-+]?\\d+\\.\\d+\\s*$"));
    if (!pointNumber.match(text).hasMatch())
        return text;
    QString localised = text;
    localised.replace(QLatin1Char('.'), QLatin1Char(DecimalSeparator()));
    return localised;
}

QString SelectedCellsText(const QAbstractItemView& view) {
    const QAbstractItemModel* model = view.model();
    const QItemSelectionModel* selection = view.selectionModel();
    if (!model || !selection)
        return {};
    const QModelIndexList selected = selection->selectedIndexes();
    if (selected.isEmpty())
        return {};
    int top = INT_MAX, left = INT_MAX, bottom = -1, right = -1;
    for (const QModelIndex& index : selected) {
        top = std::min(top, index.row());
        bottom = std::max(bottom, index.row());
        left = std::min(left, index.column());
        right = std::max(right, index.column());
    }
    return Joined(*model, QRect(QPoint(left, top), QPoint(right, bottom)), QLatin1Char('\t'),
                  QStringLiteral("\n"), [&](int row, int column) {
                      return selection->isSelected(model->index(row, column));
                  });
}

QByteArray TableCsv(const QAbstractItemView& view) {
    const QAbstractItemModel* model = view.model();
    if (!model)
        return {};
    const QRect all(0, 0, model->columnCount(), model->rowCount());
    const QString text = Joined(*model, all, QLatin1Char(';'), QStringLiteral("\r\n"),
                                [](int, int) { return true; });
    return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}

void AddTableExport(QAbstractItemView* view, const QString& csvName) {
    auto* copy = new QAction(QString::fromUtf8(kCopyCellsText), view);
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetShortcut);
    QObject::connect(copy, &QAction::triggered, view,
                     [view] { QGuiApplication::clipboard()->setText(SelectedCellsText(*view)); });
    auto* csv = new QAction(QString::fromUtf8(kSaveCsvText), view);
    QObject::connect(csv, &QAction::triggered, view, [view, csvName] {
        ExportToFile(view->window(), kCsvFile, csvName,
                     [view](const QString& path) { SaveWhole(path, TableCsv(*view)); });
    });
    view->addActions({copy, csv});
    view->setContextMenuPolicy(Qt::ActionsContextMenu);
    // The view answers Ctrl+C itself with the current cell alone; the selection is copied instead.
    view->installEventFilter(new CopyKey(view));
}

} // namespace widgets
