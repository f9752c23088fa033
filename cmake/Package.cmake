# What `cmake --install` puts where, and the Debian package CPack makes of it (scripts/cdz
# package). Only the shipped targets have install rules, so no test, benchmark or fuzz target
# is ever installed. Configure with -DCMAKE_INSTALL_PREFIX=/usr for the multiarch library folder.
install(TARGETS cdzapp tpsfix RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS cdzrt querykit LIBRARY DESTINATION ${CDZ_INSTALL_PRIVATE_LIBDIR})
# libquerykit finds libcdzrt beside itself.
set_target_properties(cdzrt querykit PROPERTIES INSTALL_RPATH "$ORIGIN")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME cadenzio)
set(CPACK_PACKAGE_VERSION ${CDZ_PROGRAM_VERSION})
set(CPACK_PACKAGE_VENDOR "Cadenzio Software")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "music collection catalogue")
set(CPACK_PACKAGE_DESCRIPTION
    "Orvanta 98 catalogues a personal music collection: songs and albums, categories and
media, playlists and weekly charts, CD and cassette labels, catalogue reports, CSV import
and export, the track counts and lengths of an audio CD and a query wizard whose queries
can be saved. Several computers may share one catalogue in a folder or on a PostgreSQL
server.")
set(CPACK_PACKAGE_CONTACT "Cadenzio Software <support@cadenzio.example>")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.cadenzio.example/")
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# Run-time dependencies from the binaries' own needs (dpkg-shlibdeps); the private libraries
# are found in the package itself.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The icons load through Qt's SVG icon engine, a plugin no binary links.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6")
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS OFF)
set(CPACK_STRIP_FILES ON)
include(CPack)
