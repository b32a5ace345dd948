# Run by `make install` after the files are in place: refreshes the
# desktop's caches of file types, applications and icons, so that
# double-clicking an algorithm file and the icon work at once. Skipped when
# installing into a staging folder (DESTDIR), as a package build does: the
# package's triggers refresh them where it is installed.
if(NOT "$ENV{DESTDIR}" STREQUAL "")
  return()
endif()
set(share "${CMAKE_INSTALL_PREFIX}/${QUORVANE_SHARE_DIR}")
find_program(UPDATE_MIME_DATABASE update-mime-database)
find_program(UPDATE_DESKTOP_DATABASE update-desktop-database)
find_program(GTK_UPDATE_ICON_CACHE gtk-update-icon-cache)
if(UPDATE_MIME_DATABASE)
  execute_process(COMMAND ${UPDATE_MIME_DATABASE} "${share}/mime")
endif()
if(UPDATE_DESKTOP_DATABASE)
  execute_process(COMMAND ${UPDATE_DESKTOP_DATABASE} -q "${share}/applications")
endif()
# Only where an icon theme cache exists already: creating one would hide
# icons that other programs install later without refreshing it.
if(GTK_UPDATE_ICON_CACHE AND EXISTS "${share}/icons/hicolor/icon-theme.cache")
  execute_process(COMMAND ${GTK_UPDATE_ICON_CACHE} -q -t "${share}/icons/hicolor")
endif()
