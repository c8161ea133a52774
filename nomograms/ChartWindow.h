#pragma once

#include "nomograms/HydraulicChart.h"

#include <QDialog>
#include <QRectF>
#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;

namespace widgets {
class LogicalLayout;
class PictureBox;
class PictureButton;
} // namespace widgets

namespace nomograms {

// What the nomogram windows share: 95 % of the screen, centred, controls placed in a logical
// 1024 × 768 with y up; the chart picture on the left, read by pressing or dragging with the
// left button alone, or with the keys once Tab has brought the focus there (an arrow moves the
// reading by one chart unit, Page Up and Page Down by ten, Home and End to the edges), and
// saved or copied from its context menu; F1 opens the help; the window closes by its exit button
// or close box only.
class ChartWindow : public QDialog {
    Q_OBJECT
public:
    ChartWindow(const QString& name, const QString& title, QWidget* parent);

    // The reading at the chart abscissa x (the mouse's height is not used).
    virtual void PickFlow(double x) = 0;
    // The chart abscissa of the reading, from which the keys move it; nothing when there is none.
    virtual std::optional<double> ReadingX() const = 0;

protected:
    widgets::LogicalLayout* Layout() const { return layout_; }
    // The chart picture in its place, 0..1000 both ways, texts in Courier New bold, with its
    // context menu proposing files named `fileName`.
    widgets::PictureBox* AddPicture(const QString& name, const QString& accessibleName,
                                    const QString& fileName);
    // Controls at a logical left and top (the upper edge) with their size.
    QLabel* AddLabel(const char* name, const QString& text, QRectF place, const QString& tip = {});
    QLineEdit* AddBox(const char* name, QRectF place, const QString& tip);
    // cmbWymienniki: the four models in the catalogue's order, the first chosen.
    QComboBox* AddModelList(QRectF place);
    // A square picture button on the bottom row (top 80).
    widgets::PictureButton* AddButton(const char* name, const char* icon, const QString& tip,
                                      double left, Qt::FocusPolicy focus);
    // The smallest size at which no fixed-size control crowds another, in the logical 4:3 at
    // least, never above the opening size.
    void SetMinimumSize();
    void OpenHelp();
    // Moves a line object of the chart to the part of `line` inside the chart square, hidden when
    // none of it lies there.
    static void ShowClipped(widgets::PictureBox* picture, int handle, const Segment& line);

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    widgets::LogicalLayout* layout_ = nullptr;
    widgets::PictureBox* picture_ = nullptr;
};

} // namespace nomograms
