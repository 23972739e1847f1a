# Runs at install time: keeps the user's settings and pictures when
# installing over an earlier installation, and writes the desktop entry with
# the folder's real path.
set(home "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")
if(NOT EXISTS "${home}/config.dll")
  file(INSTALL "${VELMORA_INSTALL_SOURCE}/config.dll" DESTINATION "${home}")
endif()
file(MAKE_DIRECTORY "${home}/Faces")
file(INSTALL "${VELMORA_INSTALL_SOURCE}/Faces/README" DESTINATION "${home}/Faces")
set(VELMORA_HOME "${CMAKE_INSTALL_PREFIX}")
configure_file("${VELMORA_INSTALL_SOURCE}/velmora.desktop.in" "${home}/velmora.desktop" @ONLY)
message(STATUS "Installing: ${home}/velmora.desktop")
if(VELMORA_DESKTOP_ENTRY_DIR)
  file(INSTALL "${home}/velmora.desktop" DESTINATION "$ENV{DESTDIR}${VELMORA_DESKTOP_ENTRY_DIR}")
endif()
