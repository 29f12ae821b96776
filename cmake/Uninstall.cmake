# The `uninstall` target: removes the files the last `cmake --install` of
# this build put in place, as its manifest lists them, desktop entry
# included, then the program's folder if nothing else is left in it. The
# record NAME.txt is never listed, so it stays, and so does its folder.
# Usage: cmake -DMANIFEST=BUILD/install_manifest.txt -P Uninstall.cmake

if(NOT EXISTS "${MANIFEST}")
  message(FATAL_ERROR "Nothing to uninstall: this build was not installed (no ${MANIFEST}).")
endif()
# Read as bytes: file(STRINGS) would cut a name at each non-ASCII letter.
file(READ "${MANIFEST}" files)
string(REPLACE "\n" ";" files "${files}")
set(folders)
foreach(file IN LISTS files)
  if(IS_SYMLINK "${file}" OR (EXISTS "${file}" AND NOT IS_DIRECTORY "${file}"))
    message(STATUS "Removing: ${file}")
    file(REMOVE "${file}")
  endif()
  if(file MATCHES "/petatto-meibo$")
    cmake_path(GET file PARENT_PATH folder)
    list(APPEND folders "${folder}")
  endif()
endforeach()
foreach(folder IN LISTS folders)
  file(GLOB left LIST_DIRECTORIES true "${folder}/*" "${folder}/.*")
  if(IS_DIRECTORY "${folder}" AND NOT left)
    message(STATUS "Removing: ${folder}")
    file(REMOVE_RECURSE "${folder}")
  endif()
endforeach()
