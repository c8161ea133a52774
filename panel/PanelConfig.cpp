#include "panel/PanelConfig.h"

#include <algorithm>

namespace panel {

namespace {

constexpr double kRowPitch = 40; // logical units per panel row

// The fields as the selection window has them; the other windows change captions, defaults,
// places and follow-ups.
FieldConfig BaseField(Field f) {
    FieldConfig c;
    c.field = f;
    c.sliderMin = Limits(f).sliderMin, c.sliderMax = Limits(f).sliderMax;
    switch (f) {
    case Field::Q:
        c.labelName = "etQ", c.boxName = "txQ", c.sliderName = "slQ";
        c.caption = QStringLiteral("wymagana moc cieplna Q w [kW]");
        c.boxToolTip = QStringLiteral("Wymagana moc cieplna Q");
        c.defaultValue = 200;
        break;
    case Field::Dp1:
        c.labelName = "etDp1", c.boxName = "txDp1", c.sliderName = "slDp1";
        c.caption = QStringLiteral("dopuszczalny opór przepływu Dp1");
        c.boxToolTip = QStringLiteral("Dopuszczalny opór przepływu wody grzejnej");
        c.sliderToolTip = QStringLiteral("zakres oporu: 1 - 70 kPa");
        c.defaultValue = 20;
        break;
    case Field::T11:
        c.labelName = "etT11", c.boxName = "txT11", c.sliderName = "slT11";
        c.caption = QStringLiteral("temperatura wejściowa T11");
        c.boxToolTip = QStringLiteral("temperatura wejściowa");
        c.defaultValue = 150;
        c.followUps = {Field::T21, Field::T22};
        c.clearAfterSliderMove = true;
        break;
    case Field::T12:
        c.labelName = "etT12", c.boxName = "txT12", c.sliderName = "slT12";
        c.caption = QStringLiteral("temperatura wyściowa T12");
        c.boxToolTip = QStringLiteral("Temperatura wyjściowa T12");
        c.defaultValue = 95;
        c.followUps = {Field::T22};
        break;
    case Field::Dp2:
        c.labelName = "etDp2", c.boxName = "txDp2", c.sliderName = "slDp2";
        c.caption = QStringLiteral("dopuszczalny opór przepływu Dp2");
        c.boxToolTip = QStringLiteral("Dopuszczlny opór przepływu wody ogrzewanej");
        c.sliderToolTip = QStringLiteral("zakres oporu:1 - 40 kPa");
        c.defaultValue = 15;
        break;
    case Field::T21:
        c.labelName = "etT21", c.boxName = "txT21", c.sliderName = "SlT21";
        c.caption = QStringLiteral("temperatura wejściowa T21");
        c.boxToolTip = QStringLiteral("Temperatura wejściowa T21");
        c.defaultValue = 40;
        c.followUps = {Field::T22};
        break;
    case Field::T22:
        c.labelName = "etT22", c.boxName = "txT22", c.sliderName = "slT22";
        c.caption = QStringLiteral("temperatura wyjściowa T22");
        c.boxToolTip = QStringLiteral("Temperatura wyjściowa T22");
        c.defaultValue = 100;
        break;
    }
    return c;
}

// Label, box and slider rows (in units of 40) and sizes.
struct Rows {
    double label, box, slider;
};
void Place(FieldConfig& c, Rows r, double labelLeft, QSizeF labelSize, double boxLeft,
           QSizeF boxSize) {
    c.label = {labelLeft, kRowPitch * r.label, labelSize.width(), labelSize.height()};
    c.box = {boxLeft, kRowPitch * r.box, boxSize.width(), boxSize.height()};
    c.slider = {820, kRowPitch * r.slider, 180, 35};
}

OptionConfig Option(bool centralHeating, double left, double top, bool withToolTip) {
    OptionConfig o;
    o.name = centralHeating ? "opCO" : "opCW";
    o.caption = centralHeating ? "c.o." : "c.w.";
    if (withToolTip)
        o.toolTip = centralHeating ? QStringLiteral("wybór centralnego ogrzewania")
                                   : QStringLiteral("wybór ciepłej wody użytkowej");
    o.left = left, o.top = top;
    o.twips = centralHeating ? QSizeF(615, 375) : QSizeF(735, 375);
    return o;
}

FieldConfig& At(PanelConfig& config, Field f) {
    return *std::find_if(config.fields.begin(), config.fields.end(),
                         [f](const FieldConfig& c) { return c.field == f; });
}

} // namespace

const FieldConfig* PanelConfig::Find(Field f) const {
    auto it = std::find_if(fields.begin(), fields.end(),
                           [f](const FieldConfig& c) { return c.field == f; });
    return it == fields.end() ? nullptr : &*it;
}

PanelConfig SelectionPanelConfig() {
    PanelConfig config;
    const std::pair<Field, double> rows[] = {{Field::Q, 1},    {Field::Dp1, 4.5}, {Field::T11, 6.5},
                                             {Field::Dp2, 10}, {Field::T21, 12},  {Field::T22, 14}};
    for (auto [f, r] : rows) {
        FieldConfig c = BaseField(f);
        // A label reaches its box: on a large screen the longest captions fit on one line.
        Place(c, {r, r, r + 1}, 820, {120, 35}, 940, {45, 35});
        config.fields.push_back(c);
    }
    config.centralHeating = Option(true, 860, 10, false);
    config.hotWater = Option(false, 920, 10, false);
    config.centralHeatingAtOpening = true;
    config.purposeInvalidates = false;
    config.heatingFrame = {"rmGrzejna", {810, 155, 200, 230}};
    config.heatedFrame = {"rmOgrzewana", {810, 395, 200, 270}};
    return config;
}

PanelConfig OutputNomogramPanelConfig() {
    PanelConfig config;
    // Below the model list and the reading boxes, above the window's buttons at the bottom.
    const std::pair<Field, double> rows[] = {{Field::Dp1, 3.9},
                                             {Field::T11, 6.1},
                                             {Field::Dp2, 8.7},
                                             {Field::T21, 10.9},
                                             {Field::T22, 13.1}};
    for (auto [f, r] : rows) {
        FieldConfig c = BaseField(f);
        Place(c, {r, r, r + 1.1}, 815, {120, 45}, 960, {50, 35});
        config.fields.push_back(c);
    }
    config.centralHeating = Option(true, 850, 126, true);
    config.hotWater = Option(false, 930, 126, true);
    config.centralHeatingAtOpening = true;
    config.purposeInvalidates = true;
    // Clear of the chart's focus frame on the left and of the fixed-height options above.
    config.heatingFrame = {"rmGrzejna", {812, 154, 203, 180}};
    config.heatedFrame = {"rmOgrzewana", {812, 340, 203, 272}};
    config.yUp = true;
    return config;
}

PanelConfig CoefficientsByOutputPanelConfig() {
    PanelConfig config;
    const std::tuple<Field, Rows> rows[] = {
        {Field::Dp1, {3, 3, 4.2}},        {Field::T11, {5.3, 5.4, 6.5}},
        {Field::T12, {7.5, 7.5, 8.7}},    {Field::Dp2, {10, 10, 11.1}},
        {Field::T21, {12.1, 12.3, 13.3}}, {Field::T22, {14.3, 14.8, 15.8}}};
    for (auto [f, r] : rows) {
        FieldConfig c = BaseField(f);
        Place(c, r, 815, {120, 45}, 960, {50, 35});
        config.fields.push_back(c);
    }
    At(config, Field::Dp1).caption = QStringLiteral("dopuszczalny opór przepływu");
    At(config, Field::Dp1).defaultValue = 10;
    At(config, Field::Dp2).defaultValue = 30;
    At(config, Field::T21).defaultValue = 75;
    At(config, Field::T11).followUps = {Field::T21, Field::T12, Field::T22};
    At(config, Field::T21).followUps = {Field::T12, Field::T22};
    config.centralHeating = Option(true, 860, 0, true);
    config.hotWater = Option(false, 920, 0, true);
    config.centralHeatingAtOpening = false;
    config.purposeInvalidates = true;
    config.heatingFrame = {"rmGrzejna", {812, 115, 198, 270}};
    config.heatedFrame = {"rmOgrzewana", {812, 395, 198, 290}};
    config.yUp = true;
    return config;
}

PanelConfig CoefficientsByOutletPanelConfig() {
    PanelConfig config;
    const std::tuple<Field, Rows> rows[] = {
        {Field::Q, {2.8, 2.8, 4}},        {Field::Dp1, {5, 5, 6.2}},
        {Field::T11, {7.2, 7.2, 8.5}},    {Field::Dp2, {10, 10, 11.2}},
        {Field::T21, {12.3, 12.3, 13.5}}, {Field::T22, {14.5, 14.5, 15.8}}};
    for (auto [f, r] : rows) {
        FieldConfig c = BaseField(f);
        Place(c, r, 820, {120, 45}, 960, {45, 35});
        config.fields.push_back(c);
    }
    FieldConfig& q = At(config, Field::Q);
    q.caption = QStringLiteral("wymagana moc cieplna Q");
    q.boxToolTip = QStringLiteral("wartość wymaganej mocy cieplnej Q");
    q.defaultValue = 300;
    At(config, Field::Dp1).caption = QStringLiteral("dopuszczalny opór  Dp1");
    At(config, Field::Dp1).defaultValue = 35;
    At(config, Field::Dp2).caption = QStringLiteral("dopuszczalny opór  Dp2");
    At(config, Field::Dp2).defaultValue = 30;
    At(config, Field::T21).defaultValue = 75;
    config.centralHeating = Option(true, 850, 0, true);
    config.hotWater = Option(false, 930, 0, true);
    config.centralHeatingAtOpening = false;
    config.purposeInvalidates = true;
    config.heatingFrame = {"rmGrzejna", {812, 105, 198, 280}};
    config.heatedFrame = {"rmOgrzewana", {812, 395, 198, 280}};
    config.yUp = true;
    return config;
}

} // namespace panel
