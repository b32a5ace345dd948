# Fails when an include crosses the layers the wrong way:
#  - a file under src/base/ includes a project header outside src/base/;
#  - a file under src/ outside src/app/ includes app/main_menu.h (windows
#    show the main menu again through the session's narrow calls).
# Run as: cmake -DSOURCE_DIR=<src> -P check_layering.cmake
if(NOT SOURCE_DIR)
  message(FATAL_ERROR "SOURCE_DIR is not set")
endif()

set(violations "")
file(GLOB_RECURSE sources "${SOURCE_DIR}/*.h" "${SOURCE_DIR}/*.cpp")
foreach(path IN LISTS sources)
  file(RELATIVE_PATH relative "${SOURCE_DIR}" "${path}")
  file(STRINGS "${path}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
  foreach(line IN LISTS includes)
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]*)\".*" "\\1" header "${line}")
    if(relative MATCHES "^base/" AND NOT header MATCHES "^base/")
      list(APPEND violations "${relative}: the ground includes ${header}")
    endif()
    if(NOT relative MATCHES "^app/" AND header STREQUAL "app/main_menu.h")
      list(APPEND violations "${relative}: includes app/main_menu.h outside the application layer")
    endif()
  endforeach()
endforeach()

if(violations)
  list(JOIN violations "\n  " text)
  message(FATAL_ERROR "Layering broken:\n  ${text}")
endif()
message(STATUS "Layering holds in ${SOURCE_DIR}")
