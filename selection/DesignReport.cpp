#include "selection/DesignReport.h"

#include "core/CalcLog.h"
#include "core/Catalogue.h"
#include "core/Numbers.h"
#include "nomograms/HydraulicPrintout.h"
#include "selection/LogSession.h"
#include "widgets/Environment.h"
#include "widgets/PrintPage.h"

#include <cmath>

namespace selection {

namespace {

constexpr double kTitleTop = 22;

// A reading as the hydraulic window shows it.
QString Shown(double value, const char* pattern) {
    return widgets::Q(kod::FormatPattern(value, pattern, widgets::DecimalSeparator()));
}

void WriteTitleBlock(widgets::PrintPage& page, const ReportTitle& title, int n, int count) {
    page.SetScale(1000, 1400);
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
    const bool shown = std::isfinite(gw) && std::isfinite(dpw);
    in.flowText = shown ? Shown(gw, "#0.00") : QStringLiteral("---");
    in.dropText = shown ? Shown(dpw, "##0.00") : QStringLiteral("---");
    nomograms::WriteHydraulicPage(page, in, gw, dpw);
}

} // namespace

int ReportPageCount(int m) {
    return m < 0 ? 1 : 3;
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
