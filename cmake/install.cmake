# Desktop integration and the install layout.
#
# The game finds its Data/ folder (settings and sounds) and offers its bundled
# puzzles beside its own executable, so everything of the game proper lives in
# one folder, <libdir>/numera. bin/numera is a small launcher script: it runs
# the game in place when that folder is writable (an install into the player's
# own prefix, such as ~/.local) and otherwise from a per-player copy of the
# folder, so that a system-wide read-only install keeps settings and saved
# puzzles per player.

include(GNUInstallDirs)

set(NUMERA_GAME_DIR ${CMAKE_INSTALL_LIBDIR}/numera)

# The icon, drawn by the same code as the window icon, at the usual sizes.
set(NUMERA_ICON_SIZES 16 24 32 48 64 128 256)
add_executable(make_icon tools/make_icon.cpp platform/app_icon.cpp)
target_include_directories(make_icon PRIVATE ${PROJECT_SOURCE_DIR})
target_link_libraries(make_icon PRIVATE Qt6::Gui)
set(NUMERA_ICONS)
foreach(size ${NUMERA_ICON_SIZES})
  list(APPEND NUMERA_ICONS ${CMAKE_BINARY_DIR}/icons/${size}x${size}/apps/numera.png)
endforeach()
add_custom_command(OUTPUT ${NUMERA_ICONS}
  COMMAND make_icon ${CMAKE_BINARY_DIR}/icons
  DEPENDS make_icon)
add_custom_target(numera_icons ALL DEPENDS ${NUMERA_ICONS})

# The launcher, told where the game folder lies relative to bin/.
file(RELATIVE_PATH NUMERA_BIN_TO_GAME
  ${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR} ${CMAKE_INSTALL_PREFIX}/${NUMERA_GAME_DIR})
configure_file(${PROJECT_SOURCE_DIR}/desktop/numera.sh.in
  ${CMAKE_BINARY_DIR}/install/numera @ONLY FILE_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
# bin/numera-puzzle needs nothing beside it: a relative symbolic link will do.
file(CREATE_LINK ${NUMERA_BIN_TO_GAME}/numera-puzzle
  ${CMAKE_BINARY_DIR}/install/numera-puzzle SYMBOLIC)

install(TARGETS numera numera-puzzle RUNTIME DESTINATION ${NUMERA_GAME_DIR})
install(FILES ${NUMERA_SOUNDS} DESTINATION ${NUMERA_GAME_DIR}/Data)
install(FILES ${NUMERA_PUZZLES} ${NUMERA_HELP} DESTINATION ${NUMERA_GAME_DIR})
install(PROGRAMS ${CMAKE_BINARY_DIR}/install/numera DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${CMAKE_BINARY_DIR}/install/numera-puzzle DESTINATION ${CMAKE_INSTALL_BINDIR})
install(CODE "
  set(NUMERA_DESKTOP_IN \"${PROJECT_SOURCE_DIR}/desktop/numera.desktop.in\")
  set(NUMERA_DESKTOP_OUT \"${CMAKE_BINARY_DIR}/install/numera.desktop\")
  set(NUMERA_HELP_PATH \"\${CMAKE_INSTALL_PREFIX}/${NUMERA_GAME_DIR}/ヘルプ.html\")
  set(NUMERA_APPLICATIONS \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/applications\")")
install(SCRIPT cmake/desktop_entry.cmake)
# What software centres show: AppStream metadata, checked by
# `appstreamcli validate` in the package test.
set(NUMERA_WEB_URL "https://example.org/numera" CACHE STRING
  "The game's web address, where docs/ holds the screenshots")
configure_file(desktop/numera.metainfo.xml.in
  ${CMAKE_BINARY_DIR}/install/org.example.numera.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/install/org.example.numera.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES desktop/numera-puzzle.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
foreach(size ${NUMERA_ICON_SIZES})
  install(FILES ${CMAKE_BINARY_DIR}/icons/${size}x${size}/apps/numera.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
