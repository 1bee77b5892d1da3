# The program's files beside the executable in the build tree, the installation in the
# file-system layout of a Linux desktop, and the Debian package.
#
# Installed layout, for `cmake --install <build> --prefix P`:
#   P/bin/yurana                   the program
#   P/share/yurana/*.bmp           the scene bitmaps (the program looks beside itself
#   P/share/yurana/guide/          first, then in ../share/yurana), the user guide and
#   P/share/yurana/icons/          the icon for its windows
#   P/share/applications/yurana.desktop, P/share/icons/hicolor/*/apps/yurana.{png,svg},
#   P/share/metainfo/io.github.yurana.yurana.metainfo.xml
#
# Run as a script (cmake -P) this file is the install check of the test suite: it
# installs into a fresh prefix, checks every part and starts the installed program.

if(CMAKE_SCRIPT_MODE_FILE)
    foreach(var BUILD PREFIX SOURCE)
        if(NOT DEFINED ${var})
            message(FATAL_ERROR "install check: -D${var}=... is required")
        endif()
    endforeach()
    file(REMOVE_RECURSE ${PREFIX})
    execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${PREFIX}
                    RESULT_VARIABLE rc OUTPUT_QUIET)
    if(NOT rc EQUAL 0)
        message(FATAL_ERROR "install check: cmake --install failed (${rc})")
    endif()
    file(GLOB bitmaps RELATIVE ${SOURCE}/data ${SOURCE}/data/*.bmp)
    set(expected bin/yurana share/yurana/guide/index.html share/applications/yurana.desktop
        share/metainfo/io.github.yurana.yurana.metainfo.xml
        share/icons/hicolor/scalable/apps/yurana.svg)
    foreach(size 16 32 48 64 128 256)
        list(APPEND expected share/icons/hicolor/${size}x${size}/apps/yurana.png
             share/yurana/icons/yurana-${size}.png)
    endforeach()
    foreach(bmp ${bitmaps})
        list(APPEND expected share/yurana/${bmp})
    endforeach()
    foreach(f ${expected})
        if(NOT EXISTS ${PREFIX}/${f})
            message(FATAL_ERROR "install check: ${f} is missing")
        endif()
    endforeach()
    if(EXISTS ${PREFIX}/bin/back1.bmp OR EXISTS ${PREFIX}/lib/yurana)
        message(FATAL_ERROR "install check: program files outside share/yurana")
    endif()
    # The installed program starts on a virtual display with its bitmaps from
    # share/yurana and shows no message; without one of them it shows one, which shows
    # that the check can fail.
    set(ENV{XDG_DATA_HOME} ${PREFIX}/user-data)
    set(start xvfb-run -a -s "-screen 0 1280x1024x24" bash ${SOURCE}/tests/install_start.sh
        ${PREFIX})
    execute_process(COMMAND ${start} OUTPUT_VARIABLE windows ERROR_VARIABLE err TIMEOUT 60)
    if(NOT windows STREQUAL "1\n")
        message(FATAL_ERROR "install check: the installed program did not start cleanly "
                            "(${windows} windows):\n${err}")
    endif()
    file(REMOVE ${PREFIX}/share/yurana/k.bmp)
    execute_process(COMMAND ${start} OUTPUT_VARIABLE windows ERROR_VARIABLE err TIMEOUT 60)
    if(NOT windows STREQUAL "2\n")
        message(FATAL_ERROR "install check: a missing bitmap went unnoticed (${windows} "
                            "windows):\n${err}")
    endif()
    file(REMOVE_RECURSE ${PREFIX})
    list(LENGTH expected count)
    message(STATUS "install check: all ${count} files in place, the program starts")
    return()
endif()

include(GNUInstallDirs)
set(YURANA_INSTALL_DATADIR "${CMAKE_INSTALL_DATADIR}/yurana")

# Build tree: the guide and the window icons beside the executable.
file(GLOB_RECURSE YURANA_GUIDE_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/docs/guide/*)
file(GLOB YURANA_ICON_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/data/icons/yurana-*.png)
set(guide_copies)
foreach(f ${YURANA_GUIDE_FILES} ${YURANA_ICON_FILES})
    if(f MATCHES "^${CMAKE_SOURCE_DIR}/docs/")
        file(RELATIVE_PATH rel ${CMAKE_SOURCE_DIR}/docs ${f})
    else()
        get_filename_component(name ${f} NAME)
        set(rel icons/${name})
    endif()
    add_custom_command(OUTPUT ${YURANA_BIN_DIR}/${rel}
        COMMAND ${CMAKE_COMMAND} -E copy_if_different ${f} ${YURANA_BIN_DIR}/${rel}
        DEPENDS ${f})
    list(APPEND guide_copies ${YURANA_BIN_DIR}/${rel})
endforeach()
add_custom_target(yurana_guide ALL DEPENDS ${guide_copies})
add_dependencies(yurana yurana_guide)
foreach(test menus_test damping_test)
    if(TARGET ${test})
        add_dependencies(${test} yurana_guide)
    endif()
endforeach()

# The program, and the files it reads in share/yurana.
install(TARGETS yurana RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
file(GLOB YURANA_BITMAPS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/data/*.bmp)
install(FILES ${YURANA_BITMAPS} DESTINATION ${YURANA_INSTALL_DATADIR})
install(DIRECTORY ${CMAKE_SOURCE_DIR}/docs/guide DESTINATION ${YURANA_INSTALL_DATADIR})
install(FILES ${YURANA_ICON_FILES} DESTINATION ${YURANA_INSTALL_DATADIR}/icons)

# Desktop integration: the menu entry, the software centre's description and the icon in
# the hicolor theme.
install(FILES ${CMAKE_SOURCE_DIR}/data/yurana.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/data/io.github.yurana.yurana.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${CMAKE_SOURCE_DIR}/data/icons/yurana.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 16 32 48 64 128 256)
    install(FILES ${CMAKE_SOURCE_DIR}/data/icons/yurana-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME yurana.png)
endforeach()

if(YURANA_TESTS)
    add_test(NAME install_and_start
        COMMAND ${CMAKE_COMMAND} -DBUILD=${CMAKE_BINARY_DIR}
                -DPREFIX=${CMAKE_BINARY_DIR}/install-check -DSOURCE=${CMAKE_SOURCE_DIR}
                -P ${CMAKE_CURRENT_LIST_FILE})
    # Its virtual displays must not race another test's for a display number.
    set_tests_properties(install_and_start PROPERTIES RUN_SERIAL TRUE)
    find_program(DESKTOP_FILE_VALIDATE desktop-file-validate)
    if(DESKTOP_FILE_VALIDATE)
        add_test(NAME desktop_file_valid
            COMMAND ${DESKTOP_FILE_VALIDATE} ${CMAKE_SOURCE_DIR}/data/yurana.desktop)
    endif()
    find_program(APPSTREAMCLI appstreamcli)
    if(APPSTREAMCLI)
        add_test(NAME appstream_metadata_valid
            COMMAND ${APPSTREAMCLI} validate --no-net --pedantic
                    ${CMAKE_SOURCE_DIR}/data/io.github.yurana.yurana.metainfo.xml)
    endif()
endif()

# The Debian package (cpack -G DEB): installed under /usr, its dependencies computed from
# the program's libraries, plus what Qt loads at run time (the platform plugins) and the
# Japanese font the windows are drawn with.
set(CPACK_PACKAGE_NAME yurana)
set(CPACK_PACKAGE_VENDOR "Yurana developers")
set(CPACK_PACKAGE_CONTACT "Yurana developers <yurana@users.noreply.github.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "damped, driven spring-mass oscillator: animation and graphs")
set(CPACK_PACKAGE_DESCRIPTION "Yurana animates and plots the damped spring-mass oscillator \
driven by a harmonic force and hanging from a movable wall, with frequency-response, \
phase-plane and energy views. The user interface is in Japanese.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-ipafont-gothic")
# Qt's own texts (context menus, file dialogs) in Japanese; English without them.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://github.com/yurana/yurana")
include(CPack)
