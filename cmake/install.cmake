# SPDX-License-Identifier: GPL-3.0-or-later
# Two layouts. The portable one (the default, for install-user.sh and the archive): the program
# folder PREFIX/lintrel holds the executable and the examples, and the program keeps its
# settings beside its executable, so PREFIX must be a folder its user owns; PREFIX/bin/lintrel
# links to the executable. The system one (LINTREL_SYSTEM_INSTALL, for packagers and the
# Debian package): the usual Linux places, the program in bin/, the examples and documents
# under share/doc/lintrel, a manual page; the program then keeps its settings in the user's
# configuration folder. Both put the desktop entry, icons and metainfo under PREFIX/share.
option(LINTREL_SYSTEM_INSTALL "Install into bin/ and share/ as a distribution does" OFF)

if(LINTREL_SYSTEM_INSTALL)
    set(CMAKE_INSTALL_DOCDIR share/doc/lintrel)
    include(GNUInstallDirs)
    install(TARGETS lintrel RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    install(DIRECTORY examples/ DESTINATION ${CMAKE_INSTALL_DOCDIR}/examples)
    install(FILES README.md DESTINATION ${CMAKE_INSTALL_DOCDIR})
    install(FILES data/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})
    # The changelogs a package's documents hold, compressed as Debian keeps them.
    # The release's day, from its section of CHANGELOG.md, in the Debian changelog's form.
    file(STRINGS CHANGELOG.md release REGEX "^## ${PROJECT_VERSION} - [0-9-]+$")
    if(NOT release)
        message(FATAL_ERROR "CHANGELOG.md has no section \"## ${PROJECT_VERSION} - DATE\"")
    endif()
    string(REGEX REPLACE "^## [^ ]+ - " "" release_date "${release}")
    execute_process(COMMAND date -u -R -d "${release_date} 12:00:00 UTC"
        OUTPUT_VARIABLE LINTREL_RELEASE_DATE_DEBIAN OUTPUT_STRIP_TRAILING_WHITESPACE
        COMMAND_ERROR_IS_FATAL ANY)
    configure_file(data/changelog.Debian.in changelog.Debian @ONLY)
    foreach(log IN ITEMS changelog.Debian CHANGELOG.md)
        set(from ${CMAKE_CURRENT_BINARY_DIR}/${log})
        if(log STREQUAL CHANGELOG.md)
            set(from ${CMAKE_CURRENT_SOURCE_DIR}/CHANGELOG.md)
        endif()
        set(to ${CMAKE_CURRENT_BINARY_DIR}/${log}.gz)
        if(log STREQUAL CHANGELOG.md)
            set(to ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz)
        endif()
        add_custom_command(OUTPUT ${to} COMMAND gzip -9nc ${from} > ${to} DEPENDS ${from})
        list(APPEND changelogs ${to})
    endforeach()
    # The manual page, kept by hand (tests/manual_page.sh compares its options with --help).
    set(LINTREL_RELEASE_DATE ${release_date})
    configure_file(data/lintrel.1.in lintrel.1 @ONLY)
    set(manual ${CMAKE_CURRENT_BINARY_DIR}/lintrel.1.gz)
    add_custom_command(OUTPUT ${manual}
        COMMAND gzip -9nc ${CMAKE_CURRENT_BINARY_DIR}/lintrel.1 > ${manual}
        DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/lintrel.1)
    add_custom_target(lintrel_documents ALL DEPENDS ${manual} ${changelogs})
    install(FILES ${changelogs} DESTINATION ${CMAKE_INSTALL_DOCDIR})
    install(FILES ${manual} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
else()
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
endif()

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

# `cpack` in the build folder makes Lintrel-VERSION-Linux.tar.gz of the portable layout, or
# with LINTREL_SYSTEM_INSTALL the Debian package lintrel_VERSION_ARCH.deb, both stripped, its
# dependencies worked out from the libraries the program links.
set(CPACK_PACKAGE_NAME Lintrel)
set(CPACK_PACKAGE_VENDOR "The Lintrel developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "reader for plain-text note files")
set(CPACK_SOURCE_GENERATOR "")
# Both ship the program stripped (17 MB with its debugging information, under 0.5 MB without).
set(CPACK_STRIP_FILES ON)
if(LINTREL_SYSTEM_INSTALL)
    set(CPACK_GENERATOR DEB)
    set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
    set(CPACK_DEBIAN_PACKAGE_NAME lintrel)
    set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
    set(CPACK_DEBIAN_PACKAGE_SECTION text)
    set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
    set(CPACK_DEBIAN_PACKAGE_MAINTAINER "The Lintrel developers <developers@lintrel.invalid>")
    set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
        "reader for plain-text note files, one note at a time")
    string(CONCAT CPACK_DEBIAN_PACKAGE_DESCRIPTION
        "Lintrel shows a plain-text file of notes one note at a time: one note per\n"
        "line, or notes cut by a separator line or a separator string. Step back and\n"
        "forth past blank notes, draw a random note, jump to a note number, or hand the\n"
        "file to a text editor. It opens files of a gigabyte in a moment, and keeps its\n"
        "settings in four small text files in the user's configuration folder.")
    set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
else()
    set(CPACK_GENERATOR TGZ)
endif()
include(CPack)
