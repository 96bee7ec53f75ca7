# `make package` (CPack's `package` target): build/trv_<version>_<arch>.deb, for
# `sudo apt install ./trv_<version>_amd64.deb`. Its files are the install rules of the tree; the
# tests (tests/packaging) build it and check its files, Depends and lintian's verdict.
set(TRV_PACKAGE_MAINTAINER "TRV developers <trv-developers@example.org>"
    CACHE STRING "Maintainer field of the Debian package")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME trv)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${TRV_PACKAGE_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "configuration tool for the radio dispatch deskset")
# The extended description, wrapped as Debian wants it (under 80 columns).
set(CPACK_PACKAGE_DESCRIPTION [[
Korvel TRV creates, edits, saves and opens the configuration databases of
the radio dispatch deskset (.ddb files), downloads the database a deskset
holds and uploads an edited one over a serial cable (COM1 to COM4) or a
serial device server.

The package holds the desktop application trv; trvctl, the command-line tool
for scripts, which also compares, dumps, exports and imports databases; and
desksetsim, a simulated deskset on a pseudo-terminal for trying transfers
without hardware.]])
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries the programs link are found by dpkg-shlibdeps; the Qt plugins loaded at run time
# it cannot see. On Debian 12 the ones trv loads on a desktop (the xcb platform, the compose input
# context, the gif, ico and jpeg readers the toolkit probes) and offscreen ship in libqt6gui6,
# which dpkg-shlibdeps lists; qt6-qpa-plugins adds the other platforms (vnc, for a machine without
# a display: trv -platform vnc). No image or icon plugin beyond those: the icons are drawn in code
# and the help pages hold no pictures.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_STRIP_FILES ON)
# Install through DESTDIR into /usr, so that the install rules know a package is being made.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
