# cmake --install <build> --prefix <P> and the Debian package (cpack -G DEB in the build folder).
#
#   P/bin/tarvel, P/bin/tarvel-batch
#   P/share/tarvel/           the shipped catalog, dictionary, logo and user guides; never written
#                             by the program, which finds them here when they are not beside it
#   P/share/applications/     the desktop entry (opens .tpvd files)
#   P/share/metainfo/         the AppStream description
#   P/share/mime/packages/    the design file type application/x-tarvel-design
#   P/share/icons/hicolor/    the icon, scalable and rendered
include(GNUInstallDirs)

set(tarvel_data_dir "${CMAKE_INSTALL_DATADIR}/tarvel")
set(desktop_sources "${PROJECT_SOURCE_DIR}/data/desktop")

install(TARGETS tarvel tarvel-batch RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}")
# The catalog as the build made it, never the run folder's, which may hold a developer's own rows.
install(FILES "${TARVEL_SHIPPED_CATALOG}"
              "${TARVEL_RUN_DIR}/chinatoEN.lng"
              "${TARVEL_RUN_DIR}/000.bmp"
              "${TARVEL_RUN_DIR}/201203121143cn1.pdf"
              "${TARVEL_RUN_DIR}/201203121143cn2.pdf"
        DESTINATION "${tarvel_data_dir}")
install(FILES "${desktop_sources}/${TARVEL_APP_ID}.desktop"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")
install(FILES "${desktop_sources}/${TARVEL_APP_ID}.metainfo.xml"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/metainfo")
install(FILES "${desktop_sources}/tarvel-design.xml"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/mime/packages"
        RENAME "${TARVEL_APP_ID}.xml")
install(FILES "${TARVEL_ICON_SVG}"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps"
        RENAME "${TARVEL_APP_ID}.svg")
foreach(size IN LISTS TARVEL_ICON_SIZES)
    install(FILES "${TARVEL_ICON_DIR}/${size}x${size}/${TARVEL_APP_ID}.png"
            DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps")
endforeach()

# The Debian package. Its library dependencies are computed by dpkg-shlibdeps from the executables.
# What no linker sees is added here: the SQLite driver, a plugin Qt loads at run time (its package is
# looked up from the plugin file this build found), and the fonts of the Chinese interface and of the
# report. The desktop, MIME and icon caches are brought up to date by dpkg's own triggers, so the
# package has no maintainer scripts.
set(CPACK_PACKAGE_NAME "tarvel")
set(CPACK_PACKAGE_VENDOR "Tarvel")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "design tool for grid-connected photovoltaic plants")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Tarvel PV Designer checks whether a set of PV modules matches one of Tarvel's inverters and\n"
    "estimates what the plant will yield: string sizing, cable losses, yearly energy, a printable\n"
    "report and design files. tarvel-batch makes reports and results without a display.")
set(CPACK_PACKAGE_CONTACT "Tarvel <support@tarvel-energy.example>")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://www.tarvel-energy.example")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION "science")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)

set(run_time_depends "fonts-noto-cjk" "fonts-liberation2")
find_package(Qt6QSQLiteDriverPlugin CONFIG QUIET PATHS "${Qt6Sql_DIR}" NO_DEFAULT_PATH)
set(sqlite_driver "")
if(TARGET Qt6::QSQLiteDriverPlugin)
    get_target_property(sqlite_driver Qt6::QSQLiteDriverPlugin LOCATION)
endif()
find_program(DPKG_QUERY dpkg-query)
if(sqlite_driver AND DPKG_QUERY)
    execute_process(COMMAND "${DPKG_QUERY}" -S "${sqlite_driver}"
                    OUTPUT_VARIABLE driver_owner RESULT_VARIABLE driver_lookup ERROR_QUIET
                    OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(driver_lookup EQUAL 0)
        # "libqt6sql6-sqlite:amd64: /usr/lib/.../libqsqlite.so"
        string(REGEX REPLACE "[:,].*" "" driver_package "${driver_owner}")
        list(PREPEND run_time_depends "${driver_package} (>= ${Qt6_VERSION})")
    endif()
endif()
if(NOT driver_package)
    message(STATUS "The package of Qt's SQLite driver is not known here; the Debian package will not name it")
endif()
list(JOIN run_time_depends ", " CPACK_DEBIAN_PACKAGE_DEPENDS)
include(CPack)
