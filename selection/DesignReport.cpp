#include "selection/DesignReport.h"

#include "coefficients/ChartDrawing.h"
#include "core/CalcLog.h"
#include "core/Catalogue.h"
#include "core/Numbers.h"
#include "nomograms/ChartGrid.h"
#include "nomograms/HydraulicPrintout.h"
#include "nomograms/OutputChart.h"
#include "selection/LogSession.h"
#include "widgets/Environment.h"
#include "widgets/PrintPage.h"

#include <cmath>
#include <functional>

namespace selection {

namespace {

constexpr double kTitleTop = 22;

void WriteTitleBlock(widgets::PrintPage& page, const ReportTitle& title, int n, int count) {
    page.SetScale(1000, 1400);
    page.SetFontName(QStringLiteral("Times New Roman CE"));
    page.SetBold(false);
    page.SetItalic(false);
    page.SetUnderline(false);
    page.SetStrikethrough(false);
    page.Text({15, kTitleTop},
              QStringLiteral("%1 – %2 – Varmi %3 – strona %4 z %5")
                  .arg(title.caseName, title.date.toString(QStringLiteral("dd.MM.yyyy")),
                       QStringLiteral(VARMI_VERSION))
                  .arg(n)
                  .arg(count),
              8, Qt::black);
}

// The hydraulic page of one circuit of model m at the point the selection found.
void WriteCircuit(widgets::PrintPage& page, const PrintoutInput& input, const ModelResult& r, int m,
                  bool heating) {
    const panel::OperatingPoint& p = input.selection.point;
    nomograms::HydraulicPrintInput in;
    in.model = widgets::Q(kod::ModelName(m));
    in.heating = heating;
    in.inletCaption = heating ? QStringLiteral("T11 =") : QStringLiteral("T21 =");
    in.outletCaption = heating ? QStringLiteral("T12 =") : QStringLiteral("T22 =");
    in.T1 = kod::RoundHalfEven16(heating ? p.HeatingInlet : p.HeatedInlet);
    in.T2 = kod::RoundHalfEven16(heating ? r.T12 : p.HeatedOutlet);
    in.inletText = heating ? input.heatingInlet : input.heatedInlet;
    in.outletText = heating ? QString::number(in.T2) : input.heatedOutlet;
    in.m = m;
    double dpw = heating ? r.evaluation.dP1 : r.evaluation.dP2, gw = 0;
    nomograms::CharacteristicEnds(in.T1, in.T2, m, heating, dpw, gw);
    const nomograms::ReadingTexts texts =
        nomograms::HydraulicReadingTexts(gw, dpw, std::isfinite(gw) && std::isfinite(dpw));
    in.flowText = texts.flow;
    in.dropText = texts.drop;
    nomograms::WriteHydraulicPage(page, in, gw, dpw);
}

// A chart's 0..1000 user scale mapped onto a region of the page (page units, y up).
class RegionCanvas : public widgets::Canvas {
public:
    RegionCanvas(widgets::PrintPage& page, const QRectF& region) : page_(page), r_(region) {}
    QPointF Map(QPointF p) const {
        return {r_.left() + p.x() * r_.width() / 1000, r_.top() + p.y() * r_.height() / 1000};
    }
    double Width(const QString& text, double points) const {
        page_.SetFontSize(points);
        return page_.TextWidth(text) * 1000 / r_.width();
    }
    void Line(QPointF from, QPointF to, const QColor& color, double width,
              Qt::PenStyle style) override {
        page_.Line(Map(from), Map(to), color, width, style);
    }
    void FillRect(const QRectF& rect, const QColor& color) override {
        page_.FillRect(QRectF(Map(rect.topLeft()), Map(rect.bottomRight())), color);
    }
    void Text(QPointF pos, const QString& text, double pointSize, const QColor& color) override {
        page_.Text(Map(pos), text, pointSize, color);
    }

private:
    widgets::PrintPage& page_;
    QRectF r_;
};

// Each chart on a page of its own, as square as on screen (a page unit is 0.19 mm across and
// 0.198 mm up), its title above it.
constexpr double kChartHeight = 960, kChartBottom = 250;

RegionCanvas ChartRegion(widgets::PrintPage& page, const QString& title) {
    page.SetScale(1000, 1400);
    page.SetBold(true);
    page.Text({15, kChartBottom + kChartHeight + 35}, title, 11, Qt::black);
    return RegionCanvas(page, QRectF(0, kChartBottom, 1000, kChartHeight));
}

// The thermal output chart with the heated water's flow read on it, and the coefficient charts
// against heat output and against T12, of model m at the point the selection found, one a page;
// `nextPage` ends a chart's page and starts the next.
void WriteCharts(widgets::PrintPage& page, const PrintoutInput& input, const ModelResult& r, int m,
                 const std::function<void()>& nextPage) {
    const nomograms::OutputChartInput output(m, input.selection);
    RegionCanvas top = ChartRegion(
        page, QStringLiteral("Wykres zależności mocy cieplnej od przepływu wody ogrzewanej"));
    nomograms::DrawOutputChart(top, nomograms::ComputeOutputChart(output));
    if (const auto reading = nomograms::ReadingAt(output, r.evaluation.G2)) {
        const nomograms::Segment lines[] = {
            {nomograms::kOrigin, reading->y, reading->x, reading->y},
            {reading->x, nomograms::kOrigin, reading->x, reading->y}};
        for (const nomograms::Segment& s : lines)
            if (const auto in = nomograms::ClipToSquare(s))
                top.Line({in->x1, in->y1}, {in->x2, in->y2}, QColor(0, 0, 255), 2, Qt::SolidLine);
    }

    panel::OperatingPoint point = input.selection.point;
    point.HeatingOutlet = r.T12;
    const coefficients::Abscissa sweeps[] = {
        coefficients::kHeatOutputSweep,
        coefficients::OutletSweep(input.selection.t21Position, input.selection.t11Position)};
    for (int k = 0; k < 2; ++k) {
        const bool byOutput = k == 0;
        const auto chart = coefficients::ComputeChart(
            sweeps[k],
            coefficients::ExchangerEvaluator(m, point,
                                             byOutput ? coefficients::Swept::HeatOutput
                                                      : coefficients::Swept::HeatingOutlet));
        nextPage();
        // The coefficient charts write in the font of their windows.
        page.SetFontName(QStringLiteral("Courier New"));
        RegionCanvas canvas = ChartRegion(
            page,
            byOutput
                ? QStringLiteral("Wykres współczynników przenikania w zależności od mocy cielnej")
                : QStringLiteral(
                      "Wykres współczynników przenikania w zależności od temperatury T12"));
        if (!chart)
            continue;
        coefficients::ChartTexts texts;
        texts.abscissaLabels =
            byOutput ? coefficients::HeatOutputLabels() : coefficients::OutletLabels(sweeps[k]);
        texts.abscissaTitle =
            byOutput ? QStringLiteral("Moc cieplna Q [kW]") : QStringLiteral("Temperatura T12[°C]");
        texts.counts =
            byOutput ? coefficients::CountStyle::Printed : coefficients::CountStyle::Digits;
        texts.decimalSeparator = widgets::DecimalSeparator();
        coefficients::DrawChart(canvas, *chart, texts, [&canvas](const QString& t, double p) {
            return canvas.Width(t, p);
        });
    }
}

} // namespace

int ReportPageCount(int m) {
    return m < 0 ? 1 : 6;
}

std::vector<int> ReportCandidates(const SelectionResult& run) {
    std::vector<int> models;
    for (int m = 0; m < kod::kModelCount; ++m)
        if (run.models[m].found)
            models.push_back(m);
    return models;
}

void WriteDesignReport(widgets::PrintPage& page, const PrintoutInput& input, int m,
                       const ReportTitle& title, kod::CalcLog& log) {
    const int count = ReportPageCount(m);
    WriteSelectionPage(page, input, log);
    if (m < 0) {
        page.SetFontSize(12);
        page.SetBold(true);
        page.Print(QString::fromUtf8(kNoExchangerText), 5);
    }
    WriteTitleBlock(page, title, 1, count);
    if (m < 0)
        return;
    const SelectionResult run = RunSelection(input.selection, static_cast<kod::CalcLog*>(nullptr));
    for (int circuit = 0; circuit < 2; ++circuit) {
        page.NewPage();
        WriteCircuit(page, input, run.models[m], m, circuit == 0);
        WriteTitleBlock(page, title, circuit + 2, count);
    }
    int n = 4;
    page.NewPage();
    WriteCharts(page, input, run.models[m], m, [&] {
        WriteTitleBlock(page, title, n++, count);
        page.NewPage();
    });
    WriteTitleBlock(page, title, n, count);
}

bool SaveDesignReport(QWidget* parent, const PrintoutInput& input, int m, const ReportTitle& title,
                      const QString& pdfFile) {
    LogSession session;
    session.Log().WritePrintStart();
    const bool written = widgets::OutputPage(
        parent, widgets::PageTarget{pdfFile, {}},
        [&](widgets::PrintPage& page) { WriteDesignReport(page, input, m, title, session.Log()); },
        QString());
    session.Close();
    return written;
}

} // namespace selection
