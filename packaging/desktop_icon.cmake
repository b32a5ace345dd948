# The application's icon: one SVG, rendered to PNG at the usual sizes by
# rsvg-convert. The desktop application shows these PNGs in its windows,
# and they are installed into the hicolor icon theme with the SVG.
# Included by the desktop application's CMakeLists.txt; sets
# QUORVANE_ICON_DIR and QUORVANE_ICON_PNGS and the target quorvane_icons.
find_program(RSVG_CONVERT rsvg-convert)
if(NOT RSVG_CONVERT)
  message(FATAL_ERROR "The desktop application's icon is rendered with rsvg-convert "
    "(librsvg2-bin): run scripts/install-deps.sh.")
endif()
set(icon_svg ${CMAKE_SOURCE_DIR}/packaging/desktop/${QUORVANE_APP_ID}.svg)
set(QUORVANE_ICON_DIR ${CMAKE_CURRENT_BINARY_DIR}/icons)
set(QUORVANE_ICON_PNGS)
foreach(size 16 22 24 32 48 64 128 256)
  set(png ${QUORVANE_ICON_DIR}/${size}/${QUORVANE_APP_ID}.png)
  add_custom_command(OUTPUT ${png}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${QUORVANE_ICON_DIR}/${size}
    COMMAND ${RSVG_CONVERT} --width ${size} --height ${size} --output ${png} ${icon_svg}
    DEPENDS ${icon_svg}
    COMMENT "Rendering the icon at ${size}x${size}")
  list(APPEND QUORVANE_ICON_PNGS ${png})
  install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES ${icon_svg} DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/scalable/apps)
add_custom_target(quorvane_icons DEPENDS ${QUORVANE_ICON_PNGS})
