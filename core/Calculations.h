#pragma once

#include <cstdint>

namespace kod {
class CalcLog;
struct EvaluationRecord;
} // namespace kod

// Thermal and hydraulic calculations of one exchanger model. Temperatures °C, flows kg/s, heat
// outputs kW, pressure drops kPa, coefficients kW/(m²·K). Results go out through references.
// Outside the domain the windows keep to (temperatures 0..219 °C, positive end differences,
// distinct rounded temperatures per circuit, m in 0..3) results are non-finite, never a crash.
namespace kod {

inline constexpr double kKcalToKJ = 4.1868;
inline constexpr int kMaxExtraExchangers = 3;

// Fouling resistance in m²·K/kW: 0.1 for central heating, 0.2 for domestic hot water.
double FoulingResistance(bool centralHeating);

// Mean specific heat of water between 0 °C and t, kcal/(kg·K); NaN outside 0..219 °C.
double MeanSpecificHeat(std::int16_t t);

// G (kg/s) that carries Q (kW) from t1 to t2 (°C).
void FlowForOutput(std::int16_t t1, std::int16_t t2, const double& Q, double& G);

// Q (kW) carried by G (kg/s) from t1 to t2 (°C).
void OutputForFlow(std::int16_t t1, std::int16_t t2, double& Q, double G);

// Pressure drop Dp (kPa) of one circuit of model m at flow G (kg/s); T1, T2 its temperatures.
void PressureDropForFlow(std::int16_t T1, std::int16_t T2, std::int16_t m, bool heatingSide,
                         double G, double& Dp);

// Flow G (kg/s) that gives the pressure drop Dp (kPa); model 1's coefficient is referred to 20 °C.
void FlowForPressureDrop(std::int16_t T1, std::int16_t T2, std::int16_t m, bool heatingSide,
                         const double& Dp, double& G);

// Evaluates the minimum number of exchangers of model m plus `extra` at one operating point:
// kw required and ke operating coefficient (kW/(m²·K)), n exchangers; fills EvaluationResult.
void EvaluateExchanger(std::int16_t m, bool centralHeating, double Dp1, double Dp2, double T11,
                       double T12, double T21, double T22, double Q, std::int16_t extra, double& kw,
                       double& ke, std::int16_t& n);

// Lowest outlet temperature T12 in tFrom..tTo (°C, steps of 1) with ke > kw, trying 0 to 3 extra
// exchangers in turn; T12 = -1 when none. kw, ke, n are those of the last evaluation. With
// trace on, writes its lines to the open calculation log.
void FindOutletTemperature(double tFrom, double tTo, std::int16_t m, bool centralHeating,
                           double Dp1, double Dp2, double T11, double& T12, double T21, double T22,
                           double Q, double& kw, double& ke, std::int16_t& n, bool trace);

// The same search touching no module data: the last evaluation's intermediate results go to
// `record` (left as it was when nothing is tried) and the trace to `log` when it is open. Searches
// on several threads share only the catalogue.
void FindOutletTemperature(double tFrom, double tTo, std::int16_t m, bool centralHeating,
                           double Dp1, double Dp2, double T11, double& T12, double T21, double T22,
                           double Q, double& kw, double& ke, std::int16_t& n,
                           EvaluationRecord& record, CalcLog* log);

// Relative excess of ke over kw in percent.
double RelativeExcess(double kw, double ke);

} // namespace kod
