// The game's pictures, drawn as vectors so they stay crisp at any size. Every picture is laid out
// in its own pixel grid (28 x 32 for a square or piece, 29 x 33 for a background tile, 105 x 55
// for the title) and scaled to the rectangle it is given.
//
// Background tiles are painted 27 x 32 apart although they are 29 x 33 in size, so neighbours
// overlap. Every tile pattern therefore repeats every 27 units across and 32 units down: the
// strip a tile lays over its neighbour is exactly what the neighbour has there, and the
// background shows no seams. The board square follows the same rule across.

#include "app/picture_art.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainterPath>
#include <QPolygonF>
#include <QRadialGradient>
#include <QTransform>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <numbers>

namespace nobakuza::art {

namespace {

constexpr double pieceW = 28, pieceH = 32;   // piece and empty-square picture
constexpr double tileW = 29, tileH = 33;     // background tile
constexpr double pitchX = 27, pitchY = 32;   // distance between neighbouring cells
constexpr double titleW = 105, titleH = 55;  // title picture

// A fixed hash, so the "random" details are the same in every run and at every size.
double hash01(int a, int b, int c = 0) {
    std::uint32_t h = 2166136261u;
    for (int v : {a, b, c}) {
        h ^= static_cast<std::uint32_t>(v) + 0x9e3779b9u + (h << 6) + (h >> 2);
        h *= 16777619u;
    }
    h ^= h >> 15;
    h *= 0x2c1b3c6du;
    h ^= h >> 12;
    return static_cast<double>(h & 0xffffffu) / 16777216.0;
}

// Maps the picture's own grid onto the rectangle the caller gives.
class Local {
  public:
    Local(QPainter& p, const QRectF& r, double w, double h) : p_(p) {
        p_.save();
        p_.translate(r.topLeft());
        p_.scale(r.width() / w, r.height() / h);
        p_.setRenderHint(QPainter::Antialiasing, true);
        p_.setRenderHint(QPainter::TextAntialiasing, true);
        p_.setRenderHint(QPainter::SmoothPixmapTransform, true);
        p_.setClipRect(QRectF(0, 0, w, h), Qt::IntersectClip);
        p_.setPen(Qt::NoPen);
    }
    ~Local() { p_.restore(); }
    Local(const Local&) = delete;
    Local& operator=(const Local&) = delete;

  private:
    QPainter& p_;
};

QFont brushFont() {
    QFont f;
    f.setFamilies(
        {QStringLiteral("IPAMincho"), QStringLiteral("IPA明朝"), QStringLiteral("IPAPMincho")});
    f.setStyleHint(QFont::Serif);
    f.setPixelSize(100);
    return f;
}

// A glyph or word as an outline, fitted into box (keeping its proportions) and centred there.
QPainterPath fittedText(const QString& text, const QFont& font, const QRectF& box) {
    QPainterPath path;
    path.addText(0, 0, font, text);
    const QRectF b = path.boundingRect();
    if (b.isEmpty()) return path;
    const double s = std::min(box.width() / b.width(), box.height() / b.height());
    QTransform t;
    t.translate(box.center().x(), box.center().y());
    t.scale(s, s);
    t.translate(-b.center().x(), -b.center().y());
    return t.map(path);
}

// --- the board square -----------------------------------------------------------------------

const QColor boardWood(226, 176, 98);

// Kaya with straight grain running down the board; the lines repeat every square across and
// run on unbroken from one square to the next down.
void paintBoardSquare(QPainter& p) {
    p.fillRect(QRectF(0, 0, pieceW, pieceH), boardWood);
    QLinearGradient sheen(0, 0, pitchX, 0);
    sheen.setColorAt(0.0, QColor(255, 230, 170, 30));
    sheen.setColorAt(0.5, QColor(255, 230, 170, 0));
    sheen.setColorAt(1.0, QColor(255, 230, 170, 30));
    p.fillRect(QRectF(0, 0, pieceW, pieceH), sheen);
    for (int i = 0; i < 9; ++i) {
        const double x0 = hash01(i, 7) * pitchX;
        const double width = 0.15 + 0.45 * hash01(i, 8);
        const int alpha = 25 + static_cast<int>(45 * hash01(i, 9));
        const double wave = 0.25 + 0.35 * hash01(i, 10);
        for (double dx : {0.0, pitchX}) {
            QPainterPath line;
            for (int k = 0; k <= 16; ++k) {
                const double y = pieceH * k / 16.0;
                const double x =
                    x0 + dx +
                    wave * std::sin(2 * std::numbers::pi * y / pitchY + 6.0 * hash01(i, 11));
                if (k == 0)
                    line.moveTo(x, y);
                else
                    line.lineTo(x, y);
            }
            p.strokePath(line, QPen(QColor(150, 95, 35, alpha), width));
        }
    }
    // The lacquered grid line; the right-hand and lower lines are the neighbours' first lines.
    QPen grid(QColor(35, 22, 10), 0.7);
    grid.setJoinStyle(Qt::MiterJoin);
    p.setPen(grid);
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0, 0, pitchX, pitchY));
    p.setPen(Qt::NoPen);
}

// --- pieces ---------------------------------------------------------------------------------

struct Face {
    char16_t glyph;
    bool promoted;
    double width, height;  // real sets grade their pieces: the king largest, the pawn smallest
};

bool faceOf(Code code, Face& face) {
    struct Entry {
        int magnitude;
        Face face;
    };
    static constexpr Entry faces[] = {
        {10, {u'歩', false, 20.5, 26.0}},  {11, {u'と', true, 20.5, 26.0}},
        {20, {u'香', false, 21.0, 26.5}},  {21, {u'杏', true, 21.0, 26.5}},
        {30, {u'桂', false, 21.5, 27.0}},  {31, {u'圭', true, 21.5, 27.0}},
        {100, {u'銀', false, 22.5, 28.0}}, {101, {u'全', true, 22.5, 28.0}},
        {110, {u'金', false, 22.5, 28.0}}, {800, {u'角', false, 23.5, 29.0}},
        {801, {u'馬', true, 23.5, 29.0}},  {900, {u'飛', false, 23.5, 29.0}},
        {901, {u'龍', true, 23.5, 29.0}},  {950, {u'王', false, 24.5, 30.0}},
    };
    // Anything else, the gold alias included, has no picture.
    for (const Entry& e : faces) {
        if (e.magnitude == std::abs(code)) {
            face = e.face;
            return true;
        }
    }
    return false;
}

// The pentagon of an upright piece, point up, centred on c.
QPolygonF pentagon(QPointF c, double w, double h) {
    const double top = c.y() - h / 2, bottom = c.y() + h / 2;
    const double shoulderY = top + 0.26 * h;
    return QPolygonF({QPointF(c.x(), top), QPointF(c.x() + 0.41 * w, shoulderY),
                      QPointF(c.x() + 0.5 * w, bottom), QPointF(c.x() - 0.5 * w, bottom),
                      QPointF(c.x() - 0.41 * w, shoulderY)});
}

// The boxwood face of an upright piece: the wood, a few fine grain lines and bevelled edges.
void paintWood(QPainter& p, const QPolygonF& up, double h, int grainSeed) {
    const QRectF box = up.boundingRect();
    QLinearGradient wood(box.left(), 0, box.right(), 0);
    wood.setColorAt(0.0, QColor(221, 183, 118));
    wood.setColorAt(0.35, QColor(246, 220, 163));
    wood.setColorAt(0.65, QColor(242, 212, 150));
    wood.setColorAt(1.0, QColor(214, 172, 104));
    p.setBrush(wood);
    p.drawPolygon(up);

    // The grain, clipped to the face.
    QPainterPath clip;
    clip.addPolygon(up);
    p.save();
    p.setClipPath(clip, Qt::IntersectClip);
    for (int i = 0; i < 6; ++i) {
        const double x = box.left() + box.width() * (0.08 + 0.84 * hash01(grainSeed, i, 1));
        const double bend = (hash01(grainSeed, i, 2) - 0.5) * 2.0;
        QPainterPath g;
        g.moveTo(x, box.top());
        g.cubicTo(x + bend, box.top() + h * 0.35, x - bend, box.top() + h * 0.7, x + 0.5 * bend,
                  box.bottom());
        p.strokePath(
            g,
            QPen(QColor(170, 120, 60, 30 + static_cast<int>(30 * hash01(grainSeed, i, 3))), 0.3));
    }
    // Rounded, bevelled edges: light along the top, shade toward the base.
    QLinearGradient bevel(0, box.top(), 0, box.bottom());
    bevel.setColorAt(0.0, QColor(255, 250, 225, 70));
    bevel.setColorAt(0.3, QColor(255, 250, 225, 0));
    bevel.setColorAt(0.85, QColor(90, 50, 10, 0));
    bevel.setColorAt(1.0, QColor(90, 50, 10, 55));
    p.setBrush(bevel);
    p.drawPolygon(up);
    p.restore();

    QPen edge(QColor(112, 72, 30), 0.55);
    edge.setJoinStyle(Qt::RoundJoin);
    p.setPen(edge);
    p.setBrush(Qt::NoBrush);
    p.drawPolygon(up);
    p.setPen(Qt::NoPen);
}

// A boxwood piece with its kanji. turned: the computer's piece, pointing at the human.
void paintPiece(QPainter& p, QPointF centre, const Face& face, bool turned, int grainSeed) {
    const double w = face.width, h = face.height;
    QTransform turn;
    if (turned) {
        turn.translate(centre.x(), centre.y());
        turn.rotate(180);
        turn.translate(-centre.x(), -centre.y());
    }
    const QPolygonF body = turn.map(pentagon(centre, w, h));

    // The light falls from the upper left whichever way the piece points.
    p.setBrush(QColor(40, 20, 0, 80));
    p.drawPolygon(body.translated(0.7, 0.9));
    p.setBrush(QColor(40, 20, 0, 40));
    p.drawPolygon(body.translated(1.1, 1.4));

    p.save();
    p.setTransform(turn, true);
    const QPolygonF up = pentagon(centre, w, h);
    paintWood(p, up, h, grainSeed);

    // The kanji sits in the body below the shoulders, as carved and lacquered.
    const QRectF box = up.boundingRect();
    const QRectF glyphBox(centre.x() - 0.36 * w, box.top() + 0.29 * h, 0.72 * w, 0.62 * h);
    const QPainterPath glyph = fittedText(QString(QChar(face.glyph)), brushFont(), glyphBox);
    const QColor ink = face.promoted ? QColor(196, 18, 14) : QColor(22, 14, 8);
    // A faint cut edge under the lacquer, then the ink, thickened a little like a brush stroke.
    p.fillPath(glyph.translated(0.25, 0.3), QColor(255, 240, 200, 120));
    QPen stroke(ink, 0.5);
    stroke.setJoinStyle(Qt::RoundJoin);
    p.strokePath(glyph, stroke);
    p.fillPath(glyph, ink);
    p.restore();
}

// --- backgrounds ----------------------------------------------------------------------------

// Draws a periodic element at every copy that can reach into the tile.
template <typename Draw>
void tiled(double x, double y, double reach, Draw draw) {
    for (double dx : {-pitchX, 0.0, pitchX}) {
        for (double dy : {-pitchY, 0.0, pitchY}) {
            const double cx = x + dx, cy = y + dy;
            if (cx + reach < 0 || cx - reach > tileW || cy + reach < 0 || cy - reach > tileH)
                continue;
            draw(cx, cy);
        }
    }
}

void paintFelt(QPainter& p) {
    p.fillRect(QRectF(0, 0, tileW, tileH), QColor(32, 116, 64));
    // Short fibres lying every which way, lighter and darker than the cloth.
    for (int i = 0; i < 140; ++i) {
        const double x = hash01(i, 1, 2) * pitchX, y = hash01(i, 2, 2) * pitchY;
        const double a = hash01(i, 3, 2) * std::numbers::pi, len = 0.6 + 1.2 * hash01(i, 4, 2);
        const bool light = hash01(i, 5, 2) < 0.5;
        const QColor c = light ? QColor(90, 175, 110, 70) : QColor(5, 55, 25, 70);
        tiled(x, y, len, [&](double cx, double cy) {
            p.setPen(QPen(c, 0.35, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(cx, cy), QPointF(cx + len * std::cos(a), cy + len * std::sin(a)));
        });
    }
    p.setPen(Qt::NoPen);
}

void paintTatami(QPainter& p) {
    p.fillRect(QRectF(0, 0, tileW, tileH), QColor(186, 180, 110));
    // Rush strands across, each a little lighter or darker, with a soft round shade.
    const int rows = 32;  // one strand per unit: repeats with the tile
    for (int r = 0; r <= rows; ++r) {
        const double y = r * pitchY / rows;
        const int row = r % rows;
        const double t = hash01(row, 21);
        const QColor base = QColor::fromRgbF(0.68 + 0.09 * t, 0.70 + 0.07 * t, 0.40 + 0.05 * t);
        QLinearGradient strand(0, y, 0, y + 1.0);
        strand.setColorAt(0.0, base.lighter(112));
        strand.setColorAt(0.55, base);
        strand.setColorAt(1.0, base.darker(125));
        p.fillRect(QRectF(0, y, tileW, 1.0), strand);
    }
    // The warp threads that bind the strands, and a few stray darker rushes.
    for (int c = 0; c < 6; ++c) {
        const double x = (c + 0.5) * pitchX / 6;
        for (double dx : {0.0, pitchX})
            p.fillRect(QRectF(x + dx - 0.18, 0, 0.36, tileH), QColor(120, 110, 60, 90));
    }
    for (int i = 0; i < 10; ++i) {
        const double y = std::floor(hash01(i, 23) * 32) + 0.5, x = hash01(i, 24) * pitchX;
        const double len = 3 + 6 * hash01(i, 25);
        tiled(x, y, len, [&](double cx, double cy) {
            p.fillRect(QRectF(cx, cy - 0.3, len, 0.6), QColor(140, 125, 55, 70));
        });
    }
}

void paintBamboo(QPainter& p) {
    p.fillRect(QRectF(0, 0, tileW, tileH), QColor(40, 52, 22));  // the gaps between stalks
    // Three stalks to a tile, side by side like a bamboo fence; each has one node, staggered.
    const double stalk = pitchX / 3;
    for (int s = 0; s < 4; ++s) {
        const double x = s * stalk;
        const int which = s % 3;
        const double t = hash01(which, 31);
        QLinearGradient round(x, 0, x + stalk, 0);
        const QColor mid = QColor::fromRgbF(0.52 + 0.08 * t, 0.66 + 0.06 * t, 0.26);
        round.setColorAt(0.0, mid.darker(190));
        round.setColorAt(0.18, mid.darker(115));
        round.setColorAt(0.38, mid.lighter(135));
        round.setColorAt(0.55, mid);
        round.setColorAt(1.0, mid.darker(210));
        p.setBrush(round);
        p.drawRect(QRectF(x + 0.4, 0, stalk - 0.8, tileH));
        // Fine fibres running along the stalk.
        for (int f = 0; f < 3; ++f) {
            const double fx = x + stalk * (0.25 + 0.2 * f);
            p.fillRect(QRectF(fx, 0, 0.18, tileH), QColor(255, 255, 220, 22));
        }
        const double nodeY = 5.0 + which * 10.7;
        for (double ny : {nodeY, nodeY + pitchY}) {
            QLinearGradient ring(0, ny - 0.9, 0, ny + 0.9);
            ring.setColorAt(0.0, mid.darker(160));
            ring.setColorAt(0.45, mid.lighter(150));
            ring.setColorAt(0.6, mid.darker(200));
            ring.setColorAt(1.0, mid.darker(120));
            p.setBrush(ring);
            p.drawRoundedRect(QRectF(x + 0.2, ny - 0.9, stalk - 0.4, 1.8), 0.6, 0.6);
        }
    }
    p.setBrush(Qt::NoBrush);
}

void paintSpace(QPainter& p) {
    p.fillRect(QRectF(0, 0, tileW, tileH), QColor(6, 8, 26));
    // Faint clouds of distant nebulae.
    for (int i = 0; i < 3; ++i) {
        const double x = hash01(i, 41) * pitchX, y = hash01(i, 42) * pitchY,
                     r = 7 + 6 * hash01(i, 43);
        const QColor c = i == 0   ? QColor(90, 40, 140, 40)
                         : i == 1 ? QColor(30, 70, 150, 40)
                                  : QColor(120, 40, 90, 28);
        tiled(x, y, r, [&](double cx, double cy) {
            QRadialGradient g(cx, cy, r);
            g.setColorAt(0.0, c);
            g.setColorAt(1.0, QColor(c.red(), c.green(), c.blue(), 0));
            p.setBrush(g);
            p.drawEllipse(QPointF(cx, cy), r, r);
        });
    }
    // Stars: most faint and small, a few bright, one with a glint.
    for (int i = 0; i < 16; ++i) {
        const double x = hash01(i, 44) * pitchX, y = hash01(i, 45) * pitchY;
        const double b = hash01(i, 46);
        const double r = 0.18 + 0.45 * b * b;
        const double tint = hash01(i, 47);
        const QColor c = tint < 0.2   ? QColor(255, 210, 170)
                         : tint > 0.8 ? QColor(180, 200, 255)
                                      : QColor(255, 255, 245);
        tiled(x, y, 3, [&](double cx, double cy) {
            QRadialGradient g(cx, cy, r * 2.2);
            g.setColorAt(0.0, c);
            g.setColorAt(0.4, QColor(c.red(), c.green(), c.blue(), 140));
            g.setColorAt(1.0, QColor(c.red(), c.green(), c.blue(), 0));
            p.setBrush(g);
            p.drawEllipse(QPointF(cx, cy), r * 2.2, r * 2.2);
            if (i == 3) {
                p.setPen(QPen(QColor(255, 255, 255, 110), 0.15));
                p.drawLine(QPointF(cx - 2.2, cy), QPointF(cx + 2.2, cy));
                p.drawLine(QPointF(cx, cy - 2.2), QPointF(cx, cy + 2.2));
                p.setPen(Qt::NoPen);
            }
        });
    }
    p.setBrush(Qt::NoBrush);
}

void paintBrick(QPainter& p) {
    p.fillRect(QRectF(0, 0, tileW, tileH), QColor(196, 186, 168));  // mortar
    // Four courses of 8 units, bricks 13.5 long, every other course shifted half a brick.
    const double course = pitchY / 4, length = pitchX / 2, joint = 0.9;
    for (int row = 0; row < 5; ++row) {
        const double y = row * course;
        const double shift = (row % 2) ? length / 2 : 0.0;
        for (int col = -1; col < 3; ++col) {
            const double x = col * length + shift;
            const int id = (row % 4) * 2 + ((col % 2) + 2) % 2;  // repeats with the tile
            const double t = hash01(id, 51);
            const QColor c =
                QColor::fromRgbF(0.56 + 0.12 * t, 0.22 + 0.07 * hash01(id, 52), 0.14 + 0.05 * t);
            const QRectF r(x + joint / 2, y + joint / 2, length - joint, course - joint);
            QLinearGradient g(0, r.top(), 0, r.bottom());
            g.setColorAt(0.0, c.lighter(118));
            g.setColorAt(0.2, c);
            g.setColorAt(1.0, c.darker(125));
            p.setBrush(g);
            p.drawRoundedRect(r, 0.5, 0.5);
            // Pits and burnt flecks in the clay.
            for (int k = 0; k < 4; ++k) {
                const QPointF at(r.left() + r.width() * hash01(id, k, 53),
                                 r.top() + r.height() * hash01(id, k, 54));
                p.setBrush(QColor(60, 20, 10, 60));
                p.drawEllipse(at, 0.35, 0.3);
            }
        }
    }
    p.setBrush(Qt::NoBrush);
}

}  // namespace

void drawPiece(QPainter& p, const QRectF& cell, Code code) {
    Face face{};
    const bool piece = code != emptySquare && faceOf(code, face);
    if (code != emptySquare && !piece) return;
    Local local(p, cell, pieceW, pieceH);
    paintBoardSquare(p);
    if (piece) paintPiece(p, QPointF(pitchX / 2, pieceH / 2 + 0.2), face, code > 0, std::abs(code));
}

void drawPieceOnSquare(QPainter& p, const QRectF& cell, Code code) {
    Face face{};
    if (!faceOf(code, face)) return;
    Local local(p, cell, pieceW, pieceH);
    paintPiece(p, QPointF(pitchX / 2, pieceH / 2 + 0.2), face, code > 0, std::abs(code));
}

void drawBackground(QPainter& p, const QRectF& area, int pictureCode) {
    if (pictureCode < 2 || pictureCode > 6) return;
    Local local(p, area, tileW, tileH);
    switch (pictureCode) {
        case 2:
            paintFelt(p);
            break;
        case 3:
            paintTatami(p);
            break;
        case 4:
            paintBamboo(p);
            break;
        case 5:
            paintSpace(p);
            break;
        default:
            paintBrick(p);
            break;
    }
}

// A small lacquered plaque with the name in gold and a red seal, as on a board's box.
void drawTitle(QPainter& p, const QRectF& area) {
    Local local(p, area, titleW, titleH);
    // Keyaki frame.
    QLinearGradient frame(0, 0, 0, titleH);
    frame.setColorAt(0.0, QColor(120, 66, 30));
    frame.setColorAt(0.5, QColor(92, 48, 20));
    frame.setColorAt(1.0, QColor(66, 32, 12));
    p.setBrush(frame);
    p.drawRoundedRect(QRectF(0.5, 0.5, titleW - 1, titleH - 1), 3, 3);
    for (int i = 0; i < 7; ++i) {
        const double y = 2 + i * 7.5 + 2 * hash01(i, 61);
        p.setPen(QPen(QColor(50, 22, 6, 70), 0.4));
        p.drawLine(QPointF(1, y), QPointF(titleW - 1, y + 1.5 * (hash01(i, 62) - 0.5)));
    }
    p.setPen(Qt::NoPen);

    // Black lacquer panel with a soft reflection.
    const QRectF panel(4.5, 4.5, titleW - 9, titleH - 9);
    QLinearGradient lacquer(0, panel.top(), 0, panel.bottom());
    lacquer.setColorAt(0.0, QColor(46, 30, 24));
    lacquer.setColorAt(0.45, QColor(18, 10, 8));
    lacquer.setColorAt(1.0, QColor(26, 14, 10));
    p.setBrush(lacquer);
    p.setPen(QPen(QColor(200, 160, 70), 0.7));
    p.drawRoundedRect(panel, 1.5, 1.5);
    p.setPen(Qt::NoPen);

    // The name in gold leaf, with a dark cut beneath.
    QFont f = brushFont();
    const QPainterPath name = fittedText(QStringLiteral("Nobakuza"), f, QRectF(10, 9.5, 72, 22));
    QLinearGradient gold(0, 9.5, 0, 31.5);
    gold.setColorAt(0.0, QColor(255, 236, 160));
    gold.setColorAt(0.5, QColor(226, 178, 64));
    gold.setColorAt(1.0, QColor(170, 118, 30));
    p.fillPath(name.translated(0.5, 0.6), QColor(0, 0, 0, 200));
    p.fillPath(name, gold);
    p.strokePath(name, QPen(QBrush(gold), 0.45));

    // Beneath it, small and spaced, what the game is.
    const QPainterPath sub =
        fittedText(QStringLiteral("二 面 将 棋"), f, QRectF(18, 34.5, 56, 9.5));
    p.fillPath(sub, QColor(214, 176, 96));
    p.strokePath(sub, QPen(QColor(214, 176, 96), 0.3));

    // The red seal with 棋 cut in white.
    const QRectF seal(84.5, 26.5, 13.5, 13.5);
    p.setBrush(QColor(190, 30, 24));
    p.drawRoundedRect(seal, 1.2, 1.2);
    p.setPen(QPen(QColor(255, 235, 220), 0.5));
    p.setBrush(Qt::NoBrush);
    p.drawRect(seal.adjusted(1.2, 1.2, -1.2, -1.2));
    p.setPen(Qt::NoPen);
    p.fillPath(fittedText(QStringLiteral("棋"), f, seal.adjusted(2.4, 2.4, -2.4, -2.4)),
               QColor(255, 235, 220));
}

QImage renderIcon(int sizePx) {
    if (sizePx <= 0) return QImage();
    QImage img(sizePx, sizePx, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    Face king{};
    faceOf(manKing, king);
    // The king alone, filling the icon.
    const double s = sizePx / 31.0;
    p.scale(s, s);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(Qt::NoPen);
    paintPiece(p, QPointF(15.5 - 0.5, 15.5 - 0.6), king, false, 950);
    return img;
}

}  // namespace nobakuza::art
