# Install layout and the Debian package.
#
# Linux: the executable and its html/ folder live together in a private folder,
# <libdir>/kestrova, because the program looks for its page beside the executable;
# <bindir>/kestrova is a symlink to it (the program resolves the link through
# /proc/self/exe). Windows: the executable and html/ together in <bindir>.
include(GNUInstallDirs)

set(KESTROVA_APP_ID org.quorvane.Kestrova)

if(WIN32)
    install(TARGETS kestrova RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    install(DIRECTORY ${CMAKE_SOURCE_DIR}/html/ DESTINATION ${CMAKE_INSTALL_BINDIR}/html
            PATTERN "*.md" EXCLUDE)
else()
    set(kestrova_app_dir ${CMAKE_INSTALL_LIBDIR}/kestrova)
    install(TARGETS kestrova RUNTIME DESTINATION ${kestrova_app_dir})
    install(DIRECTORY ${CMAKE_SOURCE_DIR}/html/ DESTINATION ${kestrova_app_dir}/html
            PATTERN "*.md" EXCLUDE)

    # A relative link keeps the installed tree relocatable (DESTDIR, the package).
    file(RELATIVE_PATH kestrova_link_target
         ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_LIBDIR}/kestrova/kestrova)
    file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/install-link)
    file(CREATE_LINK ${kestrova_link_target} ${CMAKE_BINARY_DIR}/install-link/kestrova SYMBOLIC)
    install(FILES ${CMAKE_BINARY_DIR}/install-link/kestrova DESTINATION ${CMAKE_INSTALL_BINDIR})

    install(FILES ${CMAKE_SOURCE_DIR}/res/${KESTROVA_APP_ID}.desktop
            DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES ${CMAKE_SOURCE_DIR}/res/${KESTROVA_APP_ID}.metainfo.xml
            DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
    foreach(size 16 24 32 48 64 128 256)
        install(FILES ${CMAKE_SOURCE_DIR}/res/icons/kestrova-${size}.png
                DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
                RENAME ${KESTROVA_APP_ID}.png)
    endforeach()
    install(FILES ${CMAKE_SOURCE_DIR}/res/kestrova.svg
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
            RENAME ${KESTROVA_APP_ID}.svg)
endif()

set(CPACK_PACKAGE_NAME kestrova)
set(CPACK_PACKAGE_VENDOR Quorvane)
set(CPACK_PACKAGE_VERSION ${KESTROVA_VERSION_TEXT})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Occupational-health forms for a clinic")
set(CPACK_PACKAGE_DESCRIPTION
    "Kestrova fills in, saves, reopens and prints the forms of an occupational-health\n\
examination: DOT/FMCSA, OSHA, FMLA, OWCP/FECA and the clinic's own forms.\n\
Records are UTF-8 files in the user's data folder.")
set(CPACK_PACKAGE_CONTACT "Quorvane <kestrova@quorvane.invalid>")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)            # kestrova_2.02_<arch>.deb
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# dpkg-shlibdeps sees only linked libraries; the page also needs the engine's helper
# process and at least one font.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6webenginecore6-bin, fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
