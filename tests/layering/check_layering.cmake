# Fails when an include crosses the layers the wrong way. The layers, from
# the ground up (docs/ARCHITECTURE.md draws them):
#  - src/base/ includes only src/base/;
#  - src/core/ includes base/ and core/; the core windows and commands
#    listed in core_taking_session may still include the application's
#    narrow headers (below);
#  - a subsystem includes base/, core/, itself, the subsystems it is allowed
#    to call (subsystem_uses) and, for its windows and commands, the
#    application's narrow headers app/session.h, app/results_change.h,
#    app/main_window.h and app/info_windows.h; never app/main_menu.h or any
#    other app/ header;
#  - src/app/ includes anything in src/;
#  - nothing in src/ includes a front end; frontends/figure includes only
#    base/ and itself; the console and desktop front ends are on top.
# Run as: cmake -DSOURCE_DIR=<src> [-DFRONTENDS_DIR=<frontends>] -P check_layering.cmake
cmake_policy(SET CMP0057 NEW)
if(NOT SOURCE_DIR)
  message(FATAL_ERROR "SOURCE_DIR is not set")
endif()

set(subsystems minimize covariance evaluate priors multimodel plot tfn)
# The calls between subsystems: profiles and posteriors run the minimisers,
# the covariance inversion uses the minimisers' LU decomposition, the prior
# profiles share the evaluation series, the time-series model draws its
# plots.
set(subsystem_uses_minimize "")
set(subsystem_uses_covariance minimize)
set(subsystem_uses_evaluate minimize)
set(subsystem_uses_priors evaluate)
set(subsystem_uses_multimodel "")
set(subsystem_uses_plot "")
set(subsystem_uses_tfn plot)
set(narrow_app_headers app/session.h app/results_change.h app/main_window.h app/info_windows.h)
# Core files that still take the session.
set(core_taking_session
  core/algorithm_editor.cpp core/algorithm_editor_cells.cpp
  core/algorithm_editor_options.cpp core/algorithm_editor_passes.cpp
  core/evaluate_objective.cpp core/load_algorithm_data.cpp
  core/model_set_up.cpp core/one_function_call.cpp core/parameter_set_edited.cpp
  core/read_algorithm_file.cpp core/save_algorithm_data.cpp)
set(front_end_prefixes "^(console|qt|figure|frontends)/")

set(violations "")

# The project headers a file includes, in the out-variable.
function(project_includes path out)
  file(STRINGS "${path}" lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
  set(headers "")
  foreach(line IN LISTS lines)
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]*)\".*" "\\1" header "${line}")
    list(APPEND headers "${header}")
  endforeach()
  set(${out} "${headers}" PARENT_SCOPE)
endfunction()

file(GLOB_RECURSE sources "${SOURCE_DIR}/*.h" "${SOURCE_DIR}/*.cpp")
foreach(path IN LISTS sources)
  file(RELATIVE_PATH relative "${SOURCE_DIR}" "${path}")
  string(REGEX REPLACE "/.*" "" layer "${relative}")
  project_includes("${path}" headers)
  foreach(header IN LISTS headers)
    # Headers beside the file (no folder) and generated ones belong to it.
    if(NOT header MATCHES "/")
      continue()
    endif()
    string(REGEX REPLACE "/.*" "" target "${header}")
    if(header MATCHES "${front_end_prefixes}")
      list(APPEND violations "${relative}: includes the front end's ${header}")
    elseif(layer STREQUAL "base")
      if(NOT target STREQUAL "base")
        list(APPEND violations "${relative}: the ground includes ${header}")
      endif()
    elseif(layer STREQUAL "core")
      if(header IN_LIST narrow_app_headers AND relative IN_LIST core_taking_session)
        # listed above: a core window or command that still takes the session
      elseif(NOT target MATCHES "^(base|core)$")
        list(APPEND violations "${relative}: core includes ${header}")
      endif()
    elseif(layer IN_LIST subsystems)
      set(allowed base core ${layer} ${subsystem_uses_${layer}})
      if(target STREQUAL "app")
        if(NOT header IN_LIST narrow_app_headers)
          list(APPEND violations "${relative}: includes ${header}, not one of the application's narrow headers")
        endif()
      elseif(NOT target IN_LIST allowed)
        list(APPEND violations "${relative}: the subsystem ${layer} includes ${header}")
      endif()
    endif()
  endforeach()
endforeach()

if(FRONTENDS_DIR)
  file(GLOB_RECURSE sources "${FRONTENDS_DIR}/figure/*.h" "${FRONTENDS_DIR}/figure/*.cpp")
  foreach(path IN LISTS sources)
    file(RELATIVE_PATH relative "${FRONTENDS_DIR}" "${path}")
    project_includes("${path}" headers)
    foreach(header IN LISTS headers)
      if(header MATCHES "/" AND NOT header MATCHES "^(base|figure)/")
        list(APPEND violations "${relative}: the figure layer includes ${header}")
      endif()
    endforeach()
  endforeach()
endif()

if(violations)
  list(JOIN violations "\n  " text)
  message(FATAL_ERROR "Layering broken:\n  ${text}")
endif()
message(STATUS "Layering holds in ${SOURCE_DIR}")
