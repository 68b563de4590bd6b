// Draws every piece face of both sides (enlarged and at their real size), a patch of each
// background, a small board, the title plaque and the icon on one sheet, for looking at the art.
//   nobakuza-art-sheet [OUTPUT.png]
// Without OUTPUT.png the sheet goes into a folder of its own beside the program (in the build
// folder: art-sheet/art_contact_sheet.png), never where the command was given, which may be the
// source tree. The path written is printed.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <array>
#include <cstdio>
#include <vector>

#include "app/picture_art.h"

namespace nobakuza {
namespace {

constexpr std::array<Code, 14> humanFaces = {
    manPawn,           manPromotedPawn, manLance,          manPromotedLance, manKnight,
    manPromotedKnight, manSilver,       manPromotedSilver, manGold,          manBishop,
    manPromotedBishop, manRook,         manPromotedRook,   manKing};

QImage blank(int w, int h) {
    QImage img(w, h, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    return img;
}

QImage contactSheet() {
    QImage sheet(1500, 1250, QImage::Format_ARGB32);
    sheet.fill(QColor(0, 128, 0));
    QPainter p(&sheet);
    std::vector<Code> faces = {emptySquare};
    faces.insert(faces.end(), humanFaces.begin(), humanFaces.end());
    for (int row = 0; row < 2; ++row) {
        for (std::size_t i = 0; i < faces.size(); ++i) {
            const Code c = row == 0 ? faces[i] : static_cast<Code>(-faces[i]);
            art::drawPiece(p, QRectF(10 + i * 27 * 3.5, 10 + row * 32 * 3.5, 28 * 3.5, 32 * 3.5),
                           c);
        }
    }
    // Both sets at their real size (1x), shown enlarged pixel for pixel.
    QImage real = blank(int(faces.size()) * 27 + 1, 64);
    {
        QPainter rp(&real);
        for (int row = 0; row < 2; ++row)
            for (std::size_t i = 0; i < faces.size(); ++i)
                art::drawPiece(rp, QRectF(i * 27, row * 32, 28, 32),
                               row == 0 ? faces[i] : static_cast<Code>(-faces[i]));
    }
    p.drawImage(QPointF(10, 240),
                real.scaled(real.size() * 3, Qt::IgnoreAspectRatio, Qt::FastTransformation));
    // A 4 x 3 patch of each background, laid as the window lays them, then a small board.
    for (int code = 2; code <= 6; ++code) {
        for (int ty = 0; ty < 3; ++ty)
            for (int tx = 0; tx < 4; ++tx)
                art::drawBackground(p,
                                    QRectF(10 + (code - 2) * 290 + tx * 27 * 2.5,
                                           520 + ty * 32 * 2.5, 29 * 2.5, 33 * 2.5),
                                    code);
    }
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 25; ++x)
            art::drawBackground(p, QRectF(10 + x * 27 * 2, 780 + y * 32 * 2, 29 * 2, 33 * 2), 3);
    const Code rows[4][5] = {{comLance, comKnight, comSilver, comGold, comKing},
                             {0, comRook, 0, 0, 0},
                             {comPawn, comPawn, comPromotedPawn, 0, comPawn},
                             {0, 0, manPawn, 0, 0}};
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 5; ++c)
            art::drawPiece(p, QRectF(130 + c * 27 * 2, 800 + r * 32 * 2, 28 * 2, 32 * 2),
                           rows[r][c]);
    for (int c = 0; c < 5; ++c)
        art::drawPiece(p, QRectF(130 + c * 27 * 2, 800 + 4 * 32 * 2, 28 * 2, 32 * 2),
                       std::array<Code, 5>{manLance, manKnight, manSilver, manGold, manKing}[c]);
    art::drawTitle(p, QRectF(900, 800, 105 * 5, 55 * 5));
    art::drawTitle(p, QRectF(500, 800, 105, 55));
    p.drawImage(500, 1010, art::renderIcon(128));
    p.drawImage(650, 1010, art::renderIcon(32));
    p.end();
    return sheet;
}

}  // namespace
}  // namespace nobakuza

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QString out;
    if (argc > 1) {
        out = QString::fromLocal8Bit(argv[1]);
    } else {
        const QDir own(QCoreApplication::applicationDirPath() + QStringLiteral("/art-sheet"));
        if (!own.mkpath(QStringLiteral("."))) {
            std::fprintf(stderr, "nobakuza-art-sheet: cannot make %s\n", qPrintable(own.path()));
            return 1;
        }
        out = own.filePath(QStringLiteral("art_contact_sheet.png"));
    }
    if (!nobakuza::contactSheet().save(out)) {
        std::fprintf(stderr, "nobakuza-art-sheet: cannot write %s\n", qPrintable(out));
        return 1;
    }
    std::printf("%s\n", qPrintable(out));
    return 0;
}
