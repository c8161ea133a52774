#include "parameters/ParameterPrintout.h"

#include "core/Catalogue.h"
#include "widgets/CompanyLine.h"
#include "widgets/Environment.h"
#include "widgets/PrintPage.h"

#include <algorithm>

namespace parameters {

namespace {

constexpr int kItemLength = 12;
constexpr int kRuleLength = 110;
constexpr int kColumnTab = 13; // column c of the catalogue is printed at tab 13 · c

// Text at a tab stop of the layout, where tab stop 0 is the first column.
void At(widgets::PrintPage& page, int tab, const QString& text, bool lineEnd = false) {
    page.Print(text, std::max(tab, 1), lineEnd);
}

// The line before is never ended, so the rule starts a line of its own.
void Rule(widgets::PrintPage& page) {
    At(page, 0, QString(kRuleLength, QLatin1Char('-')), true);
}

void Items(widgets::PrintPage& page, int row, int firstColumn) {
    for (int c = firstColumn; c < kod::kParamColumns; ++c)
        At(page, kColumnTab * c,
           PrintedItem(widgets::Q(
               kod::ParamTable[static_cast<std::size_t>(row)][static_cast<std::size_t>(c)])));
}

// A block: its heading, an empty line, then each row's columns 1 to 5, a row a line.
void Block(widgets::PrintPage& page, const QString& heading, int firstRow, int lastRow) {
    At(page, 0, heading, true);
    page.NewLine();
    for (int row = firstRow; row <= lastRow; ++row)
        Items(page, row, 1);
}

} // namespace

QString PrintedItem(const QString& value) {
    return (QStringLiteral("   ") + value).right(kItemLength);
}

void WriteParameterPage(widgets::PrintPage& page) {
    page.SetFontName(QStringLiteral("Times New Roman CE"));
    page.SetBold(true);
    page.SetFontSize(14);
    At(page, 10,
       QStringLiteral(
           "Charakterystyki cieplne i hydrauliczne czystych wymienników ciepła typu ORV"),
       true);
    At(page, 20, QStringLiteral("produkcji Skarvel Polska w Wirdanie dla układu woda - woda"),
       true);
    page.NewLine(4);

    page.SetFontName(QStringLiteral("Courier"));
    page.SetFontSize(10);
    At(page, 0, QStringLiteral("   lp    Typ wymiennika"));
    Items(page, 0, 2);
    Rule(page);
    At(page, 0, QStringLiteral("   1  Jednostka badawcza"));
    Items(page, 1, 2);
    Items(page, 2, 0);
    Rule(page);
    Block(page,
          QStringLiteral("   3     Wartości obliczeniowe dla współczynnika przenikania ciepła"), 3,
          8);
    Rule(page);
    Block(page,
          QStringLiteral("   4     Wartości obliczeniowe dla oporów hydraulicznych w rurkach"), 9,
          11);
    Rule(page);
    Block(page,
          QStringLiteral("   5     Wartości obliczeniowe dla oporów hydraulicznych w płaszczach"),
          12, 14);
    Rule(page);
    Rule(page);
    Block(page, QStringLiteral("   6     Powierzchnia wymiany ciepła w [m^2]"), 15, 15);
    Rule(page);
    page.NewLine();

    At(page, 3, QStringLiteral(" dla wymiennika ORV 1.22 można przyjąć:"), true);
    At(page, 10,
       QStringLiteral("C1' = C1 * T1śr ^ b1;  C2' = C2 * T2śr ^ b2 przy T1śr  i  T2śr = 20°C "),
       true);
    page.NewLine(16);
    widgets::PrintCompanyLine(page, 13);
}

bool PrintParameters(QWidget* parent, const widgets::PageTarget& target) {
    return widgets::OutputPage(parent, target, WriteParameterPage,
                               QString::fromUtf8(kPrintSentText));
}

} // namespace parameters
