# The Debian package: cmake --build --preset package --target package
# (or any build folder's "package" target) writes kartoval_<version>_<arch>.deb.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kartoval)
set(CPACK_PACKAGE_VENDOR "The Kartoval developers")
set(CPACK_PACKAGE_CONTACT "The Kartoval developers <kartoval@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "coordinate converter: latitude/longitude, UTM, US State Plane, NAD27/NAD83")
set(CPACK_PACKAGE_DESCRIPTION
    "Kartoval converts surveyed points between latitude/longitude and UTM or the US State Plane zones of NAD27 and NAD83, one at a time in a window (kartoval) or whole files from the command line (kartoval-convert), and shifts them between NAD27 and NAD83 with NOAA's NADCON grids through PROJ.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Depends from the libraries the programs and the datum plugin link
# (libproj25 through the plugin), by dpkg-shlibdeps.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
install(FILES "${PROJECT_SOURCE_DIR}/packaging/copyright" DESTINATION "${CMAKE_INSTALL_DATADIR}/doc/kartoval")
include(CPack)
