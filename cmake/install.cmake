# Installing: `cmake --install <build> [--prefix <dir>]`; the Debian package (cmake/package.cmake)
# holds exactly what this installs.
#
#   bin/nobakuza                               launcher: prepares the player's data folder, cds
#                                              into it and starts the program
#   bin/nobakuza-cli                           the command-line tool
#                                              (both in games/ instead under the prefix /usr,
#                                              where Debian keeps games: the Debian package)
#   libexec/nobakuza/nobakuza, Nobakuza.so     the program and its sound library, side by side
#                                              (the program loads the library from its own folder)
#   libexec/nobakuza/NobakuzaGraph.so          the review's graph, loaded the same way
#   share/nobakuza/                            the four sounds and the help pages (Japanese and
#                                              English), copied into the player's data folder by
#                                              the launcher
#   share/locale/en/LC_MESSAGES/nobakuza.mo    the English texts (cmake/translations.cmake), found
#                                              by the program relative to itself
#   share/applications/nobakuza.desktop        menu entry
#   share/metainfo/example.nobakuza.Nobakuza.metainfo.xml    for software centres
#   share/icons/hicolor/scalable/apps/nobakuza.svg, <size>x<size>/apps/nobakuza.png
#   share/man/man6/nobakuza.6.gz, nobakuza-cli.6.gz
#   share/doc/nobakuza/copyright, changelog.gz  (machine-readable) copyright, and the changes
#
# Included at the end of the top-level CMakeLists.txt, once every target is known.
include(GNUInstallDirs)

set(NOBAKUZA_INSTALL_PROGRAM_DIR ${CMAKE_INSTALL_LIBEXECDIR}/nobakuza)
set(NOBAKUZA_INSTALL_DATA_DIR ${CMAKE_INSTALL_DATADIR}/nobakuza)

# Where the two commands go is settled at install time, since one build folder serves both
# `cmake --install --prefix ~/.local` (bin/, on the PATH) and the Debian package (/usr/games).
# The rules below name it as ${NOBAKUZA_COMMAND_DIR}, expanded when they run.
set(NOBAKUZA_COMMAND_DIRS ${CMAKE_INSTALL_BINDIR} games)
install(CODE "
    if(CMAKE_INSTALL_PREFIX STREQUAL \"/usr\")
        set(NOBAKUZA_COMMAND_DIR games)
    else()
        set(NOBAKUZA_COMMAND_DIR \"${CMAKE_INSTALL_BINDIR}\")
    endif()")

if(TARGET Nobakuza)
    install(TARGETS Nobakuza LIBRARY DESTINATION ${NOBAKUZA_INSTALL_PROGRAM_DIR})
endif()
if(TARGET NobakuzaGraph)
    install(TARGETS NobakuzaGraph LIBRARY DESTINATION ${NOBAKUZA_INSTALL_PROGRAM_DIR})
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

install(TARGETS nobakuza-cli RUNTIME DESTINATION \${NOBAKUZA_COMMAND_DIR})
install(FILES ${CMAKE_BINARY_DIR}/packaging/nobakuza.6.gz ${CMAKE_BINARY_DIR}/packaging/nobakuza-cli.6.gz
    DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/copyright ${CMAKE_BINARY_DIR}/packaging/changelog.gz
    DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/nobakuza)

if(TARGET nobakuza)
    install(TARGETS nobakuza RUNTIME DESTINATION ${NOBAKUZA_INSTALL_PROGRAM_DIR})

    # The launcher finds the program and the shipped files relative to itself, so the installed
    # tree can be moved or installed with --prefix or DESTDIR; one launcher for each place it
    # may be installed in.
    foreach(dir IN LISTS NOBAKUZA_COMMAND_DIRS)
        file(RELATIVE_PATH NOBAKUZA_LAUNCHER_TO_PROGRAM
            ${CMAKE_INSTALL_PREFIX}/${dir} ${CMAKE_INSTALL_FULL_LIBEXECDIR}/nobakuza)
        file(RELATIVE_PATH NOBAKUZA_LAUNCHER_TO_DATA
            ${CMAKE_INSTALL_PREFIX}/${dir} ${CMAKE_INSTALL_FULL_DATADIR}/nobakuza)
        configure_file(${CMAKE_SOURCE_DIR}/packaging/nobakuza-launcher.sh.in
            ${CMAKE_BINARY_DIR}/packaging/launcher/${dir}/nobakuza @ONLY)
    endforeach()
    install(PROGRAMS ${CMAKE_BINARY_DIR}/packaging/launcher/\${NOBAKUZA_COMMAND_DIR}/nobakuza
        DESTINATION \${NOBAKUZA_COMMAND_DIR})

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
        set(NOBAKUZA_BINDIR \"\${NOBAKUZA_COMMAND_DIR}\")
        set(NOBAKUZA_DATADIR \"${CMAKE_INSTALL_DATADIR}\")")
    install(SCRIPT ${CMAKE_CURRENT_LIST_DIR}/install_desktop_entry.cmake)
endif()
