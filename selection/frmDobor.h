#pragma once

#include <QDialog>
#include <vector>

class QTableWidget;

namespace widgets {
class LogicalLayout;
class PictureButton;
struct PageTarget;
} // namespace widgets

namespace panel {
class OperatingPointPanel;
}
namespace selection {
struct SelectionResult;
struct PrintoutInput;
} // namespace selection

// The exchanger selection window: the operating-point panel, the result grid of the four models
// (copied as text or saved as CSV) and the printout (or its PDF). Modal; closing it emits
// finished().
class frmDobor : public QDialog {
    Q_OBJECT
public:
    explicit frmDobor(QWidget* parent = nullptr);
    ~frmDobor() override;

    // The selection for the panel's values, written into the grid and to raport.txt.
    void NoweOblicz();

    panel::OperatingPointPanel* Panel() const { return panel_; }
    QTableWidget* Grid() const { return fgDobor_; }
    bool CzyWyczyszczone() const;

    void cmdLicz_Click();
    void cmdDruk_Click();
    void cmdExit_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void PrepareGrid();
    void ResizeColumns();
    std::vector<int> RowHeights(const QFont& font, int& captionLines) const;
    void ClearResults();
    void FillGrid(const selection::SelectionResult& run);
    void SetCell(int row, int column, const QString& text);
    void PrintTo(const widgets::PageTarget& target);
    selection::PrintoutInput PrintoutValues() const;
    void SaveReport();

    double gridPoints_ = 0; // the grid's design font size
    widgets::LogicalLayout* layout_ = nullptr;
    QTableWidget* fgDobor_ = nullptr;
    panel::OperatingPointPanel* panel_ = nullptr;
    widgets::PictureButton* cmdLicz_ = nullptr;
    widgets::PictureButton* cmdDruk_ = nullptr;
    widgets::PictureButton* cmdExit_ = nullptr;
};
