# Installing: `cmake --install <build> [--prefix <dir>]`; the Debian package (cmake/package.cmake)
# holds exactly what this installs.
#
#   bin/nobakuza                               launcher: prepares the player's data folder, cds
#                                              into it and starts the program
#   bin/nobakuza-cli                           the command-line tool
#   libexec/nobakuza/nobakuza, Nobakuza.so     the program and its sound library, side by side
#                                              (the program loads the library from its own folder)
#   share/nobakuza/                            the four sounds and the help pages (Japanese and
#                                              English), copied into the player's data folder by
#                                              the launcher
#   share/locale/en/LC_MESSAGES/nobakuza.mo    the English texts (cmake/translations.cmake), found
#                                              by the program relative to itself
#   share/applications/nobakuza.desktop        menu entry
#   share/metainfo/example.nobakuza.Nobakuza.metainfo.xml    for software centres
#   share/icons/hicolor/scalable/apps/nobakuza.svg, <size>x<size>/apps/nobakuza.png
#   share/man/man6/nobakuza.6.gz, nobakuza-cli.6.gz
#
# Included at the end of the top-level CMakeLists.txt, once every target is known.
include(GNUInstallDirs)

set(NOBAKUZA_INSTALL_PROGRAM_DIR ${CMAKE_INSTALL_LIBEXECDIR}/nobakuza)
set(NOBAKUZA_INSTALL_DATA_DIR ${CMAKE_INSTALL_DATADIR}/nobakuza)

if(TARGET Nobakuza)
    install(TARGETS Nobakuza LIBRARY DESTINATION ${NOBAKUZA_INSTALL_PROGRAM_DIR})
endif()

if(TARGET nobakuza_sounds)
    install(FILES
        ${NOBAKUZA_PROGRAM_DIR}/その他.wav
        ${NOBAKUZA_PROGRAM_DIR}/禁止.wav
        ${NOBAKUZA_PROGRAM_DIR}/駒打音.wav
        ${NOBAKUZA_PROGRAM_DIR}/BGM.wav
        DESTINATION ${NOBAKUZA_INSTALL_DATA_DIR})
endif()

install(FILES ${CMAKE_SOURCE_DIR}/assets/Nobakuza.htm ${CMAKE_SOURCE_DIR}/assets/Nobakuza.en.htm
    DESTINATION ${NOBAKUZA_INSTALL_DATA_DIR})

install(TARGETS nobakuza-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${CMAKE_BINARY_DIR}/packaging/nobakuza.6.gz ${CMAKE_BINARY_DIR}/packaging/nobakuza-cli.6.gz
    DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)

if(TARGET nobakuza)
    install(TARGETS nobakuza RUNTIME DESTINATION ${NOBAKUZA_INSTALL_PROGRAM_DIR})

    # The launcher finds the program and the shipped files relative to itself, so the installed
    # tree can be moved or installed with --prefix or DESTDIR.
    file(RELATIVE_PATH NOBAKUZA_LAUNCHER_TO_PROGRAM
        ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_LIBEXECDIR}/nobakuza)
    file(RELATIVE_PATH NOBAKUZA_LAUNCHER_TO_DATA
        ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_DATADIR}/nobakuza)
    configure_file(${CMAKE_SOURCE_DIR}/packaging/nobakuza-launcher.sh.in
        ${CMAKE_BINARY_DIR}/packaging/nobakuza @ONLY)
    install(PROGRAMS ${CMAKE_BINARY_DIR}/packaging/nobakuza DESTINATION ${CMAKE_INSTALL_BINDIR})

    install(FILES ${CMAKE_SOURCE_DIR}/packaging/nobakuza.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
    foreach(size IN LISTS NOBAKUZA_ICON_SIZES)
        install(FILES ${NOBAKUZA_ICON_DIR}/${size}x${size}/apps/nobakuza.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
    endforeach()
    install(FILES ${CMAKE_SOURCE_DIR}/packaging/nobakuza.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo
        RENAME example.nobakuza.Nobakuza.metainfo.xml)

    # The menu entry names the launcher by its full path, which is known only at install time
    # (--prefix may differ from the configured prefix).
    install(CODE "set(NOBAKUZA_DESKTOP_TEMPLATE \"${CMAKE_SOURCE_DIR}/packaging/nobakuza.desktop.in\")
        set(NOBAKUZA_BINDIR \"${CMAKE_INSTALL_BINDIR}\")
        set(NOBAKUZA_DATADIR \"${CMAKE_INSTALL_DATADIR}\")")
    install(SCRIPT ${CMAKE_CURRENT_LIST_DIR}/install_desktop_entry.cmake)
endif()
