# Run by CPack on the staged files, before it makes the Debian package.
# Debian keeps the programs of games in /usr/games, not in /usr/bin. The
# launcher and the tool's link reach the game folder by a path relative to
# their own folder, which is the same from games/ as from bin/.
set(usr ${CPACK_TEMPORARY_INSTALL_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX})
file(RENAME ${usr}/bin ${usr}/games)
