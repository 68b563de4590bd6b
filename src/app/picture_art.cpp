#include "app/picture_art.h"

namespace nobakuza::art {

void drawPiece(QPainter& p, const QRectF& cell, Code code) {
    p.fillRect(cell, code == 0 ? QColor(222, 184, 120) : QColor(236, 200, 140));
}

void drawBackground(QPainter& p, const QRectF& area, int pictureCode) {
    static const QColor colours[] = {QColor(30, 110, 60), QColor(190, 180, 110),
                                     QColor(120, 160, 70), QColor(10, 10, 40), QColor(150, 60, 40)};
    const int i = pictureCode >= 2 && pictureCode <= 6 ? pictureCode - 2 : 0;
    p.fillRect(area, colours[i]);
}

void drawTitle(QPainter& p, const QRectF& area) {
    p.fillRect(area, QColor(40, 20, 10));
    p.setPen(QColor(240, 220, 180));
    p.drawText(area, Qt::AlignCenter, QStringLiteral("Nobakuza"));
}

QImage renderIcon(int sizePx) {
    QImage img(sizePx, sizePx, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    drawPiece(p, QRectF(0, 0, sizePx, sizePx), -950);
    return img;
}

}  // namespace nobakuza::art
