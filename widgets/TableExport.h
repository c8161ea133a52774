#pragma once

#include <QByteArray>
#include <QString>

class QAbstractItemView;

namespace widgets {

inline const char* const kCopyCellsText = "Kopiuj";
inline const char* const kSaveCsvText = "Zapisz jako CSV…";

// A cell as a spreadsheet should read it: the text as shown, except that a plain decimal number
// written with a point (as the catalogue keeps its numbers) takes the locale's separator.
QString ExportedCell(const QString& text);

// The selected cells as tab-separated text: the rectangle around the selection, a row a line,
// cells inside it that are not selected left empty. Nothing when nothing is selected.
QString SelectedCellsText(const QAbstractItemView& view);

// The whole table for a Polish spreadsheet: UTF-8 with a byte order mark, cells separated by
// semicolons, rows ended by CR LF. A cell holding a separator, a quote or a line break is quoted.
QByteArray TableCsv(const QAbstractItemView& view);

// Ctrl+C copies the selected cells; the context menu offers "Kopiuj" and "Zapisz jako CSV…",
// proposing `csvName`.
void AddTableExport(QAbstractItemView* view, const QString& csvName);

} // namespace widgets
