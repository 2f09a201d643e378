# Ships QXM as a desktop program: `cmake --install` lays out the programs,
# the menu entry with its icon, the AppStream record and the man page under
# any prefix, and `cpack -G DEB` packs the same tree into a Debian package. A
# Windows build gets the version record and icon in its executables instead,
# and CPack packs them with the DLLs they need into a ZIP.
include(GNUInstallDirs)

# Desktops match a window to its menu entry, and software centres match the
# AppStream record to both, by one reverse-DNS name: the desktop entry's base
# name, the icon's name and the component id. windows/main/main.cpp gives the
# same name to QApplication::setDesktopFileName.
set(QXM_APP_ID example.quorvel.qxm)
# The X11 window class Qt gives the windows (the application name), so that a
# desktop without the newer hints still groups them under the menu entry.
set(QXM_WM_CLASS QXM)
set(QXM_RELEASE_DATE 2026-12-06)

set(QXM_HOMEPAGE "https://${QXM_WEB_SITE}")

set(QXM_PACKAGING_DIR "${PROJECT_BINARY_DIR}/packaging")
configure_file("${PROJECT_SOURCE_DIR}/resources/${QXM_APP_ID}.desktop.in"
               "${QXM_PACKAGING_DIR}/${QXM_APP_ID}.desktop" @ONLY)
configure_file("${PROJECT_SOURCE_DIR}/resources/${QXM_APP_ID}.metainfo.xml.in"
               "${QXM_PACKAGING_DIR}/${QXM_APP_ID}.metainfo.xml" @ONLY)
configure_file("${PROJECT_SOURCE_DIR}/resources/qxm-convert.1.in"
               "${QXM_PACKAGING_DIR}/qxm-convert.1" @ONLY)

# The Windows version record wants four numbers: 1.00 is 1,0,0,0.
set(QXM_VERSION_NUMBERS "")
foreach(part MAJOR MINOR PATCH TWEAK)
    set(number "${PROJECT_VERSION_${part}}")
    if(number STREQUAL "")
        set(number 0)
    endif()
    math(EXPR number "${number}")
    list(APPEND QXM_VERSION_NUMBERS ${number})
endforeach()
list(JOIN QXM_VERSION_NUMBERS "," QXM_VERSION_NUMBERS)
set(QXM_WINDOWS_ICON "${PROJECT_SOURCE_DIR}/resources/qxm.ico")
foreach(QXM_RC_PROGRAM qxm qxm-convert)
    configure_file("${PROJECT_SOURCE_DIR}/resources/qxm.rc.in" "${QXM_PACKAGING_DIR}/${QXM_RC_PROGRAM}.rc" @ONLY)
    if(WIN32)
        target_sources(${QXM_RC_PROGRAM} PRIVATE "${QXM_PACKAGING_DIR}/${QXM_RC_PROGRAM}.rc")
    endif()
endforeach()

if(WIN32)
    # Unzip and run: the programs, the DLLs and Qt's plugin folders side by
    # side in one folder.
    install(TARGETS qxm qxm-convert RUNTIME DESTINATION .)
    install(FILES ${QXM_MINGW_RUNTIME_DLLS} ${QXM_QT_DLLS} DESTINATION .)
    install(FILES ${QXM_QT_PLATFORM_PLUGIN} DESTINATION platforms)
    install(FILES ${QXM_QT_STYLE_PLUGIN} DESTINATION styles)
    set(CPACK_PACKAGE_NAME qxm)
    set(CPACK_PACKAGE_VENDOR "${QXM_MAKER_NAME}")
    set(CPACK_SYSTEM_NAME win64)
    set(CPACK_STRIP_FILES ON)
    set(CPACK_GENERATOR ZIP)
    include(CPack)
    return()
endif()

# The programs link only against the system's libraries, so the installed
# copies need no search path of their own (which Debian's policy forbids).
set_target_properties(qxm qxm-convert PROPERTIES INSTALL_RPATH "")
install(TARGETS qxm qxm-convert RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}")
install(FILES "${QXM_PACKAGING_DIR}/${QXM_APP_ID}.desktop"
        DESTINATION "${CMAKE_INSTALL_DATAROOTDIR}/applications")
install(FILES "${QXM_PACKAGING_DIR}/${QXM_APP_ID}.metainfo.xml"
        DESTINATION "${CMAKE_INSTALL_DATAROOTDIR}/metainfo")
foreach(size 16 32 48 128 256)
    install(FILES "${PROJECT_SOURCE_DIR}/resources/qxm-${size}.png"
            DESTINATION "${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/${size}x${size}/apps"
            RENAME "${QXM_APP_ID}.png")
endforeach()

# The licence, as Debian keeps it for every package: a machine-readable
# copyright file in the package's documentation folder.
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/LICENSE")
file(READ "${PROJECT_SOURCE_DIR}/LICENSE" QXM_LICENSE_TEXT)
string(REGEX REPLACE "^MIT License\n\n[^\n]*\n\n" "" QXM_LICENSE_TERMS "${QXM_LICENSE_TEXT}")
string(REGEX REPLACE "\n\n" "\n.\n" QXM_LICENSE_TERMS "${QXM_LICENSE_TERMS}")
string(REGEX REPLACE "\n([^\n])" "\n \\1" QXM_LICENSE_TERMS "${QXM_LICENSE_TERMS}")
string(REGEX MATCH "Copyright \\(c\\) ([^\n]*)" QXM_COPYRIGHT_LINE "${QXM_LICENSE_TEXT}")
file(WRITE "${QXM_PACKAGING_DIR}/copyright"
    "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n"
    "Upstream-Name: qxm\n"
    "Upstream-Contact: ${QXM_MAKER_NAME} <${QXM_EMAIL}>\n"
    "Source: ${QXM_HOMEPAGE}\n"
    "\n"
    "Files: *\n"
    "Copyright: ${CMAKE_MATCH_1}\n"
    "License: MIT\n"
    " ${QXM_LICENSE_TERMS}")
install(FILES "${QXM_PACKAGING_DIR}/copyright" DESTINATION "${CMAKE_INSTALL_DATAROOTDIR}/doc/qxm")

# Man pages go in compressed, as Debian's own packages have them.
find_program(QXM_GZIP gzip)
if(QXM_GZIP)
    add_custom_command(
        OUTPUT "${QXM_PACKAGING_DIR}/qxm-convert.1.gz"
        COMMAND "${QXM_GZIP}" -9 -n -k -f qxm-convert.1
        WORKING_DIRECTORY "${QXM_PACKAGING_DIR}"
        DEPENDS "${QXM_PACKAGING_DIR}/qxm-convert.1"
        VERBATIM)
    add_custom_target(qxm_man_page ALL DEPENDS "${QXM_PACKAGING_DIR}/qxm-convert.1.gz")
    set(QXM_MAN_PAGE "${QXM_PACKAGING_DIR}/qxm-convert.1.gz")
else()
    set(QXM_MAN_PAGE "${QXM_PACKAGING_DIR}/qxm-convert.1")
endif()
install(FILES "${QXM_MAN_PAGE}" DESTINATION "${CMAKE_INSTALL_MANDIR}/man1")

set(CPACK_PACKAGE_NAME qxm)
set(CPACK_PACKAGE_VENDOR "${QXM_MAKER_NAME}")
set(CPACK_PACKAGE_CONTACT "${QXM_MAKER_NAME} <${QXM_EMAIL}>")
set(CPACK_PACKAGE_HOMEPAGE_URL "${QXM_HOMEPAGE}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
# Debian wants short lines; an empty one separates paragraphs.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "QXM turns the text you type into the font bytes of a 5-column by 7-row\n"
    "LED dot-matrix display, ready to paste into a BASIC program: one Data\n"
    "line per character, its five column bytes followed by a comment that\n"
    "shows the character.\n"
    "\n"
    "The package holds the desktop program qxm and the command qxm-convert,\n"
    "which does the same conversion for scripts.")
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# dpkg-shlibdeps names the Qt, FreeType and C++ runtime packages the programs
# link to.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The windows were laid out for fonts whose metrics Liberation Sans shares;
# elsewhere their texts shrink to fit.
set(CPACK_DEBIAN_PACKAGE_DEPENDS fonts-liberation)
include(CPack)
