#pragma once

#include "descriptions/PageRenderer.h"

#include <QAbstractScrollArea>

namespace descriptions {

// The rendered pages one below the other, each fitted to the width of the view, scrolled
// vertically by the scroll bar, the wheel and the keys.
class PageView : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit PageView(QWidget* parent = nullptr);

    void SetPages(RenderedPages pages);
    const RenderedPages& Pages() const { return pages_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // The height of page i at the view's width, in pixels.
    int PageHeight(int i) const;
    void UpdateScrollRange();

    RenderedPages pages_;
};

} // namespace descriptions
