# Run at the end of `cmake --install`: a source install into a live system
# refreshes the caches that desktops read, as dpkg's triggers do for the
# .deb. Without it GNOME goes on reading a hicolor icon cache older than the
# game's icons and shows a generic icon.
#
# A staged install (DESTDIR, or cpack's folder) is left alone: its caches
# would be wrong for the target system, and a package must not carry them.
# Such a folder has no index.theme of the hicolor theme; a live one has.
if(NOT "$ENV{DESTDIR}" STREQUAL "")
  return()
endif()
set(data "${CMAKE_INSTALL_PREFIX}/@CMAKE_INSTALL_DATADIR@")

find_program(gtk_update_icon_cache NAMES gtk-update-icon-cache gtk4-update-icon-cache)
if(gtk_update_icon_cache AND EXISTS "${data}/icons/hicolor/index.theme")
  message(STATUS "Refreshing the icon cache of ${data}/icons/hicolor")
  execute_process(COMMAND "${gtk_update_icon_cache}" --quiet --force "${data}/icons/hicolor")
endif()

# Likewise only where the system keeps a desktop database already.
find_program(update_desktop_database update-desktop-database)
if(update_desktop_database AND EXISTS "${data}/applications/mimeinfo.cache")
  message(STATUS "Refreshing the desktop database of ${data}/applications")
  execute_process(COMMAND "${update_desktop_database}" --quiet "${data}/applications")
endif()
