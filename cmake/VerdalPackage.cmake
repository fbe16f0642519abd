# The Debian package, from the install rules of VerdalInstall.cmake (configured with
# VERDAL_PACKAGE=ON and the prefix /usr): `cpack -G DEB` in a build folder, which
# scripts/package runs.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME verdal)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "${VERDAL_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "French word-guessing game for one or two players")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Each deal hides a word of 6, 7 or 8 letters whose first letter is shown. Type
a word of the full length before the chronometer runs out: each letter is
marked red in the right place, yellow elsewhere in the word. The first player
to 10 points wins. More than 20,000 French words in two levels, plus the
player's own list of words.

The game is in French and runs on an 800x600 display, in a window of its own
on a desktop of another size.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# What the launcher and the game call besides the libraries: the nested display on a
# larger desktop, the display's size, the font the screens are drawn with, and the opener
# of the player's words in their text editor (verdal --mots).
set(CPACK_DEBIAN_PACKAGE_DEPENDS "xserver-xephyr, x11-utils, fonts-liberation2, xdg-utils")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# The launcher and the menu entry are written with the final prefix, not the staging one.
set(CPACK_SET_DESTDIR ON)
# The control files with the permissions dpkg and lintian expect.
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
