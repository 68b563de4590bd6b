# Install-time step: writes share/applications/nobakuza.desktop naming the installed launcher.
# Set beforehand: NOBAKUZA_DESKTOP_TEMPLATE, NOBAKUZA_BINDIR, NOBAKUZA_DATADIR.
set(bindir "${NOBAKUZA_BINDIR}")
if(NOT IS_ABSOLUTE "${bindir}")
    set(bindir "${CMAKE_INSTALL_PREFIX}/${bindir}")
endif()
set(datadir "${NOBAKUZA_DATADIR}")
if(NOT IS_ABSOLUTE "${datadir}")
    set(datadir "${CMAKE_INSTALL_PREFIX}/${datadir}")
endif()

# A path that would need quoting in an Exec line is left to PATH instead.
set(NOBAKUZA_DESKTOP_EXEC "${bindir}/nobakuza")
if(NOT NOBAKUZA_DESKTOP_EXEC MATCHES "^[A-Za-z0-9/._+-]+$")
    set(NOBAKUZA_DESKTOP_EXEC nobakuza)
endif()

set(entry "$ENV{DESTDIR}${datadir}/applications/nobakuza.desktop")
message(STATUS "Installing: ${entry}")
configure_file("${NOBAKUZA_DESKTOP_TEMPLATE}" "${entry}" @ONLY)
list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${entry}")
