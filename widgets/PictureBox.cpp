#include "widgets/PictureBox.h"

#include <QFontMetricsF>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include <cmath>

namespace widgets {

namespace {
PictureBox::Op MakeOp(PictureBox::Op::Kind kind, const QColor& color, double width) {
    PictureBox::Op op{};
    op.kind = kind;
    op.color = color;
    op.width = width;
    return op;
}
} // namespace

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureBox::SetScale(double left, double right, double bottom, double top) {
    if (left == right || bottom == top)
        return; // an empty scale cannot map anything
    left_ = left;
    right_ = right;
    bottom_ = bottom;
    top_ = top;
    update();
}

void PictureBox::Line(QPointF from, QPointF to, const QColor& color, double width,
                      Qt::PenStyle style) {
    Op op = MakeOp(Op::LineOp, color, width);
    op.a = from;
    op.b = to;
    op.style = style;
    ops_.push_back(op);
    update();
}

void PictureBox::FillRect(const QRectF& rect, const QColor& color) {
    Op op = MakeOp(Op::FillRectOp, color, 1);
    op.a = rect.topLeft();
    op.b = rect.bottomRight();
    ops_.push_back(op);
    update();
}

void PictureBox::Text(QPointF pos, const QString& text, double pointSize, const QColor& color) {
    Op op = MakeOp(Op::TextOp, color, pointSize);
    op.a = op.b = pos;
    op.text = text;
    op.fontName = fontName_;
    op.bold = bold_;
    ops_.push_back(op);
    update();
}

void PictureBox::FittedText(QPointF pos, const QString& text, double pointSize, const QColor& color,
                            double width) {
    Text(pos, text, pointSize, color);
    ops_.back().b = pos + QPointF(width, 0);
}

void PictureBox::Clear() {
    ops_.clear();
    update();
}

void PictureBox::SetFont(const QString& family, bool bold) {
    fontName_ = family;
    bold_ = bold;
}

void PictureBox::SetBackground(const QColor& color) {
    background_ = color;
    update();
}

int PictureBox::AddLineObject(const QColor& color, double width) {
    lineObjects_.push_back(MakeOp(Op::LineOp, color, width));
    lineVisible_.push_back(true);
    update();
    return static_cast<int>(lineObjects_.size()) - 1;
}

void PictureBox::MoveLineObject(int handle, QPointF from, QPointF to) {
    if (handle < 0 || handle >= static_cast<int>(lineObjects_.size()))
        return;
    lineObjects_[handle].a = from;
    lineObjects_[handle].b = to;
    update();
}

void PictureBox::SetLineObjectVisible(int handle, bool visible) {
    if (handle < 0 || handle >= static_cast<int>(lineVisible_.size()))
        return;
    lineVisible_[handle] = visible;
    update();
}

const PictureBox::Op& PictureBox::LineObject(int handle) const {
    static const Op none = [] {
        Op op = MakeOp(Op::LineOp, QColor(), 0);
        op.style = Qt::NoPen;
        return op;
    }();
    if (handle < 0 || handle >= static_cast<int>(lineObjects_.size()))
        return none;
    return lineObjects_[handle];
}

bool PictureBox::IsLineObjectVisible(int handle) const {
    if (handle < 0 || handle >= static_cast<int>(lineVisible_.size()))
        return false;
    return lineVisible_[handle];
}

QPointF PictureBox::ToUser(QPointF pixel) const {
    const double w = width() > 0 ? width() : 1;
    const double h = height() > 0 ? height() : 1;
    return {left_ + pixel.x() / w * (right_ - left_), top_ + pixel.y() / h * (bottom_ - top_)};
}

QPointF PictureBox::ToPixel(QPointF user) const {
    return Map(user, size());
}

QPointF PictureBox::Map(QPointF user, QSizeF size) const {
    return {(user.x() - left_) / (right_ - left_) * size.width(),
            (user.y() - top_) / (bottom_ - top_) * size.height()};
}

void PictureBox::Render(QPainter& painter, QSizeF size) const {
    painter.fillRect(QRectF(QPointF(0, 0), size), background_);
    auto drawLine = [&](const Op& op) {
        QPen pen(op.color, op.width, op.style);
        painter.setPen(pen);
        painter.drawLine(Map(op.a, size), Map(op.b, size));
    };
    for (const Op& op : ops_) {
        switch (op.kind) {
        case Op::LineOp:
            drawLine(op);
            break;
        case Op::FillRectOp:
            painter.fillRect(QRectF(Map(op.a, size), Map(op.b, size)).normalized(), op.color);
            break;
        case Op::TextOp: {
            QFont font = this->font();
            if (!op.fontName.isEmpty())
                font.setFamilies({op.fontName});
            font.setBold(op.bold);
            if (op.width > 0)
                font.setPointSizeF(op.width);
            const double room = std::abs(Map(op.b, size).x() - Map(op.a, size).x());
            const double wide = QFontMetricsF(font, painter.device()).horizontalAdvance(op.text);
            if (op.b != op.a && wide > room && room > 0)
                font.setPointSizeF(font.pointSizeF() * room / wide);
            painter.setFont(font);
            painter.setPen(op.color);
            const QPointF at = Map(op.a, size);
            painter.drawText(QRectF(at, size + QSizeF(1e4, 1e4)),
                             Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, op.text);
            break;
        }
        }
    }
    for (size_t i = 0; i < lineObjects_.size(); ++i) {
        if (lineVisible_[i])
            drawLine(lineObjects_[i]);
    }
}

void PictureBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // The focus is shown around the picture (FocusRing), never over it: the colours stay.
    Render(painter, size());
}

void PictureBox::mouseMoveEvent(QMouseEvent* event) {
    emit mouseMoved(ToUser(event->position()));
    QWidget::mouseMoveEvent(event);
}

void PictureBox::mousePressEvent(QMouseEvent* event) {
    emit mousePressed(ToUser(event->position()), event->button());
    QWidget::mousePressEvent(event);
}

} // namespace widgets
