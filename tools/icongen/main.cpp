// `nobakuza-icongen SVG DIR SIZE...`: the scalable icon drawn as a PNG at each size, as
// DIR/<SIZE>x<SIZE>/apps/nobakuza.png, the layout of the hicolor icon theme. Run at build time.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: nobakuza-icongen SVG DIR SIZE...\n");
        return 2;
    }
    // Drawn without a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
    if (!svg.isValid()) {
        std::fprintf(stderr, "nobakuza-icongen: cannot read %s\n", argv[1]);
        return 1;
    }
    for (int i = 3; i < argc; ++i) {
        const int size = std::atoi(argv[i]);
        if (size < 1 || size > 4096) {
            std::fprintf(stderr, "nobakuza-icongen: bad size %s\n", argv[i]);
            return 2;
        }
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        {
            QPainter p(&image);
            p.setRenderHint(QPainter::Antialiasing, true);
            svg.render(&p);
        }
        const QString folder =
            QString::fromLocal8Bit(argv[2]) + QStringLiteral("/%1x%1/apps").arg(size);
        const QString file = folder + QStringLiteral("/nobakuza.png");
        if (!QDir().mkpath(folder) || !image.save(file, "PNG")) {
            std::fprintf(stderr, "nobakuza-icongen: cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
