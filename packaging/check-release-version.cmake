# Usage: cmake -DMETAINFO=FILE -DCHANGELOG=FILE -DVERSION=X.Y.Z -P check-release-version.cmake
#
# Fails unless the newest release in the AppStream file (the first one listed)
# and in the Debian changelog (its first line) is VERSION: software centres and
# the package manager show those as the installed version, so a version raised
# in project() needs a new entry in both.

file(READ "${METAINFO}" text)
file(STRINGS "${CHANGELOG}" first_line LIMIT_COUNT 1)
string(REGEX MATCH "^delvoran \\(([^)]*)\\)" changelog_matched "${first_line}")
set(changelog_version "${CMAKE_MATCH_1}")
string(REGEX MATCH "<release[ \t\r\n]+version=\"([^\"]*)\"" matched "${text}")
if(NOT CMAKE_MATCH_1 STREQUAL VERSION OR NOT changelog_version STREQUAL VERSION)
  message(FATAL_ERROR "the project is ${VERSION}, but the newest release is '${CMAKE_MATCH_1}' in "
                      "${METAINFO} and '${changelog_version}' in ${CHANGELOG}; add an entry for ${VERSION} "
                      "at the top of each")
endif()
message(STATUS "newest release ${VERSION} in both")
