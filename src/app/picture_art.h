#pragma once
#include <QImage>
#include <QPainter>
#include <QRectF>

#include "board/board_model.h"

namespace nobakuza::art {
void drawPiece(QPainter& p, const QRectF& cell, Code code);             // code 0: the empty square
void drawPieceOnSquare(QPainter& p, const QRectF& cell, Code code);     // the square already drawn
void drawBackground(QPainter& p, const QRectF& area, int pictureCode);  // 2 green .. 6 brick
void drawTitle(QPainter& p, const QRectF& area);  // the title picture (code 1)
QImage renderIcon(int sizePx);
}  // namespace nobakuza::art
