# Usage: cmake -DBUILD_DIR=DIR -DPREFIX=DIR -DEXPECTED="PATH;..." -P check-install.cmake
#
# Installs the build into an empty PREFIX and fails unless exactly the
# EXPECTED files (relative to PREFIX) appear: a missing one breaks the menu
# entry or the icon, and an extra one, such as a test program, would also end
# up in the Debian package.

file(REMOVE_RECURSE "${PREFIX}")
# cmake --install rewrites the build folder's install_manifest.txt, which
# lists the files of a real install for removing them later: keep it.
set(manifest "${BUILD_DIR}/install_manifest.txt")
if(EXISTS "${manifest}")
  file(READ "${manifest}" saved_manifest)
endif()
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE result)
if(DEFINED saved_manifest)
  file(WRITE "${manifest}" "${saved_manifest}")
else()
  file(REMOVE "${manifest}")
endif()
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

file(GLOB_RECURSE installed LIST_DIRECTORIES false RELATIVE "${PREFIX}" "${PREFIX}/*")
list(SORT installed)
set(expected ${EXPECTED})
list(SORT expected)

set(missing ${expected})
list(REMOVE_ITEM missing ${installed})
set(extra ${installed})
list(REMOVE_ITEM extra ${expected})
foreach(path IN LISTS missing)
  message("not installed: ${path}")
endforeach()
foreach(path IN LISTS extra)
  message("installed but not expected: ${path}")
endforeach()
if(missing OR extra)
  message(FATAL_ERROR "the installed files differ from the expected ones")
endif()
list(LENGTH installed count)
message(STATUS "${count} files installed as expected")
