# Installation: the program (its resources are inside it), the menu entry with its icon, and
# the shared results folder the pupils' accounts write their report into.
include(GNUInstallDirs)

install(TARGETS pestrol RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${CMAKE_SOURCE_DIR}/assets/desktop/pestrol.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
foreach(size 16 24 32 48 64 128 256)
  install(FILES ${CMAKE_SOURCE_DIR}/assets/icons/pestrol-${size}.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
    RENAME pestrol.png)
endforeach()

# The program always looks in /var/lib/VESK (unless PESTROL_SHARED_DIR says otherwise), so the
# folder's place does not follow the prefix; DESTDIR still applies, for staging and packaging.
option(PESTROL_INSTALL_RESULTS_FOLDER "Create /var/lib/VESK for the pupils' results" ON)
set(PESTROL_PUPILS_GROUP users CACHE STRING "Group of the pupils' accounts, owner of /var/lib/VESK")
if(PESTROL_INSTALL_RESULTS_FOLDER)
  install(CODE "set(PESTROL_PUPILS_GROUP \"${PESTROL_PUPILS_GROUP}\")")
  install(SCRIPT ${CMAKE_SOURCE_DIR}/cmake/InstallResultsFolder.cmake)
endif()
