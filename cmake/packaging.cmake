# Install layouts and packages. Every destination is relative.
#   portable: one folder (the program, its Data beside it, an empty Weapons folder) to unpack
#             anywhere; the editors can write the data. Packaged as TGZ.
#   system:   the same folder under opt/kalverin, a kalverin link on the path and the desktop
#             files. Packaged as DEB; its Data folder is read-only for users.
set(KALVERIN_INSTALL_LAYOUT "portable" CACHE STRING "portable or system")
set_property(CACHE KALVERIN_INSTALL_LAYOUT PROPERTY STRINGS portable system)

set(KALVERIN_DESKTOP_ID org.kalverin.Kalverin)
# The AppStream data names the project's version and its release date.
set(KALVERIN_METAINFO ${PROJECT_BINARY_DIR}/packaging/${KALVERIN_DESKTOP_ID}.metainfo.xml)
configure_file(${PROJECT_SOURCE_DIR}/packaging/${KALVERIN_DESKTOP_ID}.metainfo.xml.in
               ${KALVERIN_METAINFO} @ONLY)
if(KALVERIN_INSTALL_LAYOUT STREQUAL "system")
    set(program_dir opt/kalverin)
else()
    set(program_dir .)
endif()

install(TARGETS kalverin RUNTIME DESTINATION ${program_dir})
# The printing module, loaded from the program's folder on the first print.
install(TARGETS kalverin_print LIBRARY DESTINATION ${program_dir})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/ DESTINATION ${program_dir}/Data)
file(MAKE_DIRECTORY ${PROJECT_BINARY_DIR}/packaging/empty)
install(DIRECTORY ${PROJECT_BINARY_DIR}/packaging/empty/ DESTINATION ${program_dir}/Weapons)

if(KALVERIN_INSTALL_LAYOUT STREQUAL "system")
    # The link resolves to the real program, whose folder holds Data.
    file(CREATE_LINK ../../opt/kalverin/kalverin ${PROJECT_BINARY_DIR}/packaging/kalverin SYMBOLIC)
    install(FILES ${PROJECT_BINARY_DIR}/packaging/kalverin DESTINATION usr/bin)
    install(FILES ${PROJECT_SOURCE_DIR}/packaging/${KALVERIN_DESKTOP_ID}.desktop
            DESTINATION usr/share/applications)
    install(FILES ${KALVERIN_METAINFO} DESTINATION usr/share/metainfo)
    install(FILES ${KALVERIN_ICON} DESTINATION usr/share/icons/hicolor/scalable/apps
            RENAME ${KALVERIN_DESKTOP_ID}.svg)
    install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION usr/share/doc/kalverin
            RENAME copyright)
else()
    install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION ${program_dir})
endif()

if(KALVERIN_BUILD_TESTS)
    # The desktop entry and the AppStream data, checked as desktops and software centres read
    # them.
    add_test(NAME Packaging.DesktopEntryIsValid
             COMMAND desktop-file-validate
                     ${PROJECT_SOURCE_DIR}/packaging/${KALVERIN_DESKTOP_ID}.desktop)
    add_test(NAME Packaging.MetainfoIsValid
             COMMAND appstreamcli validate --no-net ${KALVERIN_METAINFO})
endif()

set(CPACK_ERROR_ON_ABSOLUTE_INSTALL_DESTINATION ON)
set(CPACK_PACKAGE_NAME kalverin)
set(CPACK_PACKAGE_VENDOR "The Kalverin developers")
set(CPACK_PACKAGE_CONTACT "The Kalverin developers <maintainers@kalverin.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Design firearms under a sourcebook's firearm creation rules")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)
if(KALVERIN_INSTALL_LAYOUT STREQUAL "system")
    set(CPACK_GENERATOR DEB)
    set(CPACK_PACKAGING_INSTALL_PREFIX /)
    set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
    set(CPACK_DEBIAN_PACKAGE_SECTION games)
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
    set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
else()
    set(CPACK_GENERATOR TGZ)
endif()
include(CPack)
