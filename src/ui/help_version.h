// The その他 menu: 解説 opens the help page in the desktop's web browser, バージョン情報 shows the
// small modal version dialog. The Qt dialog and the browser live in the window code; this is
// what they show and where the page is.
//
//   Form_Load:      startDirectory = currentDirectory();
//   KAISETU_Click:  if (auto page = findHelpPage(startDirectory)) browser.openLocalPage(*page);
//                   without a browser the page opens in a window of the program's own, and a
//                   missing page is told in a box.
//   VER_Click:      close the file panel, play soundOther, show the dialog modally (its texts
//                   and geometry below).
//   ホームページ:    open homePageAddress in the browser (a failure is ignored), close the dialog.
//   O K:            close the dialog.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace nobakuza {

inline constexpr std::string_view programName = "Nobakuza";
inline constexpr std::string_view programVersion = "1.0.0";
inline constexpr std::string_view helpFileName = "Nobakuza.htm";
// The same page in English, beside it.
inline constexpr std::string_view englishHelpFileName = "Nobakuza.en.htm";
// The maker's home page.
inline constexpr std::string_view homePageAddress = "https://nobakuza.example/";

// The folder the program was started in ("" when it cannot be told).
std::string currentDirectory();

// startDirectory + "/" + Nobakuza.htm when that is a regular file; otherwise nothing.
std::optional<std::string> findHelpPage(const std::string& startDirectory,
                                        std::string_view fileName = helpFileName);

// A file:// address for an absolute path, with the bytes that may not appear in an address
// (spaces, non-ASCII names, '%', '#', '?') percent-encoded.
std::string fileUrlFor(const std::string& absolutePath);

// The version dialog (Form2). Geometry in twips, as laid out on the dialog's client area.
struct DialogButton {
    std::string_view caption;
    int x, y, width, height;
};
inline constexpr std::string_view versionDialogTitle = "バージョン情報";
inline constexpr DialogButton homePageButton = {"ホームページ", 600, 1080, 1575, 375};
inline constexpr DialogButton okButton = {"O K", 2880, 1080, 1575, 375};
inline constexpr int versionDialogWidth = 5055;   // buttons with 600 twips either side
inline constexpr int versionDialogHeight = 1695;  // buttons with 240 twips below
// The picture above the buttons: 0..versionPictureHeight twips from the top.
inline constexpr int versionPictureHeight = 960;

// The lines printed on the version picture, top to bottom.
std::array<std::string, 3> versionPictureLines();

}  // namespace nobakuza
