#include "app/game_view.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "game/game.h"
namespace nobakuza {

GameView::GameView(Canvas& canvas, QWidget* parent) : QWidget(parent), canvas_(canvas) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent, true);
    setMinimumSize(static_cast<int>(logicalWidth / 2), static_cast<int>(logicalHeight / 2));
}

QSize GameView::sizeHint() const {
    return QSize(static_cast<int>(std::ceil(logicalWidth)),
                 static_cast<int>(std::ceil(logicalHeight)));
}

QRectF GameView::imageRect() const {
    const double fit = std::min(width() / logicalWidth, height() / logicalHeight);
    const double w = logicalWidth * fit;
    const double h = logicalHeight * fit;
    return QRectF((width() - w) / 2, (height() - h) / 2, w, h);
}

QPointF GameView::toTwips(QPointF widgetPoint) const {
    const QRectF r = imageRect();
    return QPointF((widgetPoint.x() - r.left()) * windowWidth / r.width(),
                   (widgetPoint.y() - r.top()) * windowHeight / r.height());
}

void GameView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRectF target = imageRect();
    // The margins that keep the picture's proportions take the colour of the picture's corner,
    // so an enlarged window shows no bars.
    const QImage& img = canvas_.image();
    p.fillRect(rect(), img.isNull() ? QColor(Qt::black) : img.pixelColor(0, 0));
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
    p.drawImage(target, img,
                QRectF(0, 0, canvas_.toPixels(windowWidth), canvas_.toPixels(windowHeight)));
    if (!painted_) {
        painted_ = true;
        if (onFirstPaint) onFirstPaint();
    }
}

void GameView::resizeEvent(QResizeEvent*) {
    if (onResized) onResized();
}

void GameView::mousePressEvent(QMouseEvent* event) {
    int button = 0;
    if (event->button() == Qt::LeftButton) button = leftButton;
    if (event->button() == Qt::RightButton) button = rightButton;
    if (button == 0 || !onMouseDown) return;
    const QPointF t = toTwips(event->position());
    onMouseDown(button, t.x(), t.y());
}

}  // namespace nobakuza
