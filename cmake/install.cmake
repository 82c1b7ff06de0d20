# SPDX-License-Identifier: GPL-3.0-or-later
# The portable program folder, PREFIX/lintrel, holds the executable and the examples; the
# program keeps its settings beside its executable, so PREFIX must be a folder its user owns.
# PREFIX/bin/lintrel links to the executable, and the desktop entry, icons and metainfo go to
# PREFIX/share, where a desktop finds them when PREFIX is ~/.local.
install(TARGETS lintrel RUNTIME DESTINATION lintrel)
install(DIRECTORY examples/ DESTINATION lintrel/examples)
# What a user of an unpacked archive reads first: the README, the licence, how to start it.
install(FILES README.md LICENSE data/START.txt DESTINATION lintrel)

install(CODE [[
    set(root "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")
    file(MAKE_DIRECTORY "${root}/bin")
    file(CREATE_LINK ../lintrel/lintrel "${root}/bin/lintrel" SYMBOLIC)
    # Listed in install_manifest.txt with the files, so that uninstalling finds it.
    list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${root}/bin/lintrel")
]])

# The desktop entry names the link by its full path, except in an archive, which can be
# unpacked anywhere: there it names the program as found on PATH.
install(CODE "set(LINTREL_APP_ID ${LINTREL_APP_ID})
    set(LINTREL_SOURCE_DIR \"${CMAKE_CURRENT_SOURCE_DIR}\")")
install(CODE [[
    if(CMAKE_INSTALL_PREFIX MATCHES "_CPack_Packages" OR "$ENV{DESTDIR}" MATCHES "_CPack_Packages")
        set(LINTREL_EXEC lintrel)
    else()
        set(LINTREL_EXEC "${CMAKE_INSTALL_PREFIX}/bin/lintrel")
    endif()
    # TryExec is a plain string; Exec quotes a path holding anything but the plainest
    # characters, as the desktop entry format asks: inside the quotes a backslash, a quote,
    # a backtick and a dollar are escaped with a backslash, then every backslash is doubled
    # (the string rule), and a percent sign is doubled (the field-code rule).
    string(REPLACE "\\" "\\\\" LINTREL_TRY_EXEC "${LINTREL_EXEC}")
    set(exec "${LINTREL_EXEC}")
    if(exec MATCHES "[^A-Za-z0-9/._+-]")
        string(REGEX REPLACE "([\\\"`$])" "\\\\\\1" exec "${exec}")
        set(exec "\"${exec}\"")
        string(REPLACE "\\" "\\\\" exec "${exec}")
    endif()
    string(REPLACE "%" "%%" LINTREL_EXEC "${exec}")
    set(applications "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/share/applications")
    file(MAKE_DIRECTORY "${applications}")
    configure_file("${LINTREL_SOURCE_DIR}/data/${LINTREL_APP_ID}.desktop.in"
                   "${applications}/${LINTREL_APP_ID}.desktop" @ONLY)
    message(STATUS "Installing: ${applications}/${LINTREL_APP_ID}.desktop")
    list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${applications}/${LINTREL_APP_ID}.desktop")
]])

install(FILES data/${LINTREL_APP_ID}.metainfo.xml DESTINATION share/metainfo)
install(FILES data/icons/${LINTREL_APP_ID}.svg DESTINATION share/icons/hicolor/scalable/apps)
foreach(size IN LISTS LINTREL_ICON_SIZES)
    install(FILES data/icons/${LINTREL_APP_ID}-${size}.png
            DESTINATION share/icons/hicolor/${size}x${size}/apps
            RENAME ${LINTREL_APP_ID}.png)
endforeach()

# `cpack` in the build folder makes Lintrel-VERSION-Linux.tar.gz of the same layout.
set(CPACK_GENERATOR TGZ)
set(CPACK_PACKAGE_NAME Lintrel)
set(CPACK_PACKAGE_VENDOR "The Lintrel developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "A reader for plain-text note files")
set(CPACK_SOURCE_GENERATOR "")
include(CPack)
