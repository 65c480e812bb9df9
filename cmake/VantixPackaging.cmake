# Installation and the Debian package (cpack -G DEB, or ./scripts/package.sh).
# The version comes from project() alone: it is VANTIX_VERSION in the
# programs, the package version, the manual pages' footer and the metainfo's
# release.

include(GNUInstallDirs)

set(VANTIX_APP_ID "org.vantix.Vantix")
set(VANTIX_RELEASE_DATE "2026-12-09")
set(VANTIX_HOMEPAGE "https://vantix.example.org/" CACHE STRING
    "Home page named by the package and the AppStream metainfo")
set(VANTIX_MAINTAINER "Vantix developers <vantix@example.org>" CACHE STRING
    "Maintainer field of the Debian package")

set(VANTIX_DATA_DIR ${CMAKE_CURRENT_BINARY_DIR}/share)

# Manual pages, compressed as Debian ships them.
set(VANTIX_MAN_PAGES vantix-calc.1)
if(VANTIX_BUILD_GUI)
    list(APPEND VANTIX_MAN_PAGES vantix.1)
endif()
set(VANTIX_DATA_FILES "")
foreach(page ${VANTIX_MAN_PAGES})
    configure_file(res/man/${page}.in ${VANTIX_DATA_DIR}/man/${page} @ONLY)
    add_custom_command(OUTPUT ${VANTIX_DATA_DIR}/man/${page}.gz
        COMMAND gzip -9nkf ${VANTIX_DATA_DIR}/man/${page}
        DEPENDS ${VANTIX_DATA_DIR}/man/${page} VERBATIM)
    list(APPEND VANTIX_DATA_FILES ${VANTIX_DATA_DIR}/man/${page}.gz)
endforeach()

# Bash completion, written by the program from its own option tables.
add_custom_command(OUTPUT ${VANTIX_DATA_DIR}/vantix-calc.bash
    COMMAND sh -c "\"$1\" --completion bash >\"$2\"" sh $<TARGET_FILE:vantix-calc>
            ${VANTIX_DATA_DIR}/vantix-calc.bash
    DEPENDS vantix-calc VERBATIM)
list(APPEND VANTIX_DATA_FILES ${VANTIX_DATA_DIR}/vantix-calc.bash)

# Debian's changelog. A new version needs its entry there too; the package
# test compares them.
add_custom_command(OUTPUT ${VANTIX_DATA_DIR}/changelog.gz
    COMMAND sh -c "gzip -9n <\"$1\" >\"$2\"" sh ${CMAKE_CURRENT_SOURCE_DIR}/res/debian/changelog
            ${VANTIX_DATA_DIR}/changelog.gz
    DEPENDS res/debian/changelog VERBATIM)
list(APPEND VANTIX_DATA_FILES ${VANTIX_DATA_DIR}/changelog.gz)
add_custom_target(vantix_data ALL DEPENDS ${VANTIX_DATA_FILES})

install(TARGETS vantix-calc RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${VANTIX_DATA_DIR}/vantix-calc.bash
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME vantix-calc)
foreach(page ${VANTIX_MAN_PAGES})
    install(FILES ${VANTIX_DATA_DIR}/man/${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
install(FILES ${VANTIX_DATA_DIR}/changelog.gz DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/vantix)
# The guide is built into the program too (ヘルプ > Vantix の使い方, F1).
install(FILES docs/user-guide.md DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/vantix)
# GPL-3.0-or-later (LICENSE); Debian's machine-readable form of it.
install(FILES res/debian/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/vantix)

if(NOT VANTIX_BUILD_GUI)
    return()
endif()

install(TARGETS vantix RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# Desktop integration: the menu entry (opens .txt logs), the icon (a simpler
# drawing for the small sizes, where the letters cannot be read) and the
# software-centre metadata.
# The desktop id is the AppStream id, as software centres match them.
install(FILES res/vantix.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications
        RENAME ${VANTIX_APP_ID}.desktop)
install(FILES res/icons/vantix.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES res/icons/vantix-small.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/16x16/apps RENAME vantix.svg)
configure_file(res/metainfo/vantix.metainfo.xml.in
               ${VANTIX_DATA_DIR}/${VANTIX_APP_ID}.metainfo.xml @ONLY)
install(FILES ${VANTIX_DATA_DIR}/${VANTIX_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# ---- Debian package ---------------------------------------------------------
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vantix)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${VANTIX_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${VANTIX_HOMEPAGE}")
set(CPACK_DEBIAN_PACKAGE_SECTION hamradio)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries come from dpkg-shlibdeps. What it cannot see: the dialogs are
# laid out in IPAPGothic, and the toolkit's own buttons and dialogs are
# translated by qtbase_ja.qm, which Qt looks for in its translations folder.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "bash-completion")
# The summary is the synopsis line; the description below becomes the
# extended one, each line indented and the empty ones written " .".
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "calculator for hand-built radio-frequency circuits")
string(CONCAT CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Vantix works out the parts of radio-frequency circuits built by hand: an\n"
    "LSB ladder crystal filter, an L-match, toroidal coils (with a wizard that\n"
    "searches a built-in core catalogue), single-layer air-core coils (with a\n"
    "turns wizard), a pi attenuator and the tank circuit of a VFO. Each\n"
    "calculator is a dialog; its report is appended to a plain-text log\n"
    "(Shift-JIS, CR LF) that can be edited, saved and printed. The user\n"
    "interface and the reports are Japanese.\n"
    "\n"
    "Designers go further: pi, T and bridged-T attenuators from standard\n"
    "resistor values, the wire for toroidal and air-core coils, and ladder\n"
    "crystal filters of two to eight crystals designed with their holder\n"
    "capacitance taken into account, with the response charted, crystals\n"
    "measured and matched sets picked.\n"
    "\n"
    "vantix-calc runs every calculator from the command line with the same\n"
    "ranges, formulas and report text as the dialogs.\n"
    "\n"
    "高周波回路を手作りする人のための計算ツールです。ラダー型クリスタル\n"
    "フィルター、Ｌマッチ、トロイダルコイル、空芯コイル、π型アッテネータ、\n"
    "ＶＦＯのタンク回路を計算し、レポートをログに追加します。標準抵抗値の\n"
    "アッテネータ、コイルの巻線、水晶フィルターも設計できます。")
include(CPack)
