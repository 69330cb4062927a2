# The Debian package, made by CPack from the install rules:
#   cmake --build build --target package  ->  build/numera_<version>_<arch>.deb
#
# The launcher and the tool go to /usr/games (cmake/package_games.cmake).
# The menu entry, the *.mlt file type and the icon are registered by the
# triggers of the desktop, MIME and icon databases when their files land in
# /usr/share, so the package needs no maintainer scripts. The launcher keeps
# every player's settings and puzzles in their own folder, which removing the
# package never touches.

# What Debian asks of every package besides the game: a copyright file, a
# changelog and manual pages, compressed without a time stamp so that two
# builds of the same source give the same files.
find_program(NUMERA_GZIP gzip REQUIRED)
set(NUMERA_PACKAGE_DIR ${CMAKE_BINARY_DIR}/package)
set(NUMERA_GZIPPED)
foreach(name changelog numera.6 numera-puzzle.6)
  configure_file(package/${name}.in ${NUMERA_PACKAGE_DIR}/${name} @ONLY)
  add_custom_command(OUTPUT ${NUMERA_PACKAGE_DIR}/${name}.gz
    COMMAND ${NUMERA_GZIP} -9nkf ${NUMERA_PACKAGE_DIR}/${name}
    DEPENDS ${NUMERA_PACKAGE_DIR}/${name})
  list(APPEND NUMERA_GZIPPED ${NUMERA_PACKAGE_DIR}/${name}.gz)
endforeach()
add_custom_target(numera_package_docs ALL DEPENDS ${NUMERA_GZIPPED})

install(FILES package/copyright ${NUMERA_PACKAGE_DIR}/changelog.gz
  DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(FILES ${NUMERA_PACKAGE_DIR}/numera.6.gz ${NUMERA_PACKAGE_DIR}/numera-puzzle.6.gz
  DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_CONTACT "ぬめら developers <maintainers@users.noreply.c-seed-7df5db7e.example>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PRE_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/cmake/package_games.cmake)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries come from the binaries; these the game opens by name at run
# time: the board fonts, Qt's own Japanese texts for its dialogs, and the
# dictionary the puzzle tool makes puzzles from.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "fonts-ipafont-gothic, fonts-ipafont-mincho, qt6-translations-l10n, mecab-ipadic")
# Recommended: Qt's Wayland platform, so the game runs natively on a Wayland
# desktop (without it Qt falls back to XWayland), and xdg-open for the menu
# entry's ヘルプ action.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland, xdg-utils")
# First line the synopsis, then the long description in English and Japanese.
file(READ ${PROJECT_SOURCE_DIR}/package/description CPACK_DEBIAN_PACKAGE_DESCRIPTION)
include(CPack)
