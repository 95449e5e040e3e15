# The Debian package (cpack -G DEB, or make package): everything installed
# under /usr, binaries stripped, library dependencies found by dpkg-shlibdeps.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tarsel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "calculator for one radio link")
set(CPACK_PACKAGE_DESCRIPTION
    "Tarsel computes the link budget, the knife-edge and rounded-hill diffraction
loss and the receiver's intermodulation, blocking and dynamic-range figures of
one radio link, with the parameters typed into a picture of the link. The
command-line tool tarsel-report writes the same report, or the results as JSON.")
set(CPACK_PACKAGE_CONTACT "The Tarsel developers <tarsel@users.noreply.github.com>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${PROJECT_HOMEPAGE_URL})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Not found by dpkg-shlibdeps: Qt's platform plugins (only recommended by
# libqt6gui6) and the fonts the report's "Courier" is matched to.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation")
include(CPack)
