// Message boxes, the version dialog and the browser, as the game asks for them.
#include <QColor>
#include <QDesktopServices>
#include <QDialog>
#include <QFontMetrics>
#include <QMessageBox>
#include <QPainter>
#include <QProcess>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <algorithm>

#include "app/main_window.h"
#include "app/picture_art.h"
#include "app/qt_text.h"
#include "ui/help_version.h"

namespace nobakuza {

namespace {

// The version dialog: the picture on top, the two buttons under it.
class VersionPicture final : public QWidget {
  public:
    VersionPicture(const std::array<std::string, 3>& lines, QWidget* parent)
        : QWidget(parent), lines_(lines) {}

    // The width that holds the longest line whole at `height`; the box widens to it.
    int widthFor(int height) const {
        const QFontMetrics metrics(fontFor(height));
        int widest = 0;
        for (const std::string& line : lines_)
            widest = std::max(widest, metrics.horizontalAdvance(qs(line)));
        return iconSize(height) + textLeft + widest + textRight;
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing, true);
        p.fillRect(rect(), QColor(24, 64, 36));
        const int icon = iconSize(height());
        p.drawImage(QRect(12, 8, icon, icon), art::renderIcon(icon * 2));
        p.setFont(fontFor(height()));
        p.setPen(QColor(250, 236, 200));
        const auto& lines = lines_;
        const int lineHeight = height() / 4;
        for (std::size_t i = 0; i < lines.size(); ++i)
            p.drawText(QRect(icon + textLeft, 8 + static_cast<int>(i) * lineHeight,
                             width() - icon - textLeft - textRight, lineHeight),
                       Qt::AlignVCenter | Qt::AlignLeft | Qt::TextDontClip, qs(lines[i]));
    }

  private:
    static constexpr int textLeft = 28;   // from the icon
    static constexpr int textRight = 12;  // to the right edge
    static int iconSize(int height) { return height - 16; }
    static QFont fontFor(int height) {
        QFont font(Canvas::fontFamily());
        font.setPixelSize(std::max(10, height / 5));
        return font;
    }

    std::array<std::string, 3> lines_;
};

QRect twipRect(int x, int y, int w, int h) {
    return QRect(x / twipsPerPixel, y / twipsPerPixel, w / twipsPerPixel, h / twipsPerPixel);
}

}  // namespace

MessageAnswer MainWindow::messageBox(std::string_view text, std::string_view title,
                                     MessageButtons buttons, bool warningIcon) {
    if (buttons == MessageButtons::ok) return showBox(text, title, warningIcon, buttons, {}, {});
    return showBox(text, title, warningIcon, buttons, buttonCaptions_[1], buttonCaptions_[2]);
}

MessageAnswer MainWindow::ask(std::string_view text, std::string_view title,
                              std::string_view yesCaption, std::string_view noCaption) {
    return showBox(text, title, false, MessageButtons::yesNo, qs(yesCaption), qs(noCaption));
}

MessageAnswer MainWindow::showBox(std::string_view text, std::string_view title, bool warningIcon,
                                  MessageButtons buttons, const QString& yesCaption,
                                  const QString& noCaption) {
    QString body = qs(text);
    body.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    body.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QMessageBox box(warningIcon ? QMessageBox::Warning : QMessageBox::NoIcon, qs(title), body,
                    QMessageBox::NoButton, isVisible() ? this : nullptr);
    QPushButton* ok = nullptr;
    QPushButton* yes = nullptr;
    QPushButton* no = nullptr;
    QPushButton* view = nullptr;
    QPushButton* review = nullptr;
    if (buttons == MessageButtons::ok) {
        ok = box.addButton(buttonCaptions_[0], QMessageBox::AcceptRole);
        box.setDefaultButton(ok);
        box.setEscapeButton(ok);
    } else {
        yes = box.addButton(yesCaption, QMessageBox::YesRole);
        no = box.addButton(noCaption, QMessageBox::NoRole);
        box.setDefaultButton(yes);
        box.setEscapeButton(no);
        if (buttons == MessageButtons::yesNoView) {
            view = box.addButton(viewButtonCaptions_[0], QMessageBox::ActionRole);
            review = box.addButton(viewButtonCaptions_[1], QMessageBox::ActionRole);
        }
    }
    const bool wasPausing = pausing_;
    box.exec();
    pausing_ = wasPausing;
    if (buttons == MessageButtons::ok) return MessageAnswer::ok;
    if (view != nullptr && box.clickedButton() == view) return MessageAnswer::view;
    if (review != nullptr && box.clickedButton() == review) return MessageAnswer::review;
    return box.clickedButton() == yes ? MessageAnswer::yes : MessageAnswer::no;
}

void MainWindow::setButtonCaptions(std::string_view ok, std::string_view yes, std::string_view no) {
    buttonCaptions_ = {qs(ok), qs(yes), qs(no)};
}

void MainWindow::setViewButtonCaptions(std::string_view view, std::string_view review) {
    viewButtonCaptions_ = {qs(view), qs(review)};
}

void MainWindow::versionDialog(const VersionTexts& texts) {
    QDialog dialog(this);
    dialog.setWindowTitle(qs(texts.title));
    auto* picture = new VersionPicture(texts.lines, &dialog);
    const int pictureHeight = versionPictureHeight / twipsPerPixel;
    // Wider than laid out when a line needs it (the English one does), the buttons kept centred.
    const int width =
        std::max(versionDialogWidth / twipsPerPixel, picture->widthFor(pictureHeight));
    const int shift = (width - versionDialogWidth / twipsPerPixel) / 2;
    dialog.setFixedSize(width, versionDialogHeight / twipsPerPixel);
    picture->setGeometry(0, 0, width, pictureHeight);
    auto* home = new QPushButton(qs(texts.homePage), &dialog);
    home->setGeometry(
        twipRect(homePageButton.x, homePageButton.y, homePageButton.width, homePageButton.height)
            .translated(shift, 0));
    auto* ok = new QPushButton(qs(texts.ok), &dialog);
    ok->setGeometry(
        twipRect(okButton.x, okButton.y, okButton.width, okButton.height).translated(shift, 0));
    ok->setDefault(true);
    connect(home, &QPushButton::clicked, &dialog, [this, &dialog] {
        openPage(homePageAddress);  // a browser that does not start is no reason to stop
        dialog.accept();
    });
    connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
    dialog.exec();
}

bool MainWindow::openPage(std::string_view addressOrPath) {
    return QDesktopServices::openUrl(QUrl::fromUserInput(qs(addressOrPath)));
}

void MainWindow::openLocalPage(const std::string& path, std::string_view title) {
    const QString file = qs(path);
    const QString caption = qs(title);
    auto showHere = [this, file, caption] {
        if (!helpWindow_) {
            helpWindow_ = new QTextBrowser(this);
            helpWindow_->setWindowFlag(Qt::Window);
            helpWindow_->setOpenExternalLinks(true);
            helpWindow_->resize(std::max(480, width() * 2 / 3), std::max(360, height() * 4 / 5));
        }
        helpWindow_->setWindowTitle(caption);
        helpWindow_->setSource(QUrl::fromLocalFile(file));
        helpWindow_->show();
        helpWindow_->raise();
        helpWindow_->activateWindow();
    };
    // The desktop opens pages with xdg-open; whether it could is known only once it has ended
    // (it fails when no browser is set up), so the window of our own may come a little later.
    auto* opener = new QProcess(this);
    connect(opener, &QProcess::errorOccurred, this, [opener, showHere](QProcess::ProcessError e) {
        if (e != QProcess::FailedToStart) return;
        opener->deleteLater();
        showHere();
    });
    connect(opener, &QProcess::finished, this,
            [opener, showHere](int code, QProcess::ExitStatus status) {
                opener->deleteLater();
                if (status != QProcess::NormalExit || code != 0) showHere();
            });
    opener->start(QStringLiteral("xdg-open"), {QUrl::fromLocalFile(file).toString()});
}

}  // namespace nobakuza
