# The program's files beside the executable, in the build tree and when installed, and
# the desktop integration (icons, menu entry).
#
# Installed layout, for `cmake --install <build> --prefix P`:
#   P/lib/yurana/yurana            the program, with everything it reads from its own folder:
#   P/lib/yurana/*.bmp             the scene bitmaps
#   P/lib/yurana/guide/            the user guide the About window links to
#   P/lib/yurana/icons/            the program's icon for its windows
#   P/bin/yurana                   a relative symbolic link to the program
#   P/share/applications/yurana.desktop, P/share/icons/hicolor/*/apps/yurana.{png,svg}
#
# Run as a script (cmake -P) this file is the install smoke check of the test suite.

if(CMAKE_SCRIPT_MODE_FILE)
    # Install the build into a fresh prefix and check that every part arrived.
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
    set(expected bin/yurana lib/yurana/yurana lib/yurana/guide/index.html
        share/applications/yurana.desktop share/icons/hicolor/scalable/apps/yurana.svg)
    foreach(size 16 32 48 64 128 256)
        list(APPEND expected share/icons/hicolor/${size}x${size}/apps/yurana.png
             lib/yurana/icons/yurana-${size}.png)
    endforeach()
    foreach(bmp ${bitmaps})
        list(APPEND expected lib/yurana/${bmp})
    endforeach()
    foreach(f ${expected})
        if(NOT EXISTS ${PREFIX}/${f})
            message(FATAL_ERROR "install check: ${f} is missing")
        endif()
    endforeach()
    # The link must lead to the program itself, so that its folder is the data folder.
    file(REAL_PATH ${PREFIX}/bin/yurana resolved)
    file(REAL_PATH ${PREFIX}/lib/yurana/yurana program)
    if(NOT resolved STREQUAL program)
        message(FATAL_ERROR "install check: bin/yurana leads to ${resolved}")
    endif()
    file(REMOVE_RECURSE ${PREFIX})
    list(LENGTH expected count)
    message(STATUS "install check: all ${count} files in place")
    return()
endif()

include(GNUInstallDirs)
set(YURANA_INSTALL_APPDIR "lib/yurana" CACHE STRING
    "Folder, relative to the prefix, holding the program and the data files it reads")

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
if(TARGET frm_about_test)
    add_dependencies(frm_about_test yurana_guide)
endif()

# The program and what it reads from its own folder.
install(TARGETS yurana RUNTIME DESTINATION ${YURANA_INSTALL_APPDIR})
file(GLOB YURANA_BITMAPS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/data/*.bmp)
install(FILES ${YURANA_BITMAPS} DESTINATION ${YURANA_INSTALL_APPDIR})
install(DIRECTORY ${CMAKE_SOURCE_DIR}/docs/guide DESTINATION ${YURANA_INSTALL_APPDIR})
install(FILES ${YURANA_ICON_FILES} DESTINATION ${YURANA_INSTALL_APPDIR}/icons)

# bin/yurana: a relative link, so the installed tree can be moved as a whole. The program
# finds its folder through the resolved link (/proc/self/exe).
file(RELATIVE_PATH YURANA_LINK_TARGET /p/${CMAKE_INSTALL_BINDIR} /p/${YURANA_INSTALL_APPDIR}/yurana)
install(CODE "
    set(link \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/yurana\")
    file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
    file(REMOVE \"\${link}\")
    file(CREATE_LINK \"${YURANA_LINK_TARGET}\" \"\${link}\" SYMBOLIC)
    message(STATUS \"Installing: \${link} -> ${YURANA_LINK_TARGET}\")
    list(APPEND CMAKE_INSTALL_MANIFEST_FILES \"\${link}\")
")

# Desktop integration: the menu entry and the icon in the hicolor theme.
install(FILES ${CMAKE_SOURCE_DIR}/data/yurana.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/data/icons/yurana.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 16 32 48 64 128 256)
    install(FILES ${CMAKE_SOURCE_DIR}/data/icons/yurana-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME yurana.png)
endforeach()

if(YURANA_TESTS)
    add_test(NAME install_smoke
        COMMAND ${CMAKE_COMMAND} -DBUILD=${CMAKE_BINARY_DIR}
                -DPREFIX=${CMAKE_BINARY_DIR}/install-smoke -DSOURCE=${CMAKE_SOURCE_DIR}
                -P ${CMAKE_CURRENT_LIST_FILE})
    find_program(DESKTOP_FILE_VALIDATE desktop-file-validate)
    if(DESKTOP_FILE_VALIDATE)
        add_test(NAME desktop_file_valid
            COMMAND ${DESKTOP_FILE_VALIDATE} ${CMAKE_SOURCE_DIR}/data/yurana.desktop)
    endif()
endif()
