#pragma once

#include "widgets/Canvas.h"

#include <QPageSize>
#include <QString>
#include <exception>
#include <memory>
#include <stdexcept>

class QWidget;

namespace widgets {

// Any failure of a print job; the caller shows "Wystąpił błąd drukowania".
class PrintError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

inline const char* const kPrintErrorText = "Wystąpił błąd drukowania";

// "Wystąpił błąd drukowania", with the reason (the PrintError's text) in the detail line.
void ShowPrintError(QWidget* parent, const std::exception& error);

// A printer the user chose for a page, as the print dialog gives it.
struct PrinterChoice {
    QString printer; // CUPS destination, "name/instance" for an instance; empty: the default
    int copies = 1;
    QPageSize paper;    // invalid: the printer's own paper
    QString pageRanges; // e.g. "1-1"; empty: every page
};

// One printed page in the legacy printer model: font switches that stay in force, a print position,
// text at tab columns counted in average character widths of the current font, and lines in a
// user scale. Nothing reaches the printer before EndDoc, which submits exactly one page, as a PDF
// document, to the print system's default printer or the one chosen. Every call may throw
// PrintError.
//
// The page is the printer's paper (or the chosen one), portrait, inside the printer's default
// margins; for a PDF file, A4 with 10 mm margins. Until SetScale is called, positions are in twips
// from the top-left corner of the printable area, y down; afterwards in the user scale, y up.
// Changing the scale keeps the print position where it is on the paper. Text is placed with its
// top-left corner at the print position; a line is the current font's line spacing high. The
// default font is "Times New Roman CE", 10 points.
class PrintPage : public Canvas {
public:
    // Throws PrintError when no print system answers or it has no default printer.
    PrintPage();
    // A page for the chosen printer, on its paper, with its copies and page range.
    explicit PrintPage(const PrinterChoice& choice);
    // A page for a PDF file the user named: no printer is needed and RedirectToPdf does not apply.
    // EndDoc writes the file whole, or leaves what was there.
    explicit PrintPage(const QString& pdfFile);
    ~PrintPage() override;
    PrintPage(const PrintPage&) = delete;
    PrintPage& operator=(const PrintPage&) = delete;

    void SetFontName(const QString& name);
    void SetFontSize(double points);
    void SetBold(bool on);
    void SetItalic(bool on);
    void SetUnderline(bool on);
    void SetStrikethrough(bool on);

    // Text at tab column `tab` (1-based; 0 = at the print position). Column n starts (n − 1)
    // average character widths from the left edge. A tab left of the print position moves to the
    // next line first. Without lineEnd the position stays right after the text; with it, the
    // position moves to the start of the next line. Line breaks inside the text continue at the
    // left edge.
    void Print(const QString& text, int tab = 0, bool lineEnd = true);
    void NewLine(int count = 1);

    // Extents in the current scale: the width of a text and the height of a line, in the current
    // font.
    double TextWidth(const QString& text) const;
    double TextHeight() const;

    // The user scale for positions and lines: width × height with y up (default 1000 × 1400).
    void SetScale(double width = 1000, double height = 1400);
    double CurrentX() const;
    double CurrentY() const;
    void SetCurrentX(double x);
    void SetCurrentY(double y);

    // Lines and rectangles in the current scale; a line width of n is n × 1/96 inch, as on the
    // screen. Text draws in the current font at the given size and leaves the print position alone.
    void Line(QPointF from, QPointF to, const QColor& color, double width = 1,
              Qt::PenStyle style = Qt::SolidLine) override;
    void FillRect(const QRectF& rect, const QColor& color) override;
    void Text(QPointF pos, const QString& text, double pointSize, const QColor& color) override;

    // Ends this page and starts the next one of the same document, with the print position, scale
    // and font back at their defaults. EndDoc then sends every page as one document.
    void NewPage();

    // Sends the page. Throws PrintError, with the print system's reason, unless it accepted the
    // job; the page is then not sent. Later calls send nothing more.
    void EndDoc();

    // How many documents were sent to the printer (or its test redirection) since the program
    // started.
    static int SentCount();

    // Where pages go instead of the printer, for tests: a PDF file, or a missing printer.
    static void RedirectToPdf(const QString& pdfPath); // empty: back to the default printer
    static void SimulateMissingPrinter(bool missing);

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

} // namespace widgets
