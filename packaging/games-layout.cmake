# Run by CPack (CPACK_PRE_BUILD_SCRIPTS) on the files staged for the package:
# moves the program from usr/bin to usr/games, where Debian puts games, and
# drops the sections Debian strips from every binary.
file(GLOB_RECURSE programs LIST_DIRECTORIES false "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*/bin/delvoran")
if(NOT programs)
  message(FATAL_ERROR "no bin/delvoran under ${CPACK_TEMPORARY_INSTALL_DIRECTORY}")
endif()
foreach(program IN LISTS programs)
  get_filename_component(bin "${program}" DIRECTORY)
  get_filename_component(usr "${bin}" DIRECTORY)
  execute_process(COMMAND "${CPACK_DELVORAN_STRIP}" --remove-section=.comment --remove-section=.note "${program}"
                  COMMAND_ERROR_IS_FATAL ANY)
  file(MAKE_DIRECTORY "${usr}/games")
  file(RENAME "${program}" "${usr}/games/delvoran")
  file(GLOB others "${bin}/*")
  if(NOT others)
    file(REMOVE_RECURSE "${bin}")
  endif()
endforeach()
