# The Debian package: `cpack -G DEB` in the build folder makes nobakuza_<version>_amd64.deb with
# everything `cmake --install` installs, under /usr. The libraries it needs are found by
# dpkg-shlibdeps (Qt 6 for the program, SDL2_mixer for the sound library); the fonts the pieces and
# texts are drawn in are named here. Install it with `apt install ./nobakuza_*.deb`.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME nobakuza)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "shogi on two boards at once")
# Debian shows the description as it stands: lines within 80 columns (lintian).
set(CPACK_PACKAGE_DESCRIPTION
    "Nobakuza is shogi played on two full boards side by side, against the
computer or a second player at the same screen. The players share one
turn: a move is made on either board, and a piece that moves to a square
also captures an enemy piece on the same square of the other board.
The computer plays at five levels, the top two searching both boards
together, and gives a hint on request; a handicap ladder has 21 grades.
Game records are saved, loaded and stepped through. The package also
holds nobakuza-cli, which runs the rules and the computer player without
a window.")
set(CPACK_PACKAGE_CONTACT "The Nobakuza developers <games@nobakuza.example>")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://nobakuza.example/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic, fonts-ipafont-mincho")
# The help page opens in the desktop's web browser.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
include(CPack)
