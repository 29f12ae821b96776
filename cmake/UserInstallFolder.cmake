# Part of a user's own `cmake --install`, run before anything is copied.
# Refuses, in one line (a message that starts with a space is not rewrapped), the installs that leave a program its user cannot
# run: root's files in a home folder (the record would be root's, and the
# user's start would fail on it), or files in another user's home; and an
# install that would fail at its very end, because the list of installed
# files that `uninstall` needs cannot be written into the build folder.

cmake_path(SET prefix NORMALIZE "${CMAKE_INSTALL_PREFIX}/")

execute_process(COMMAND id -u OUTPUT_VARIABLE installer OUTPUT_STRIP_TRAILING_WHITESPACE)
execute_process(COMMAND getent passwd OUTPUT_VARIABLE accounts)
# The homes of people: root's, the ordinary accounts' (Debian gives them the
# ids from 1000 up, "nobody" aside) and the installing user's own. System
# accounts have homes such as /bin or /usr/games, which are not meant here.
set(homes "${installer}=$ENV{HOME}")
string(REPLACE "\n" ";" accounts "${accounts}")
foreach(account IN LISTS accounts)
  if(account MATCHES "^[^:]*:[^:]*:([0-9]+):[^:]*:[^:]*:([^:]*):")
    set(owner ${CMAKE_MATCH_1})
    if(owner EQUAL 0 OR (owner GREATER_EQUAL 1000 AND owner LESS 65534))
      list(APPEND homes "${owner}=${CMAKE_MATCH_2}")
    endif()
  endif()
endforeach()

foreach(entry IN LISTS homes)
  string(REGEX MATCH "^([0-9]*)=(.*)$" entry "${entry}")
  set(owner ${CMAKE_MATCH_1})
  cmake_path(SET home NORMALIZE "${CMAKE_MATCH_2}/")
  string(FIND "${prefix}" "${home}" at)
  if(home STREQUAL "/" OR NOT at EQUAL 0)
    continue()
  endif()
  if(installer EQUAL 0)
    message(FATAL_ERROR " root のままではホームフォルダ ${home} に入れません。使う人のユーザーで "
      "cmake --install を実行して下さい / As root, not installing into the home folder ${home}: "
      "run cmake --install as the user who will use the program.")
  elseif(NOT owner EQUAL installer)
    message(FATAL_ERROR " ${home} はほかのユーザーのホームフォルダです / ${home} is another user's "
      "home folder: install into your own.")
  endif()
endforeach()

execute_process(COMMAND ${CMAKE_COMMAND} -E touch "${MANIFEST}" RESULT_VARIABLE unwritable
  OUTPUT_QUIET ERROR_QUIET)
if(unwritable)
  cmake_path(GET MANIFEST PARENT_PATH build)
  message(FATAL_ERROR " ビルドフォルダ ${build} に書き込めません。入れるユーザーでビルドして下さい / "
    "Cannot write into the build folder ${build}: build as the user who installs.")
endif()
