#include "selection/SelectionPrintout.h"

#include "core/CalcLog.h"
#include "core/Catalogue.h"
#include "core/Numbers.h"
#include "widgets/CompanyLine.h"
#include "widgets/Environment.h"
#include "widgets/MessageBox.h"
#include "widgets/PrintPage.h"

#include <array>
#include <cmath>

namespace selection {

namespace {

constexpr int kLabelTab = 10;
constexpr int kValueTab = 55;

void PrintHeading(widgets::PrintPage& page) {
    widgets::PrintCompanyLine(page, 11);
    page.NewLine(2);
}

void PrintInputBlock(widgets::PrintPage& page, const PrintoutInput& in) {
    page.SetFontSize(14);
    page.SetBold(true);
    page.Print(QStringLiteral("Dobór wymienników "), 35);
    page.Print(QStringLiteral("dla poniższych danych wejściowych:"), 27);
    page.NewLine(2);

    auto line = [&](const QString& caption, int tab, const QString& value) {
        page.Print(caption, tab, false);
        page.Print(value, kValueTab);
    };
    auto group = [&](const QString& caption) {
        page.SetItalic(true);
        page.Print(caption, kLabelTab);
        page.SetItalic(false);
    };
    line(QStringLiteral(" Przeznaczenie eksploatacyjne: "), kLabelTab,
         in.selection.point.CentralHeating ? QStringLiteral("c.o.") : QStringLiteral("c.w."));
    line(QStringLiteral(" Wymagana moc cieplna:"), kLabelTab,
         in.heatOutput + QStringLiteral(" [kW]"));
    group(QStringLiteral(" Woda grzejna:"));
    line(QStringLiteral(" Dopuszczalny opór przepływu"), 14,
         in.dropHeating + QStringLiteral(" [kPa]"));
    line(QStringLiteral(" Temperatura weściowa T11"), 14,
         in.heatingInlet + QStringLiteral(" [°C]"));
    group(QStringLiteral(" Woda ogrzewana:"));
    line(QStringLiteral(" Dopuszczalny opór przepływu"), 14,
         in.dropHeated + QStringLiteral(" [kPa]"));
    line(QStringLiteral(" Temperatura weściowa T21"), 14, in.heatedInlet + QStringLiteral(" [°C]"));
    line(QStringLiteral(" Temperatura wyjściowa T22"), 14,
         in.heatedOutlet + QStringLiteral(" [°C]"));
    page.NewLine(2);
}

// The number of exchangers is printed with two decimals, the excess without a percent sign.
const ColumnFormats kPrintFormats = {"#0.00", "#0.00",  "#0.00",  "#0.00", "#0.00",
                                     "#0.00", "#0.00",  "#0.00",  "#0.00", "#0.00",
                                     "#0.00", "#0.000", "#0.000", "#0.00", "##0.0"};

void PrintTable(widgets::PrintPage& page, const SelectionResult& run, char sep) {
    page.SetFontSize(8);
    const double x0 = std::round(page.CurrentX());
    const double y0 = std::round(page.CurrentY());
    page.SetCurrentX(x0);
    page.SetCurrentY(y0);
    page.Print(QStringLiteral("typ wymiennika:"), kLabelTab);
    for (int r = 0; r < kResultValueCount; ++r)
        page.Print(widgets::Q(kod::ResultLabels[r]), kLabelTab);

    for (int m = 0; m < kod::kModelCount; ++m) {
        page.SetCurrentX(x0);
        page.SetCurrentY(y0);
        const int tab = 90 + 12 * m;
        page.Print(widgets::Q(kod::ModelName(m)), tab);
        const ResultTexts values = ResultColumn(run.models[m], kPrintFormats, sep);
        for (std::size_t i = 0; i < values.size(); ++i)
            page.Print(widgets::Q(values[i]), tab, i + 1 < values.size());
    }
}

void PrintComments(widgets::PrintPage& page, const SelectionResult& run, char sep) {
    page.SetFontSize(12);
    page.Print(QStringLiteral("komentarz do wyników"), 20);
    for (int m = 0; m < kod::kModelCount; ++m) {
        const ModelResult& r = run.models[m];
        const bool impossible = r.kind == VerdictKind::Impossible;
        const bool best = r.kind == VerdictKind::Best;
        const int count = r.found ? r.n : 0;
        if (impossible)
            page.SetStrikethrough(true);
        else if (best)
            page.SetUnderline(true);
        page.Print(QStringLiteral("Typ wymiennika: ") + widgets::Q(kod::ModelName(m)) +
                       QStringLiteral("   Liczba wymienników: ") +
                       widgets::Q(kod::PrintedNumber(count, sep)),
                   kLabelTab);
        if (impossible) {
            page.Print(QStringLiteral("zastosowanie tego wymiennika dla wyznaczonych warunków jest "
                                      "niemożliwe -"),
                       5);
            // The sentence is split so that it stays within the width of the page.
            page.Print(
                QStringLiteral("współczynnik przenikania ciepła dla warunków eksploatacyjnych "
                               "jest zawsze mniejszy"),
                5);
            page.Print(QStringLiteral("niż wymagany współczynnik przenikania ciepła kw"), 5);
            page.SetStrikethrough(false);
        } else {
            page.Print(widgets::Q(r.verdict).replace(QStringLiteral("\r\n"), QStringLiteral("\n")),
                       5);
            if (best)
                page.SetUnderline(false);
        }
    }
}

} // namespace

void WriteSelectionPage(widgets::PrintPage& page, const PrintoutInput& input, kod::CalcLog& log) {
    const char sep = widgets::DecimalSeparator();
    PrintHeading(page);
    page.SetScale(1000, 1400);
    PrintInputBlock(page, input);
    const SelectionResult run = RunSelection(input.selection, [&log](int m, double, double) {
        log.WritePrintModel(static_cast<std::int16_t>(m));
    });
    PrintTable(page, run, sep);
    PrintComments(page, run, sep);
}

bool PrintSelection(QWidget* parent, const PrintoutInput& input,
                    const widgets::PageTarget& target) {
    LogSession session;
    session.Log().WritePrintStart();
    const bool sent = widgets::OutputPage(
        parent, target,
        [&](widgets::PrintPage& page) { WriteSelectionPage(page, input, session.Log()); },
        QString::fromUtf8(kPrintSentText));
    const bool logWritten = session.Close();
    if (sent && !logWritten)
        widgets::ShowMessage(parent, QString::fromUtf8(kLogWriteFailedText));
    return sent;
}

} // namespace selection
