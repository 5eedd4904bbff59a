# Usage: cmake -DICONS="SIZE=FILE;SIZE=FILE;..." -P check-icon-sizes.cmake
#
# Fails unless every FILE is a PNG picture exactly SIZE by SIZE pixels. The
# icon theme files by size, and a desktop that finds a 48 pixel folder holding
# some other size scales it, blurring the pixel art.

set(failures 0)
foreach(entry IN LISTS ICONS)
  string(REGEX MATCH "^([0-9]+)=(.+)$" matched "${entry}")
  set(size "${CMAKE_MATCH_1}")
  set(path "${CMAKE_MATCH_2}")
  # The 8-byte PNG signature, then the IHDR chunk: a 4-byte length, the type
  # "IHDR", and the width and height as 4-byte big-endian numbers.
  file(READ "${path}" header LIMIT 24 HEX)
  string(SUBSTRING "${header}" 0 16 signature)
  string(SUBSTRING "${header}" 24 8 chunk)
  if(NOT signature STREQUAL "89504e470d0a1a0a" OR NOT chunk STREQUAL "49484452")
    message("${path}: not a PNG picture")
    math(EXPR failures "${failures} + 1")
    continue()
  endif()
  string(SUBSTRING "${header}" 32 8 width_hex)
  string(SUBSTRING "${header}" 40 8 height_hex)
  math(EXPR width "0x${width_hex}")
  math(EXPR height "0x${height_hex}")
  if(width EQUAL size AND height EQUAL size)
    message(STATUS "${path}: ${width}x${height}")
  else()
    message("${path}: ${width}x${height}, expected ${size}x${size}")
    math(EXPR failures "${failures} + 1")
  endif()
endforeach()
if(failures GREATER 0)
  message(FATAL_ERROR "${failures} icon(s) unreadable or of the wrong size")
endif()
