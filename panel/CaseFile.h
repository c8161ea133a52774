#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class QWidget;

// Saving and opening an operating point as a table of operating points with one row: a header of
// column names and the row, UTF-8, ";" and a decimal comma. Opening reads any such table; with
// more rows the user picks one.
namespace panel {

class OperatingPointPanel;

// The window property holding the name of the case last saved or opened ("" when none).
inline constexpr const char* kCaseNameProperty = "varmiCaseName";

// A row's texts by column name made comparable ("q", "t11", "przeznaczenie").
using CaseRow = std::map<std::string, std::string>;

// The table: "nazwa", the values in their order, "przeznaczenie" when given (true: "c.o.").
QByteArray CaseTable(const QString& name, const std::vector<std::pair<QString, double>>& values,
                     std::optional<bool> centralHeating);
// A file's number text as a box shows it (either decimal mark read, the user's written); other
// texts as they are.
QString BoxText(const std::string& text);

// Zapisz dane…: the file is chosen, the case named by its base name and `table` written whole.
void SaveCase(QWidget* window, const std::function<QByteArray(const QString& name)>& table);
// Otwórz dane…: the chosen file's row (picked from a list when there are more); nothing when
// cancelled or unreadable (the message is shown then).
std::optional<CaseRow> OpenCaseRow(QWidget* window);
// Both as actions of the window: its context menu, Ctrl+S and Ctrl+O.
void AddCaseActions(QWidget* window, std::function<QByteArray(const QString& name)> table,
                    std::function<void(const CaseRow& row)> apply);

// The same for an operating-point panel: its fields in tab order and its purpose.
QByteArray CaseTable(const OperatingPointPanel& panel, const QString& name);
void SaveCase(QWidget* window, OperatingPointPanel& panel);
void OpenCase(QWidget* window, OperatingPointPanel& panel);
void AddCaseActions(QWidget* window, OperatingPointPanel& panel);

// Tests pick the row instead of the list: the handler gets the rows' captions and returns the
// index, -1 for Cancel.
using RowChoiceHandler = std::function<int(const QStringList& rows)>;
void SetRowChoiceHandler(RowChoiceHandler handler); // empty: the real list

} // namespace panel
