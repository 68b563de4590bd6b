# Compiles each po/<language>.po with msgfmt into
# ${NOBAKUZA_PROGRAM_DIR}/locale/<language>/LC_MESSAGES/nobakuza.mo (target nobakuza_translations).
# msgfmt --check refuses a catalogue whose translations drop a "{0}" place of their source.
find_program(MSGFMT_EXECUTABLE msgfmt REQUIRED)
file(GLOB NOBAKUZA_PO_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/po/*.po)
set(NOBAKUZA_MO_FILES)
foreach(po IN LISTS NOBAKUZA_PO_FILES)
    get_filename_component(language ${po} NAME_WE)
    set(mo ${NOBAKUZA_PROGRAM_DIR}/locale/${language}/LC_MESSAGES/nobakuza.mo)
    add_custom_command(OUTPUT ${mo}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${NOBAKUZA_PROGRAM_DIR}/locale/${language}/LC_MESSAGES
        COMMAND ${MSGFMT_EXECUTABLE} --check -o ${mo} ${po}
        DEPENDS ${po}
        COMMENT "Compiling the ${language} texts")
    list(APPEND NOBAKUZA_MO_FILES ${mo})
    install(FILES ${mo} DESTINATION ${CMAKE_INSTALL_LOCALEDIR}/${language}/LC_MESSAGES)
endforeach()
add_custom_target(nobakuza_translations ALL DEPENDS ${NOBAKUZA_MO_FILES})
