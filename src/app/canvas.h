// The window surface as an off-screen image. Everything the game paints lands here, at a chosen
// resolution, so covering and uncovering the window loses nothing and a large or high-density
// window stays sharp.
#pragma once

#include <QFont>
#include <QImage>
#include <QPainter>
#include <functional>
#include <future>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "ui/layout.h"
#include "ui/window_system.h"

namespace nobakuza {

class Canvas final : public Surface {
  public:
    // `scale` is device pixels per pixel at 96 dots per inch: 1 gives 994 x 494 pixels.
    explicit Canvas(double scale = 1.0);
    ~Canvas() override;

    // Starts over at another resolution; the caller repaints everything.
    void setScale(double scale);
    double scale() const { return scale_; }

    void paintPicture(double x, double y, int code) override;
    void outlineRect(double x1, double y1, double x2, double y2, int colour) override;
    void fillRect(double x1, double y1, double x2, double y2, int colour) override;
    void printText(double x, double y, std::string_view text, int size, int colour,
                   bool bold) override;
    void refresh() override;
    void tintRect(double x1, double y1, double x2, double y2, int colour, double alpha) override;
    void printHaloText(double x, double y, std::string_view text, int size, int colour, bool bold,
                       int haloColour) override;

    // The finished image, for showing or saving.
    const QImage& image();
    // Called by refresh(): the window shows the image at once.
    void setOnRefresh(std::function<void()> onRefresh) { onRefresh_ = std::move(onRefresh); }

    // Twips to device pixels of the image, and back.
    double toPixels(double twips) const { return twips * scale_ / twipsPerPixel; }

    // The family the texts are printed in.
    static QString fontFamily();

    // Pictures by code, at one scale.
    using Pictures = std::unordered_map<int, QImage>;
    // Draws the pictures of `codes` at `scale` on a thread of its own: the start-up has them
    // drawn while the rest of the window is made. Nothing valid when no thread could start.
    static std::future<Pictures> drawAside(double scale, std::vector<int> codes);
    // The canvas takes them when it first needs a picture it has not drawn yet.
    void adoptPictures(double scale, std::future<Pictures> pictures);

  private:
    struct TextFont {
        QFont font;
        double ascent;
    };
    const TextFont& textFont(int size, bool bold);
    QPainter& painter();
    const QImage& sprite(int code);
    // A picture at `scale`; a piece is drawn on a copy of the empty square's picture.
    static QImage renderSprite(int code, double scale, const QImage* emptySquareSprite);
    static bool isPiecePicture(int code);
    int px(double twips) const;

    double scale_ = 1.0;
    QImage image_;
    std::unique_ptr<QPainter> painter_;
    Pictures sprites_;
    std::future<Pictures> adopted_;
    double adoptedScale_ = 0;
    std::unordered_map<int, TextFont> fonts_;
    struct HaloText {
        QImage image;
        QPoint offset;  // of the image's corner from the text's position
    };
    std::unordered_map<std::string, HaloText> haloTexts_;
    std::function<void()> onRefresh_;
};

}  // namespace nobakuza
