// 解説 without a browser that works: the help page opens in a window of the program's own.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTextBrowser>
#include <filesystem>
#include <string>

#include "app/main_window.h"
#include "support/scripted_window.h"

namespace nobakuza {
namespace {

// Lets the window run until the help window is up; a broken fallback shows nothing at all.
bool helpShown(MainWindow& window) {
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 20000) {
        QApplication::processEvents();
        if (window.helpWindow() != nullptr && window.helpWindow()->isVisible()) return true;
    }
    return false;
}

TEST(HelpWindow, WithoutXdgOpenOrWhenItFailsThePageOpensInTheProgramsOwnWindow) {
    testing::TemporaryFolder folder;
    folder.write("Nobakuza.htm", "<html><body><p>駒の動かし方</p></body></html>");
    const std::filesystem::path bin = folder.path() / "bin";
    std::filesystem::create_directory(bin);
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QByteArray::fromStdString(bin.string()));
    // First no xdg-open at all, then one that finds no browser.
    for (const bool opener : {false, true}) {
        if (opener) {
            folder.write("bin/xdg-open", "#!/bin/sh\nexit 3\n");
            std::filesystem::permissions(bin / "xdg-open", std::filesystem::perms::owner_all);
        }
        MainWindow window(1.0);
        window.load();
        window.show();
        window.action(MenuItem::KAISETU)->trigger();
        ASSERT_TRUE(helpShown(window)) << (opener ? "xdg-open failing" : "no xdg-open");
        const QTextBrowser* browser = window.helpWindow();
        EXPECT_TRUE(browser->toPlainText().contains(QStringLiteral("駒の動かし方")));
        EXPECT_EQ(browser->windowTitle(), QStringLiteral("解説"));
    }
    qputenv("PATH", path);
}

}  // namespace
}  // namespace nobakuza
