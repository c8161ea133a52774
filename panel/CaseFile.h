#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

// Saving and opening an operating point as a table of operating points with one row: a header of
// column names and the row, UTF-8, ";" and a decimal comma. Opening reads any such table; with
// more rows the user picks one.
namespace panel {

class OperatingPointPanel;

// The table of the panel's values: "nazwa", the panel's fields in its tab order, "przeznaczenie".
QByteArray CaseTable(const OperatingPointPanel& panel, const QString& name);

// Zapisz dane…: the file is chosen, the case named by its base name and written whole.
void SaveCase(QWidget* window, OperatingPointPanel& panel);
// Otwórz dane…: the chosen row's values go into the panel's boxes through the panel's checks.
void OpenCase(QWidget* window, OperatingPointPanel& panel);
// Both as actions of the window: its context menu, Ctrl+S and Ctrl+O.
void AddCaseActions(QWidget* window, OperatingPointPanel& panel);

// Tests pick the row instead of the list: the handler gets the rows' captions and returns the
// index, -1 for Cancel.
using RowChoiceHandler = std::function<int(const QStringList& rows)>;
void SetRowChoiceHandler(RowChoiceHandler handler); // empty: the real list

} // namespace panel
