// The view of the canvas: the picture scaled to the widget, keeping its proportions.
#pragma once

#include <QWidget>
#include <functional>

#include "app/canvas.h"
#include "ui/layout.h"

namespace nobakuza {

// The window at 96 dots per inch, in pixels.
constexpr double logicalWidth = double(windowWidth) / twipsPerPixel;
constexpr double logicalHeight = double(windowHeight) / twipsPerPixel;

// Shows the canvas scaled to the widget, keeping its proportions, and reports mouse presses in
// twips.
class GameView final : public QWidget {
  public:
    explicit GameView(Canvas& canvas, QWidget* parent = nullptr);

    QSize sizeHint() const override;
    // Where the image is shown inside the widget.
    QRectF imageRect() const;
    QPointF toTwips(QPointF widgetPoint) const;

    std::function<void(int button, double x, double y)> onMouseDown;
    std::function<void()> onFirstPaint;
    std::function<void()> onResized;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    Canvas& canvas_;
    bool painted_ = false;
};

}  // namespace nobakuza
