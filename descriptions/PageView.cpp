#include "descriptions/PageView.h"

#include <QPainter>
#include <QScrollBar>
#include <cmath>

namespace descriptions {

namespace {
constexpr int kGap = 8; // pixels between pages
}

PageView::PageView(QWidget* parent) : QAbstractScrollArea(parent) {
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn); // the width the pages are rendered for stays
    setFocusPolicy(Qt::StrongFocus);
    QPalette grey = viewport()->palette();
    grey.setColor(QPalette::Base, QColor(128, 128, 128));
    viewport()->setPalette(grey);
}

void PageView::SetPages(RenderedPages pages) {
    pages_ = std::move(pages);
    setAccessibleDescription(pages_.text);
    UpdateScrollRange();
    verticalScrollBar()->setValue(0);
    viewport()->update();
}

int PageView::PageHeight(int i) const {
    const QImage& image = pages_.images[static_cast<std::size_t>(i)];
    return static_cast<int>(
        std::lround(double(image.height()) * viewport()->width() / image.width()));
}

void PageView::UpdateScrollRange() {
    int total = 0;
    for (int i = 0; i < int(pages_.images.size()); ++i)
        total += PageHeight(i) + kGap;
    QScrollBar* bar = verticalScrollBar();
    bar->setRange(0, std::max(0, total - viewport()->height()));
    bar->setPageStep(viewport()->height());
    bar->setSingleStep(std::max(1, viewport()->height() / 20));
}

void PageView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollRange();
}

void PageView::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    int y = -verticalScrollBar()->value();
    for (int i = 0; i < int(pages_.images.size()) && y < viewport()->height(); ++i) {
        const int height = PageHeight(i);
        const QRect page(0, y, viewport()->width(), height);
        if (y + height > 0) { // a page is white where the document leaves it transparent
            painter.fillRect(page, Qt::white);
            painter.drawImage(page, pages_.images[static_cast<std::size_t>(i)]);
        }
        y += height + kGap;
    }
}

} // namespace descriptions
