#include "widgets/PrintPage.h"

#include "widgets/Environment.h"
#include "widgets/LogicalLayout.h"
#include "widgets/MessageBox.h"
#include "widgets/SaveFile.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QImage>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <cmath>
#include <cups/cups.h>
#include <variant>
#include <vector>

namespace widgets {

namespace {

// The page is laid out in points (1/72 inch) from the top-left corner of the printable area.
constexpr double kPointsPerInch = 72.0;
constexpr double kTwipsPerPoint = kTwipsPerInch / kPointsPerInch;
// Fonts are measured at this resolution, close to how they print.
constexpr int kMeasureDpi = 1200;
// Line widths count in screen pixels of 1/96 inch, so a chart keeps its look on paper.
constexpr double kPointsPerWidthUnit = kPointsPerInch / 96.0;
// The page used when printing to a PDF file.
const QMarginsF kPdfMarginsMm(10, 10, 10, 10);

QString& PdfTarget() {
    static QString path;
    return path;
}

bool& MissingPrinter() {
    static bool missing = false;
    return missing;
}

const QPaintDevice* MeasureDevice() {
    static const QImage device = [] {
        QImage image(1, 1, QImage::Format_RGB32);
        const int dotsPerMeter = static_cast<int>(std::lround(kMeasureDpi / 0.0254));
        image.setDotsPerMeterX(dotsPerMeter);
        image.setDotsPerMeterY(dotsPerMeter);
        return image;
    }();
    return &device;
}

// The average character width of a font in the classic sense: the widths of the lower-case letters
// and the blank weighted by their frequency in English text. This is the value the
// metric-compatible originals of the substituted fonts carry, so tab columns keep their width on
// the page.
double AverageCharWidth(const QFontMetricsF& metrics) {
    static constexpr int kWeights[26] = {64, 14, 27, 35, 100, 20, 14, 42, 63, 3,  6, 35, 20,
                                         56, 56, 17, 4,  49,  56, 71, 31, 10, 18, 3, 18, 2};
    constexpr int kSpaceWeight = 166;
    double sum = kSpaceWeight * metrics.horizontalAdvance(QLatin1Char(' '));
    for (int i = 0; i < 26; ++i)
        sum += kWeights[i] * metrics.horizontalAdvance(QLatin1Char(static_cast<char>('a' + i)));
    const double average = sum / 1000.0;
    return average > 0 ? average : metrics.averageCharWidth();
}

void Check(bool ok, const char* what) {
    if (!ok)
        throw PrintError(what);
}

void Check(bool ok, const QString& what) {
    if (!ok)
        throw PrintError(what.toStdString());
}

int& SentDocuments() {
    static int count = 0;
    return count;
}

void CheckFinite(double v) {
    Check(std::isfinite(v), "Niepoprawna współrzędna wydruku");
}

struct TextOp {
    QFont font;
    QPointF topLeft; // points
    QString text;
    QColor color;
};
struct LineOp {
    QPointF from, to; // points
    QColor color;
    double width; // points
    Qt::PenStyle style;
};
struct FillOp {
    QRectF rect; // points
    QColor color;
};
using Op = std::variant<TextOp, LineOp, FillOp>;

// Dash patterns of a fixed physical length, in points, whatever the width.
QVector<qreal> DashPattern(Qt::PenStyle style, double widthPoints) {
    QVector<qreal> pattern;
    switch (style) {
    case Qt::DashLine:
        pattern = {4, 2};
        break;
    case Qt::DotLine:
        pattern = {1, 2};
        break;
    case Qt::DashDotLine:
        pattern = {4, 2, 1, 2};
        break;
    case Qt::DashDotDotLine:
        pattern = {4, 2, 1, 2, 1, 2};
        break;
    default:
        return pattern;
    }
    for (qreal& v : pattern)
        v /= widthPoints;
    return pattern;
}

// The print system's scheduler; throws when none answers.
struct Scheduler {
    http_t* http;
    Scheduler()
        : http(httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1, 5000,
                            nullptr)) {
        Check(http != nullptr, QStringLiteral("Usługa drukowania systemu (CUPS) nie działa: brak "
                                              "połączenia z %1.")
                                   .arg(QString::fromLocal8Bit(cupsServer())));
    }
    ~Scheduler() { httpClose(http); }
    Scheduler(const Scheduler&) = delete;
    Scheduler& operator=(const Scheduler&) = delete;
};

QString DefaultPrinter() {
    const Scheduler scheduler;
    cups_dest_t* dest = cupsGetNamedDest(scheduler.http, nullptr, nullptr);
    Check(dest != nullptr, "W systemie nie ustawiono drukarki domyślnej.");
    const QString name = QString::fromUtf8(dest->name);
    cupsFreeDests(1, dest);
    return name;
}

// Sends the document as one job with the chosen copies and pages; the page counts as
// printed only once the scheduler took it.
void Submit(const PrinterChoice& choice, const QByteArray& pdf) {
    const Scheduler scheduler;
    const QString& printer = choice.printer;
    const QByteArray name = printer.section(QLatin1Char('/'), 0, 0).toUtf8();
    const QByteArray instance = printer.section(QLatin1Char('/'), 1).toUtf8();
    const auto refused = [&printer] {
        return QStringLiteral("Drukarka „%1” nie przyjęła zadania: %2")
            .arg(printer, QString::fromUtf8(cupsLastErrorString()));
    };
    cups_dest_t* dest = cupsGetNamedDest(scheduler.http, name.constData(),
                                         instance.isEmpty() ? nullptr : instance.constData());
    int count = 0;
    cups_option_t* options = nullptr;
    for (int i = 0; dest && i < dest->num_options; ++i)
        count = cupsAddOption(dest->options[i].name, dest->options[i].value, count, &options);
    cupsFreeDests(dest ? 1 : 0, dest);
    if (choice.copies > 1)
        count = cupsAddIntegerOption("copies", choice.copies, count, &options);
    if (!choice.pageRanges.isEmpty())
        count =
            cupsAddOption("page-ranges", choice.pageRanges.toLatin1().constData(), count, &options);
    const int job = cupsCreateJob(scheduler.http, name.constData(), "varmi", count, options);
    cupsFreeOptions(count, options);
    Check(job > 0, refused());
    const bool sent = cupsStartDocument(scheduler.http, name.constData(), job, "varmi",
                                        CUPS_FORMAT_PDF, 1) == HTTP_STATUS_CONTINUE &&
                      cupsWriteRequestData(scheduler.http, pdf.constData(),
                                           static_cast<size_t>(pdf.size())) == HTTP_STATUS_CONTINUE;
    if (cupsFinishDocument(scheduler.http, name.constData()) != IPP_STATUS_OK || !sent) {
        const QString reason = refused();
        cupsCancelJob2(scheduler.http, name.constData(), job, 0);
        throw PrintError(reason.toStdString());
    }
}

} // namespace

struct PrintPage::Impl {
    PrinterChoice printer; // no printer name when the page goes to a PDF file
    QString pdfPath;
    bool userFile = false; // the PDF file is the user's, not the printer's redirection
    QPageLayout layout;
    QSizeF area; // printable area, points

    QFont font;
    double x = 0, y = 0; // print position, points
    bool userScale = false;
    double scaleW = 1000, scaleH = 1400;

    std::vector<Op> ops;
    std::vector<std::size_t> pageStarts; // the first op of each page after the first
    bool sent = false;

    QFontMetricsF Metrics() const { return QFontMetricsF(font, MeasureDevice()); }
    double ToPoints(double measured) const { return measured * kPointsPerInch / kMeasureDpi; }
    double LineHeight() const { return ToPoints(Metrics().lineSpacing()); }
    double ColumnWidth() const { return ToPoints(AverageCharWidth(Metrics())); }

    void NextLine() {
        x = 0;
        y += LineHeight();
    }

    QPointF ToPage(QPointF user) const {
        CheckFinite(user.x());
        CheckFinite(user.y());
        if (!userScale)
            return user / kTwipsPerPoint;
        return {user.x() / scaleW * area.width(), (scaleH - user.y()) / scaleH * area.height()};
    }
    double XToUser(double px) const {
        return userScale ? px / area.width() * scaleW : px * kTwipsPerPoint;
    }
    double YToUser(double py) const {
        return userScale ? scaleH - py / area.height() * scaleH : py * kTwipsPerPoint;
    }

    void Replay(QPainter& painter, QPagedPaintDevice& device, double dpi) const;
    QByteArray Pdf() const;
    void UsePdf(const QString& path);
    void SetDefaults();
};

void PrintPage::Impl::UsePdf(const QString& path) {
    pdfPath = path;
    layout = QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, kPdfMarginsMm,
                         QPageLayout::Millimeter);
}

void PrintPage::Impl::SetDefaults() {
    area = layout.paintRect(QPageLayout::Point).size();
    Check(area.width() > 0 && area.height() > 0, "Pusty obszar wydruku");
    font = QFont(QStringLiteral("Times New Roman CE"));
    font.setPointSizeF(10);
}

void PrintPage::Impl::Replay(QPainter& painter, QPagedPaintDevice& device, double dpi) const {
    const double k = dpi / kPointsPerInch;
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    auto nextPage = pageStarts.begin();
    for (std::size_t i = 0; i < ops.size() || nextPage != pageStarts.end(); ++i) {
        for (; nextPage != pageStarts.end() && *nextPage == i; ++nextPage)
            Check(device.newPage(), "Nie można rozpocząć kolejnej strony");
        if (i >= ops.size())
            break;
        const Op& op = ops[i];
        if (const auto* t = std::get_if<TextOp>(&op)) {
            painter.setFont(t->font);
            painter.setPen(t->color);
            const double ascent = QFontMetricsF(t->font, painter.device()).ascent();
            painter.drawText(QPointF(t->topLeft.x() * k, t->topLeft.y() * k + ascent), t->text);
        } else if (const auto* l = std::get_if<LineOp>(&op)) {
            QPen pen(l->color, l->width * k, Qt::SolidLine, Qt::FlatCap);
            if (l->style == Qt::NoPen)
                continue;
            const QVector<qreal> dashes = DashPattern(l->style, l->width);
            if (!dashes.isEmpty())
                pen.setDashPattern(dashes);
            painter.setPen(pen);
            painter.drawLine(l->from * k, l->to * k);
        } else if (const auto* f = std::get_if<FillOp>(&op)) {
            painter.fillRect(QRectF(f->rect.topLeft() * k, f->rect.bottomRight() * k), f->color);
        }
    }
}

PrintPage::PrintPage() : PrintPage(PrinterChoice{}) {}

PrintPage::PrintPage(const PrinterChoice& choice) : d(std::make_unique<Impl>()) {
    const bool chosen = !choice.printer.isEmpty();
    Check(chosen || !MissingPrinter(), "W systemie nie ustawiono drukarki domyślnej.");
    InstallFontSubstitutions();
    if (!PdfTarget().isEmpty()) {
        d->UsePdf(PdfTarget());
    } else {
        d->printer = choice;
        if (!chosen)
            d->printer.printer = DefaultPrinter();
        QPrinter printer(QPrinter::HighResolution);
        printer.setPrinterName(d->printer.printer);
        // The printer's own paper unless one was chosen; the reports are portrait pages.
        printer.setPageOrientation(QPageLayout::Portrait);
        Check(printer.isValid(), (chosen ? QStringLiteral("Drukarka „%1” jest niedostępna.")
                                         : QStringLiteral("Drukarka domyślna „%1” jest "
                                                          "niedostępna."))
                                     .arg(d->printer.printer));
        d->layout = printer.pageLayout();
        if (choice.paper.isValid())
            d->layout.setPageSize(choice.paper);
    }
    d->SetDefaults();
}

PrintPage::PrintPage(const QString& pdfFile) : d(std::make_unique<Impl>()) {
    Check(!pdfFile.isEmpty(), "Brak nazwy pliku PDF");
    InstallFontSubstitutions();
    d->UsePdf(pdfFile);
    d->userFile = true;
    d->SetDefaults();
}

PrintPage::~PrintPage() = default;

void PrintPage::SetFontName(const QString& name) {
    if (!name.trimmed().isEmpty())
        d->font.setFamilies({name});
}

void PrintPage::SetFontSize(double points) {
    Check(std::isfinite(points) && points > 0 && points < 1000, "Niepoprawny rozmiar czcionki");
    d->font.setPointSizeF(points);
}

void PrintPage::SetBold(bool on) {
    d->font.setBold(on);
}
void PrintPage::SetItalic(bool on) {
    d->font.setItalic(on);
}
void PrintPage::SetUnderline(bool on) {
    d->font.setUnderline(on);
}
void PrintPage::SetStrikethrough(bool on) {
    d->font.setStrikeOut(on);
}

void PrintPage::Print(const QString& text, int tab, bool lineEnd) {
    if (tab >= 1) {
        const double column = (tab - 1) * d->ColumnWidth();
        if (column < d->x - 1e-6)
            d->NextLine();
        d->x = column;
    }
    QString normalised = text;
    normalised.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    normalised.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    const QStringList parts = normalised.split(QLatin1Char('\n'));
    const QFontMetricsF metrics = d->Metrics();
    for (qsizetype i = 0; i < parts.size(); ++i) {
        if (i > 0)
            d->NextLine();
        if (parts[i].isEmpty())
            continue;
        d->ops.push_back(TextOp{d->font, QPointF(d->x, d->y), parts[i], Qt::black});
        d->x += d->ToPoints(metrics.horizontalAdvance(parts[i]));
    }
    if (lineEnd)
        d->NextLine();
}

void PrintPage::NewLine(int count) {
    for (int i = 0; i < count; ++i)
        d->NextLine();
}

double PrintPage::TextWidth(const QString& text) const {
    const double points = d->ToPoints(d->Metrics().horizontalAdvance(text));
    return d->userScale ? points / d->area.width() * d->scaleW : points * kTwipsPerPoint;
}

double PrintPage::TextHeight() const {
    const double points = d->LineHeight();
    return d->userScale ? points / d->area.height() * d->scaleH : points * kTwipsPerPoint;
}

void PrintPage::SetScale(double width, double height) {
    Check(std::isfinite(width) && std::isfinite(height) && width > 0 && height > 0,
          "Niepoprawna skala wydruku");
    d->userScale = true;
    d->scaleW = width;
    d->scaleH = height;
}

double PrintPage::CurrentX() const {
    return d->XToUser(d->x);
}
double PrintPage::CurrentY() const {
    return d->YToUser(d->y);
}

void PrintPage::SetCurrentX(double x) {
    d->x = d->ToPage(QPointF(x, 0)).x();
}
void PrintPage::SetCurrentY(double y) {
    d->y = d->ToPage(QPointF(0, y)).y();
}

void PrintPage::Line(QPointF from, QPointF to, const QColor& color, double width,
                     Qt::PenStyle style) {
    Check(std::isfinite(width), "Niepoprawna grubość linii");
    const double points = std::max(width, 1.0) * kPointsPerWidthUnit;
    d->ops.push_back(LineOp{d->ToPage(from), d->ToPage(to), color, points, style});
}

void PrintPage::FillRect(const QRectF& rect, const QColor& color) {
    const QRectF page = QRectF(d->ToPage(rect.topLeft()), d->ToPage(rect.bottomRight()));
    d->ops.push_back(FillOp{page.normalized(), color});
}

void PrintPage::Text(QPointF pos, const QString& text, double pointSize, const QColor& color) {
    Check(std::isfinite(pointSize) && pointSize > 0 && pointSize < 1000,
          "Niepoprawny rozmiar czcionki");
    QFont font = d->font;
    font.setPointSizeF(pointSize);
    d->ops.push_back(TextOp{font, d->ToPage(pos), text, color});
}

QByteArray PrintPage::Impl::Pdf() const {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setPageLayout(layout);
    writer.setCreator(QStringLiteral("varmi"));
    QPainter painter;
    Check(painter.begin(&writer), "Nie można rozpocząć wydruku");
    Replay(painter, writer, writer.resolution());
    Check(painter.end(), "Nie można zakończyć strony");
    return bytes;
}

void PrintPage::NewPage() {
    d->pageStarts.push_back(d->ops.size());
    d->x = d->y = 0;
    d->userScale = false;
    d->scaleW = 1000;
    d->scaleH = 1400;
    d->SetDefaults();
}

void PrintPage::EndDoc() {
    if (d->sent)
        return;
    const QByteArray pdf = d->Pdf();
    if (!d->printer.printer.isEmpty()) {
        Submit(d->printer, pdf);
    } else {
        try {
            SaveWhole(d->pdfPath, pdf);
        } catch (const SaveError& e) {
            throw PrintError(e.what());
        }
    }
    d->sent = true;
    if (!d->userFile)
        ++SentDocuments();
}

int PrintPage::SentCount() {
    return SentDocuments();
}

void ShowPrintError(QWidget* parent, const std::exception& error) {
    const bool known = dynamic_cast<const PrintError*>(&error) != nullptr;
    ShowMessage(parent, QString::fromUtf8(kPrintErrorText), QString::fromUtf8(kAppTitle),
                MsgIcon::None,
                known ? QString::fromUtf8(error.what())
                      : QStringLiteral("Nieoczekiwany błąd podczas przygotowania strony."));
}

void PrintPage::RedirectToPdf(const QString& pdfPath) {
    PdfTarget() = pdfPath;
}

void PrintPage::SimulateMissingPrinter(bool missing) {
    MissingPrinter() = missing;
}

} // namespace widgets
