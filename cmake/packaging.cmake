# Install layouts and packages. Every destination is relative.
#   portable: one folder (the program, its Data beside it, an empty Weapons folder, the desktop
#             files and README-portable) to unpack anywhere; the editors can write the data.
#             Packaged as TGZ.
#   system:   the program and its Data under opt/kalverin and the desktop files where the
#             desktop looks for them. Packaged as DEB, whose maintainer scripts put kalverin on
#             the path; its Data folder is read-only for users, whose first save in an editor
#             makes their own copy under ~/.local/share/kalverin. No Weapons folder: the program
#             offers the one under the folder it is started from, never one beside it.
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
set(desktop_entry ${PROJECT_SOURCE_DIR}/packaging/${KALVERIN_DESKTOP_ID}.desktop)
# The weapon file's type: .wpn files are application/x-kalverin-weapon, a kind of text file.
set(mime_type ${PROJECT_SOURCE_DIR}/packaging/${KALVERIN_DESKTOP_ID}.mime.xml)

if(KALVERIN_INSTALL_LAYOUT STREQUAL "system")
    # Installing these three runs the triggers of shared-mime-info, desktop-file-utils and the
    # icon theme, which bring the desktop's MIME, application and icon caches up to date.
    install(FILES ${desktop_entry} DESTINATION usr/share/applications)
    install(FILES ${mime_type} DESTINATION usr/share/mime/packages
            RENAME ${KALVERIN_DESKTOP_ID}.xml)
    install(FILES ${KALVERIN_ICON} DESTINATION usr/share/icons/hicolor/scalable/apps
            RENAME ${KALVERIN_DESKTOP_ID}.svg)
    install(FILES ${KALVERIN_METAINFO} DESTINATION usr/share/metainfo)
    install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION usr/share/doc/kalverin
            RENAME copyright)
else()
    # Weapon files are offered in the Weapons folder under the folder the program is started
    # from: this one, when it is started here.
    file(MAKE_DIRECTORY ${PROJECT_BINARY_DIR}/packaging/empty)
    install(DIRECTORY ${PROJECT_BINARY_DIR}/packaging/empty/ DESTINATION ${program_dir}/Weapons)
    install(FILES ${PROJECT_SOURCE_DIR}/LICENSE ${PROJECT_SOURCE_DIR}/packaging/README-portable
                  ${desktop_entry} DESTINATION ${program_dir})
    install(FILES ${mime_type} DESTINATION ${program_dir} RENAME ${KALVERIN_DESKTOP_ID}.xml)
    install(FILES ${KALVERIN_ICON} DESTINATION ${program_dir} RENAME ${KALVERIN_DESKTOP_ID}.svg)
endif()

if(KALVERIN_BUILD_TESTS)
    # The desktop entry and the AppStream data, checked as desktops and software centres read
    # them; and the desktop's reading of a weapon file's type, and of the program that opens it.
    add_test(NAME Packaging.DesktopEntryIsValid COMMAND desktop-file-validate ${desktop_entry})
    add_test(NAME Packaging.MetainfoIsValid
             COMMAND appstreamcli validate --no-net ${KALVERIN_METAINFO})
    add_test(NAME Packaging.WeaponFilesOpenInKalverin
             COMMAND bash ${PROJECT_SOURCE_DIR}/tests/packaging/file_type_test.sh ${mime_type}
                     ${desktop_entry})
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
    set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${PROJECT_SOURCE_DIR}/packaging/deb/postinst
                                           ${PROJECT_SOURCE_DIR}/packaging/deb/prerm)
    set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
else()
    set(CPACK_GENERATOR TGZ)
endif()
include(CPack)
