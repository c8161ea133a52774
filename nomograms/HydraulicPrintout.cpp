#include "nomograms/HydraulicPrintout.h"

#include "nomograms/ChartGrid.h"
#include "widgets/CompanyLine.h"
#include "widgets/Environment.h"
#include "widgets/PrintPage.h"

namespace nomograms {

namespace {

constexpr double kPageWidth = 1000, kPageHeight = 1400;
// The header starts this far from the top edge; it stays above the chart's titles.
constexpr double kHeaderLeft = 15, kHeaderTop = 20;
constexpr int kValueTab = 40;

void PrintHeader(widgets::PrintPage& page, const HydraulicPrintInput& in) {
    page.SetCurrentX(kHeaderLeft);
    page.SetCurrentY(kPageHeight - kHeaderTop);
    page.SetFontSize(10);
    page.SetBold(false);
    widgets::PrintCompanyLine(page, 11);
    page.NewLine(2);

    page.SetBold(true);
    page.SetFontSize(14);
    page.Print(QStringLiteral("Wykres zależności oporu przepływu Dp [kPa] od"), 20);
    page.Print(QStringLiteral("natężenia przepływu wody G [kg/s]"), 27);
    page.NewLine(2);

    page.SetFontSize(12);
    auto line = [&](const QString& label, const QString& value) {
        page.Print(label, 1, false);
        page.Print(value, kValueTab);
    };
    line(QStringLiteral(" Typ wymiennika: "), in.model);
    line(QStringLiteral(" Typ obiegu: "),
         in.heating ? QStringLiteral("woda grzejna") : QStringLiteral("woda ogrzewana"));
    line(QStringLiteral(" Temperatura weściowa ") + in.inletCaption, in.inletText);
    line(QStringLiteral(" Temperatura wyjściowa") + in.outletCaption, in.outletText);
    line(QStringLiteral(" Wybrane natężenie przepływu = "),
         in.flowText + QStringLiteral(" [kg/s]"));
    line(QStringLiteral(" Wynikowy opór przepływu = "), in.dropText + QStringLiteral(" [kPa]"));
}

void DrawSegment(widgets::PrintPage& page, const Segment& s, double width, Qt::PenStyle style) {
    if (const auto inside = ClipToSquare(s))
        page.Line({inside->x1, inside->y1}, {inside->x2, inside->y2}, Qt::black, width, style);
}

// DrukujHydre: the characteristic and the dashed reading lines.
void DrukujHydre(widgets::PrintPage& page, const HydraulicPrintInput& in, double& gw, double& dpw) {
    const Characteristic c = CharacteristicEnds(in.T1, in.T2, in.m, in.heating, dpw, gw);
    DrawSegment(page, CharacteristicLine(c), 3, Qt::SolidLine);
    DrawSegment(page, DropReadingLine(gw, dpw), 1, Qt::DashLine);
    DrawSegment(page, FlowReadingLine(gw, dpw), 1, Qt::DashLine);
}

} // namespace

ReadingTexts HydraulicReadingTexts(double gw, double dpw, bool shown) {
    if (!shown)
        return {QStringLiteral("---"), QStringLiteral("---")};
    return {widgets::Formatted(gw, "#0.00"), widgets::Formatted(dpw, "##0.00")};
}

void WriteHydraulicPage(widgets::PrintPage& page, const HydraulicPrintInput& in, double& gw,
                        double& dpw) {
    page.SetScale(kPageWidth, kPageHeight);
    PrintHeader(page, in);
    DrawLogGrid(page, kOrigin, kSide, HydraulicPageGrid());
    DrukujHydre(page, in, gw, dpw);
}

bool PrintHydraulicChart(QWidget* parent, const HydraulicPrintInput& in, double& gw, double& dpw,
                         const widgets::PageTarget& target) {
    return widgets::OutputPage(
        parent, target, [&](widgets::PrintPage& page) { WriteHydraulicPage(page, in, gw, dpw); },
        QString::fromUtf8(kHydraulicPrintSentText));
}

} // namespace nomograms
