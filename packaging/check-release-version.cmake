# Usage: cmake -DMETAINFO=FILE -DVERSION=X.Y.Z -P check-release-version.cmake
#
# Fails unless the newest release in the AppStream file, the first one listed,
# is VERSION: software centres show that entry as the installed version, so a
# version raised in project() needs a new release entry as well.

file(READ "${METAINFO}" text)
string(REGEX MATCH "<release[ \t\r\n]+version=\"([^\"]*)\"" matched "${text}")
if(NOT matched)
  message(FATAL_ERROR "${METAINFO}: no <release version=...> entry")
endif()
if(NOT CMAKE_MATCH_1 STREQUAL VERSION)
  message(FATAL_ERROR "${METAINFO}: newest release is ${CMAKE_MATCH_1}, but the project is "
                      "${VERSION}; add a <release> entry for ${VERSION} at the top of <releases>")
endif()
message(STATUS "${METAINFO}: newest release ${CMAKE_MATCH_1}")
