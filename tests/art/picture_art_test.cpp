#include "app/picture_art.h"

#include <gtest/gtest.h>

#include <QFont>
#include <QFontInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QRawFont>
#include <array>
#include <cstdlib>
#include <vector>

namespace nobakuza {
namespace {

constexpr int scale = 4;  // unit pixels of the pictures' own grid
constexpr std::array<Code, 14> humanFaces = {
    manPawn,           manPromotedPawn, manLance,          manPromotedLance, manKnight,
    manPromotedKnight, manSilver,       manPromotedSilver, manGold,          manBishop,
    manPromotedBishop, manRook,         manPromotedRook,   manKing};

bool isPromoted(Code c) {
    return std::abs(c) % 10 == 1 && std::abs(c) != 111;
}

QImage blank(int w, int h) {
    QImage img(w, h, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    return img;
}

QImage piece(Code code, int s = scale) {
    QImage img = blank(28 * s, 32 * s);
    QPainter p(&img);
    art::drawPiece(p, QRectF(0, 0, img.width(), img.height()), code);
    return img;
}

QImage tile(int code, int s = scale) {
    QImage img = blank(29 * s, 33 * s);
    QPainter p(&img);
    art::drawBackground(p, QRectF(0, 0, img.width(), img.height()), code);
    return img;
}

bool untouched(const QImage& img) {
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (qAlpha(img.pixel(x, y)) != 0) return false;
    return true;
}

int distance(QRgb a, QRgb b) {
    return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
           std::abs(qBlue(a) - qBlue(b));
}

bool woodLike(QRgb c) {
    return qRed(c) > 200 && qGreen(c) > 150 && qGreen(c) < 240 && qBlue(c) > 80 && qBlue(c) < 200 &&
           qRed(c) > qGreen(c) && qGreen(c) > qBlue(c);
}

// Ink pixels inside the region where the kanji sits (the piece's middle, either way up).
struct Ink {
    int red = 0, black = 0;
    std::vector<bool> mask;
};
Ink inkOf(const QImage& img) {
    Ink ink;
    for (int y = 9 * scale; y < 25 * scale; ++y) {
        for (int x = 6 * scale; x < 21 * scale; ++x) {
            const QRgb c = img.pixel(x, y);
            const bool red = qRed(c) > 140 && qGreen(c) < 90 && qBlue(c) < 90;
            const bool black = qRed(c) < 90 && qGreen(c) < 90 && qBlue(c) < 90;
            ink.red += red;
            ink.black += black;
            ink.mask.push_back(red || black);
        }
    }
    return ink;
}

TEST(PictureArt, PiecesAreWoodenWithTheirKanjiEitherWayUp) {
    const QImage empty = piece(emptySquare);
    // The empty square is light wood all over, with nothing standing on it.
    int wood = 0;
    for (int y = 2 * scale; y < 30 * scale; y += 3)
        for (int x = 2 * scale; x < 25 * scale; x += 3) wood += woodLike(empty.pixel(x, y));
    EXPECT_GT(wood, 0.9 * (28 * scale / 3) * (23 * scale / 3)) << "the empty square is not wood";
    EXPECT_EQ(inkOf(empty).black + inkOf(empty).red, 0);

    std::vector<std::vector<bool>> masks;
    for (Code human : humanFaces) {
        for (Code code : {human, static_cast<Code>(-human)}) {
            SCOPED_TRACE(code);
            const QImage img = piece(code);
            const bool turned = code > 0;
            // The face between the point and the kanji is boxwood.
            const QPoint nearPoint(int(13.5 * scale), int((turned ? 26.5 : 6.0) * scale));
            EXPECT_TRUE(woodLike(img.pixel(nearPoint))) << std::hex << img.pixel(nearPoint);
            // Beside the point lies the bare board; beside the base, the piece. So a piece
            // pointing the wrong way shows at once.
            const QPoint besidePoint(int(6.5 * scale), int((turned ? 28.0 : 4.5) * scale));
            const QPoint besideBase(int(6.5 * scale), int((turned ? 4.5 : 28.0) * scale));
            EXPECT_LT(distance(img.pixel(besidePoint), empty.pixel(besidePoint)), 12);
            EXPECT_GT(distance(img.pixel(besideBase), empty.pixel(besideBase)), 20);

            const Ink ink = inkOf(img);
            if (isPromoted(code)) {
                EXPECT_GT(ink.red, 150) << "promoted faces are red";
            } else {
                EXPECT_EQ(ink.red, 0);
                EXPECT_GT(ink.black, 150);
            }
            if (!turned) masks.push_back(ink.mask);
        }
    }
    // Every face is a different character, so no glyph came out as the same blank box.
    for (std::size_t i = 0; i < masks.size(); ++i) {
        for (std::size_t j = i + 1; j < masks.size(); ++j) {
            int differ = 0;
            for (std::size_t k = 0; k < masks[i].size(); ++k) differ += masks[i][k] != masks[j][k];
            EXPECT_GT(differ, 100)
                << "faces " << humanFaces[i] << " and " << humanFaces[j] << " look alike";
        }
    }
    // Codes without a picture paint nothing at all.
    for (Code none : {manGoldAlias, comGoldAlias, Code(5), Code(-12), Code(1000)})
        EXPECT_TRUE(untouched(piece(none)));
}

TEST(PictureArt, EveryGlyphIsInTheFont) {
    QFont f;
    f.setFamilies({QStringLiteral("IPAMincho")});
    EXPECT_EQ(QFontInfo(f).family(), QStringLiteral("IPAMincho"))
        << "the IPA Mincho font is not installed";
    const QRawFont raw = QRawFont::fromFont(f);
    ASSERT_TRUE(raw.isValid());
    for (QChar c : QStringLiteral("歩香桂銀金角飛王と杏圭全馬龍二面将棋Nobakuza"))
        EXPECT_TRUE(raw.supportsCharacter(c)) << QString(c).toStdString();
}

TEST(PictureArt, BackgroundsHaveTheirColoursAndTileWithoutSeams) {
    struct Expect {
        int code;
        bool (*looks)(double r, double g, double b);
    };
    const Expect expects[] = {
        {2, [](double r, double g, double b) { return g > r + 30 && g > b + 20; }},  // green felt
        {3, [](double r, double g,
               double b) { return r > b + 40 && g > b + 40 && r > 120; }},  // tatami
        {4, [](double r, double g,
               double b) { return g > b + 30 && g >= r - 10 && g > 60; }},            // bamboo
        {5, [](double r, double g, double b) { return r + g + b < 120 && b >= r; }},  // space
        {6, [](double r, double g, double b) { return r > g + 40 && r > b + 40; }},   // brick
    };
    for (const Expect& e : expects) {
        SCOPED_TRACE(e.code);
        const QImage img = tile(e.code);
        double r = 0, g = 0, b = 0;
        for (int y = 0; y < img.height(); ++y) {
            for (int x = 0; x < img.width(); ++x) {
                const QRgb c = img.pixel(x, y);
                ASSERT_EQ(qAlpha(c), 255) << "tile has a hole at " << x << "," << y;
                r += qRed(c), g += qGreen(c), b += qBlue(c);
            }
        }
        const double n = img.width() * img.height();
        EXPECT_TRUE(e.looks(r / n, g / n, b / n)) << r / n << " " << g / n << " " << b / n;

        // Tiles are painted 27 x 32 apart: the strip laid over a neighbour must match it.
        double diff = 0;
        int count = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 1; x < 2 * scale - 1; ++x, ++count)
                diff += distance(img.pixel(x, y), img.pixel(x + 27 * scale, y));
        EXPECT_LT(diff / count, 1.0) << "seam across";
        diff = 0, count = 0;
        for (int y = 1; y < scale - 1; ++y)
            for (int x = 0; x < img.width(); ++x, ++count)
                diff += distance(img.pixel(x, y), img.pixel(x, y + 32 * scale));
        EXPECT_LT(diff / count, 1.0) << "seam down";
    }
    for (int none : {0, 1, 7, -2}) EXPECT_TRUE(untouched(tile(none)));
}

TEST(PictureArt, TitleAndIcon) {
    QImage title = blank(105 * scale, 55 * scale);
    {
        QPainter p(&title);
        art::drawTitle(p, QRectF(0, 0, title.width(), title.height()));
    }
    int gold = 0, seal = 0;
    for (int y = 0; y < title.height(); ++y) {
        for (int x = 0; x < title.width(); ++x) {
            const QRgb c = title.pixel(x, y);
            gold += qRed(c) > 200 && qGreen(c) > 150 && qBlue(c) < 140 && x < 85 * scale;
            seal += qRed(c) > 160 && qGreen(c) < 60 && qBlue(c) < 60;
        }
    }
    EXPECT_GT(gold, 1500) << "the name is missing";
    EXPECT_GT(seal, 500) << "the seal is missing";
    EXPECT_EQ(qAlpha(title.pixel(title.width() / 2, 3 * scale)), 255);

    for (int size : {16, 64, 256}) {
        const QImage icon = art::renderIcon(size);
        ASSERT_EQ(icon.size(), QSize(size, size));
        EXPECT_EQ(qAlpha(icon.pixel(0, 0)), 0);
        EXPECT_EQ(qAlpha(icon.pixel(size / 2, size * 3 / 4)), 255);
    }
    EXPECT_TRUE(art::renderIcon(0).isNull());
}

// All the pictures on one sheet, at 1x, 2x and enlarged, for looking at.
}  // namespace
}  // namespace nobakuza

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
