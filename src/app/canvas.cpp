#include "app/canvas.h"

#include <sys/mman.h>

#include <QFontInfo>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <system_error>

#include "app/picture_art.h"
#include "ui/layout.h"

namespace nobakuza {

namespace {

QColor paletteColour(int index) {
    const Rgb c = paletteRgb(index);
    return QColor(c.r, c.g, c.b);
}

// The whole canvas is written before the first frame. In huge pages, where the system offers
// them, that costs a handful of page faults instead of a thousand.
QImage blankImage(int w, int h) {
    constexpr std::size_t hugePage = std::size_t{2} << 20;
    const qsizetype bytesPerLine = qsizetype{w} * 4;
    const std::size_t bytes = static_cast<std::size_t>(bytesPerLine) * static_cast<std::size_t>(h);
    void* data = nullptr;
    if (::posix_memalign(&data, hugePage, (bytes + hugePage - 1) / hugePage * hugePage) != 0)
        return QImage(w, h, QImage::Format_RGB32);
    (void)::madvise(data, bytes, MADV_HUGEPAGE);
    return QImage(
        static_cast<uchar*>(data), w, h, bytesPerLine, QImage::Format_RGB32,
        [](void* memory) { std::free(memory); }, data);
}

}  // namespace

Canvas::Canvas(double scale) {
    setScale(scale);
}

Canvas::~Canvas() = default;

void Canvas::setScale(double scale) {
    painter_.reset();
    scale_ = scale > 0 ? scale : 1.0;
    sprites_.clear();
    fonts_.clear();
    haloTexts_.clear();
    const int w = static_cast<int>(std::ceil(toPixels(windowWidth)));
    const int h = static_cast<int>(std::ceil(toPixels(windowHeight)));
    image_ = blankImage(w, h);
    image_.fill(paletteColour(squareFrameColor));
}

int Canvas::px(double twips) const {
    return static_cast<int>(std::lround(toPixels(twips)));
}

QPainter& Canvas::painter() {
    if (!painter_) {
        painter_ = std::make_unique<QPainter>(&image_);
        painter_->setRenderHint(QPainter::TextAntialiasing, true);
    }
    return *painter_;
}

const QImage& Canvas::image() {
    // The image may be read only once no painter is working on it.
    painter_.reset();
    return image_;
}

QString Canvas::fontFamily() {
    static const QString family = [] {
        // Asks for each family by name rather than listing every font on the system.
        for (const char* name : {"IPAPGothic", "IPAGothic"}) {
            const QString wanted = QString::fromUtf8(name);
            if (QFontInfo(QFont(wanted)).family() == wanted) return wanted;
        }
        return QStringLiteral("Sans Serif");
    }();
    return family;
}

bool Canvas::isPiecePicture(int code) {
    return code != titlePictureCode && !isBackgroundCode(code) && code != emptySquare;
}

const QImage& Canvas::sprite(int code) {
    auto found = sprites_.find(code);
    if (found != sprites_.end()) return found->second;
    if (adopted_.valid()) {
        Pictures drawn = adopted_.get();
        if (adoptedScale_ == scale_) sprites_.merge(drawn);
        return sprite(code);
    }
    // Every piece picture is a whole square: the empty square with the piece on it. The square
    // is drawn once and copied under each piece.
    const QImage* square = isPiecePicture(code) ? &sprite(emptySquare) : nullptr;
    return sprites_.emplace(code, renderSprite(code, scale_, square)).first->second;
}

std::future<Canvas::Pictures> Canvas::drawAside(double scale, std::vector<int> codes) {
    auto draw = [scale, codes = std::move(codes)] {
        Pictures drawn;
        const QImage& square =
            drawn.emplace(emptySquare, renderSprite(emptySquare, scale, nullptr)).first->second;
        for (const int code : codes)
            if (drawn.find(code) == drawn.end())
                drawn.emplace(code,
                              renderSprite(code, scale, isPiecePicture(code) ? &square : nullptr));
        return drawn;
    };
    try {
        return std::async(std::launch::async, std::move(draw));
    } catch (const std::system_error&) {
        return {};  // drawn when needed instead
    }
}

void Canvas::adoptPictures(double scale, std::future<Pictures> pictures) {
    adopted_ = std::move(pictures);
    adoptedScale_ = scale;
}

QImage Canvas::renderSprite(int code, double scale, const QImage* emptySquareSprite) {
    QImage img;
    if (emptySquareSprite != nullptr) {
        img = emptySquareSprite->copy();
    } else {
        const PictureSize size = pictureSize(code);
        const int w = std::max(1, static_cast<int>(std::lround(size.width * scale)));
        const int h = std::max(1, static_cast<int>(std::lround(size.height * scale)));
        img = QImage(w, h, QImage::Format_RGB32);
        img.fill(paletteColour(squareFrameColor));
    }
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    const QRectF area(0, 0, img.width(), img.height());
    if (code == titlePictureCode) {
        art::drawTitle(p, area);
    } else if (isBackgroundCode(code)) {
        art::drawBackground(p, area, code);
    } else if (emptySquareSprite == nullptr) {
        art::drawPiece(p, area, emptySquare);
    }
    if (emptySquareSprite != nullptr) art::drawPieceOnSquare(p, area, static_cast<Code>(code));
    return img;
}

void Canvas::paintPicture(double x, double y, int code) {
    if (pictureSize(code).width == 0) return;
    const int left = px(x);
    const int top = px(y);
    // Tiles wholly outside the window need no painting.
    if (left >= image_.width() || top >= image_.height()) return;
    const QImage& img = sprite(code);
    if (left + img.width() <= 0 || top + img.height() <= 0) return;
    painter().drawImage(left, top, img);
}

void Canvas::outlineRect(double x1, double y1, double x2, double y2, int colour) {
    // One pixel at 96 dots per inch, with both corners inside the outline.
    const int t = std::max(1, static_cast<int>(std::lround(scale_)));
    const int l = px(x1), top = px(y1), r = px(x2), b = px(y2);
    const QColor c = paletteColour(colour);
    QPainter& p = painter();
    p.fillRect(l, top, r - l + t, t, c);
    p.fillRect(l, b, r - l + t, t, c);
    p.fillRect(l, top, t, b - top + t, c);
    p.fillRect(r, top, t, b - top + t, c);
}

void Canvas::fillRect(double x1, double y1, double x2, double y2, int colour) {
    const int t = std::max(1, static_cast<int>(std::lround(scale_)));
    const int l = px(x1), top = px(y1);
    painter().fillRect(l, top, px(x2) - l + t, px(y2) - top + t, paletteColour(colour));
}

const Canvas::TextFont& Canvas::textFont(int size, bool bold) {
    const int key = size * 2 + (bold ? 1 : 0);
    auto found = fonts_.find(key);
    if (found == fonts_.end()) {
        QFont font(fontFamily());
        // A point is 20 twips.
        font.setPixelSize(std::max(1, static_cast<int>(std::lround(toPixels(size * 20.0)))));
        font.setBold(bold);
        found = fonts_.emplace(key, TextFont{font, QFontMetricsF(font).ascent()}).first;
    }
    return found->second;
}

void Canvas::printText(double x, double y, std::string_view text, int size, int colour, bool bold) {
    if (text.empty()) return;
    const TextFont& f = textFont(size, bold);
    QPainter& p = painter();
    p.setFont(f.font);
    p.setPen(paletteColour(colour));
    // The text's line starts at y, as the window's print cursor does.
    p.drawText(QPointF(toPixels(x), toPixels(y) + f.ascent),
               QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

void Canvas::printHaloText(double x, double y, std::string_view text, int size, int colour,
                           bool bold, int haloColour) {
    if (text.empty()) return;
    // The same few labels and counts are drawn at every redraw, and stroking a glyph's outline
    // costs far more than copying it: each is drawn once and kept.
    // Kept per eighth of a pixel of where it lands, so a cached label looks as one drawn there.
    const QPointF at(toPixels(x), toPixels(y));
    const QPoint whole(static_cast<int>(std::floor(at.x())), static_cast<int>(std::floor(at.y())));
    const QPointF part(std::round((at.x() - whole.x()) * 8) / 8,
                       std::round((at.y() - whole.y()) * 8) / 8);
    std::string key(text);
    key += '\0';
    key += std::to_string(part.x()) + "," + std::to_string(part.y()) + "/";
    key += std::to_string(size) + (bold ? "b" : "") + "/" + std::to_string(colour) + "/" +
           std::to_string(haloColour);
    auto found = haloTexts_.find(key);
    if (found == haloTexts_.end()) {
        const TextFont& f = textFont(size, bold);
        QPainterPath path;
        path.addText(part + QPointF(0, f.ascent), f.font,
                     QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
        // The outline reaches 2 pixels (at 96 dots per inch) beyond every stroke of the glyphs.
        const double halo = 2.0 * scale_;
        const QRect box =
            path.boundingRect().adjusted(-halo - 1, -halo - 1, halo + 1, halo + 1).toAlignedRect();
        QImage img(box.size(), QImage::Format_ARGB32_Premultiplied);
        img.fill(Qt::transparent);
        {
            QPainter p(&img);
            p.setRenderHint(QPainter::Antialiasing, true);
            p.translate(-box.topLeft());
            p.strokePath(path, QPen(paletteColour(haloColour), 2 * halo, Qt::SolidLine,
                                    Qt::RoundCap, Qt::RoundJoin));
            p.fillPath(path, paletteColour(colour));
        }
        found = haloTexts_.emplace(std::move(key), HaloText{std::move(img), box.topLeft()}).first;
    }
    const HaloText& h = found->second;
    painter().drawImage(
        QPointF(std::round(toPixels(x)) + h.offset.x(), std::round(toPixels(y)) + h.offset.y()),
        h.image);
}

void Canvas::tintRect(double x1, double y1, double x2, double y2, int colour, double alpha) {
    // Inside the square's outline, which stays as it was.
    const int t = std::max(1, static_cast<int>(std::lround(scale_)));
    const int l = px(x1) + t, top = px(y1) + t;
    QColor c = paletteColour(colour);
    c.setAlphaF(static_cast<float>(std::clamp(alpha, 0.0, 1.0)));
    painter().fillRect(l, top, px(x2) - l, px(y2) - top, c);
}

void Canvas::refresh() {
    if (onRefresh_) onRefresh_();
}

}  // namespace nobakuza
