# `cmake --install` puts the program into one folder the user owns, because
# the profile NAME.txt must live beside the executable and be writable by its
# user: by default ~/.local/opt/petatto-meibo, or the folder given by
# `--prefix`. A freedesktop entry in the user's applications folder lets
# desktops start it.

if(CMAKE_INSTALL_PREFIX_INITIALIZED_TO_DEFAULT)
  set(CMAKE_INSTALL_PREFIX "$ENV{HOME}/.local/opt/petatto-meibo" CACHE PATH
    "Folder that receives the program and its NAME.txt" FORCE)
endif()
option(PETATTO_INSTALL_DESKTOP_ENTRY
  "Install a .desktop entry into the user's applications folder" ON)

install(TARGETS petatto-meibo RUNTIME DESTINATION .)

# Every shared library and on-demand module of the project goes beside the
# executable too, where its RPATH $ORIGIN and the module loader look. They are
# collected once all directories are known, so a new one needs no rule here.
function(petatto_install_libraries directory)
  get_property(targets DIRECTORY ${directory} PROPERTY BUILDSYSTEM_TARGETS)
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "SHARED_LIBRARY" OR type STREQUAL "MODULE_LIBRARY")
      install(TARGETS ${target} LIBRARY DESTINATION . RUNTIME DESTINATION .)
    endif()
  endforeach()
  get_property(subdirectories DIRECTORY ${directory} PROPERTY SUBDIRECTORIES)
  foreach(subdirectory IN LISTS subdirectories)
    petatto_install_libraries(${subdirectory})
  endforeach()
endfunction()
cmake_language(DEFER DIRECTORY ${PROJECT_SOURCE_DIR}
  CALL petatto_install_libraries ${PROJECT_SOURCE_DIR})
install(FILES ${PROJECT_SOURCE_DIR}/resources/icon.png DESTINATION .)

# The first-run profile: never replaces the user's record, owner-only.
install(CODE "
  set(SOURCE \"${PROJECT_SOURCE_DIR}/resources/NAME.txt\")
  set(TARGET \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/NAME.txt\")
  include(\"${PROJECT_SOURCE_DIR}/cmake/CopyIfMissing.cmake\")
")

# The entry names the installed files by absolute path, so it is written at
# install time, when the final prefix (`--prefix` included) is known.
if(PETATTO_INSTALL_DESKTOP_ENTRY)
  install(CODE "
    if(DEFINED ENV{XDG_DATA_HOME} AND NOT \"\$ENV{XDG_DATA_HOME}\" STREQUAL \"\")
      set(applications \"\$ENV{XDG_DATA_HOME}/applications\")
    else()
      set(applications \"\$ENV{HOME}/.local/share/applications\")
    endif()
    set(EXECUTABLE \"\${CMAKE_INSTALL_PREFIX}/petatto-meibo\")
    set(ICON \"\${CMAKE_INSTALL_PREFIX}/icon.png\")
    set(entry \"\$ENV{DESTDIR}\${applications}/petatto-meibo.desktop\")
    configure_file(\"${PROJECT_SOURCE_DIR}/resources/petatto-meibo.desktop.in\" \"\${entry}\" @ONLY)
    message(STATUS \"Installing: \${entry}\")
  ")
endif()
