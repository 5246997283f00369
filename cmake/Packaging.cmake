# The program's name on the desktop and its Debian package.

# One id, reverse-DNS, for the launcher, the metainfo, the icons and the running program: the
# desktop ties them together by this name alone.
set(MARKII_APP_ID "io.github.markii.markii")
# The fixed-size icons rendered at build time, beside the scalable one.
set(MARKII_ICON_SIDES 16 24 32 48 64 128 256)

# `cpack -G DEB` in the build folder: a package that installs under /usr.
set(CPACK_PACKAGE_NAME "markii")
set(CPACK_PACKAGE_VENDOR "Método MARK II")
set(CPACK_PACKAGE_CONTACT "Método MARK II maintainers <maintainers@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "estimation with Mk II function points")
# Wrapped by hand: the Debian control file shows the lines as they are.
set(CPACK_PACKAGE_DESCRIPTION [[
Método MARK II sizes a planned information system with the Mk II Function
Point Analysis method and derives from that size the expected productivity,
the effort in working hours and the delivery time in weeks. All screens and
messages are in Spanish.]])
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_PACKAGE_NAME "markii")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION "misc")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://example.org/markii")
# The Qt libraries the program links, found by dpkg-shlibdeps rather than listed by hand.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's own Spanish texts for the standard buttons of the message boxes.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")

include(CPack)
