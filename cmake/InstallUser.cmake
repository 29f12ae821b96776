# A user's own install: by default ~/.local/opt/petatto-meibo of the user who
# runs `cmake --install`, or the folder given by `--prefix`. A freedesktop
# entry in that user's applications folder lets desktops start it; the
# `uninstall` target removes all of it but the record.

# The default folder names the home folder of whoever installs, read when
# `cmake --install` runs: a build configured by one user may well be
# installed by another. (It is not written "~": CMake would put in the
# configuring user's home at once.) A build folder configured before took
# the configuring user's home, and is mended.
if(CMAKE_INSTALL_PREFIX_INITIALIZED_TO_DEFAULT OR
   CMAKE_INSTALL_PREFIX STREQUAL "$ENV{HOME}/.local/opt/petatto-meibo")
  set(CMAKE_INSTALL_PREFIX "\$ENV{HOME}/.local/opt/petatto-meibo" CACHE PATH
    "Folder that receives the program and its NAME.txt" FORCE)
endif()
option(PETATTO_INSTALL_DESKTOP_ENTRY
  "Install a .desktop entry into the user's applications folder" ON)

# Runs before anything is copied: settles the folder, and refuses the
# installs that would leave the user with a program that cannot keep its
# record.
install(CODE "
  set(MANIFEST \"${PROJECT_BINARY_DIR}/install_manifest.txt\")
  include(\"${CMAKE_CURRENT_LIST_DIR}/UserInstallFolder.cmake\")
")

install(TARGETS petatto-meibo RUNTIME DESTINATION .)
cmake_language(DEFER DIRECTORY ${PROJECT_SOURCE_DIR}
  CALL petatto_install_libraries ${PROJECT_SOURCE_DIR} .)
install(FILES ${PROJECT_SOURCE_DIR}/resources/icon.png DESTINATION .)

# The first-run profile: never replaces the user's record, owner-only. It is
# left out of the install manifest, so that `uninstall` never removes it.
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
    list(APPEND CMAKE_INSTALL_MANIFEST_FILES \"\${entry}\")
    message(STATUS \"Installing: \${entry}\")
  ")
endif()

add_custom_target(uninstall
  COMMAND ${CMAKE_COMMAND} -DMANIFEST=${PROJECT_BINARY_DIR}/install_manifest.txt
    -P ${CMAKE_CURRENT_LIST_DIR}/Uninstall.cmake
  COMMENT "Removing what the last install put in place; NAME.txt stays"
  VERBATIM)
