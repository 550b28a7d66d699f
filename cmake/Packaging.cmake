# The Debian package, made by CPack from this tree's install rules:
#   scripts/package   (a Release tree of its own, then cpack -G DEB)
# One binary package, mousecfg, with the programs, their data, the udev rule,
# the desktop entry, icons, metainfo, manual pages and the package's documents
# (packaging/CMakeLists.txt installs them); the maintainer scripts are in
# packaging/debian. Its version is the project's, its maintainer the top
# entry's of packaging/debian/changelog.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME mousecfg)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT) # mousecfg_VERSION_ARCH.deb
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${MOUSECFG_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "configuration utility for a wireless gaming mouse
mousecfg sets the five onboard profiles of the ${MOUSECFG_MODEL} wireless gaming mouse
through its USB receiver or its charging cable: report rate, DPI stages, what
every button does (keys, combinations, media keys, DPI and rate stepping, fire
key, sniper, macros), lighting, sensor options and macros, with a profile
library and the battery level in the system tray.
.
This package holds the window (mousecfg), its command-line companion
(mousecfg-cli), the on-screen notices (mousecfg-osd) and the udev rule that
lets the user at the seat open the mouse without root rights.")

# Shared-library dependencies as dpkg-shlibdeps computes them from the
# programs, and the libraries the programs load when first needed
# (LazyLibrary.h), which dpkg-shlibdeps cannot see; what they load only at
# run time and can do without is recommended. A font with the Chinese
# characters is a dependency: without one every text of the two Chinese
# languages shows as boxes.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libhidapi-hidraw0, libudev1, libxi6, libxtst6, fonts-wqy-microhei | fonts-noto-cjk")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qtwayland5, fonts-dejavu-core")

# Reload udev's rules after installing and removing (guarded where udev is not running).
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
    ${CMAKE_SOURCE_DIR}/packaging/debian/postinst ${CMAKE_SOURCE_DIR}/packaging/debian/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
# Folders as Debian wants them whatever the builder's umask.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

include(CPack)
