# `cmake --install` has two layouts. A user's own install puts the program
# into one folder that user owns, because NAME.txt lives beside the executable
# and must be writable by its user. A system-wide install (the package build,
# PETATTO_SYSTEM_INSTALL) uses the system's usual folders; each user's record
# then lives in that user's data folder.

# Every shared library and on-demand module of the project goes into
# `destination`, beside the executable, where its RPATH $ORIGIN and the module
# loader look. They are collected once all directories are known, so a new
# one needs no rule here.
function(petatto_install_libraries directory destination)
  get_property(targets DIRECTORY ${directory} PROPERTY BUILDSYSTEM_TARGETS)
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "SHARED_LIBRARY" OR type STREQUAL "MODULE_LIBRARY")
      install(TARGETS ${target} LIBRARY DESTINATION ${destination} RUNTIME DESTINATION ${destination})
    endif()
  endforeach()
  get_property(subdirectories DIRECTORY ${directory} PROPERTY SUBDIRECTORIES)
  foreach(subdirectory IN LISTS subdirectories)
    petatto_install_libraries(${subdirectory} ${destination})
  endforeach()
endfunction()

if(PETATTO_SYSTEM_INSTALL)
  include(${CMAKE_CURRENT_LIST_DIR}/InstallSystem.cmake)
else()
  include(${CMAKE_CURRENT_LIST_DIR}/InstallUser.cmake)
endif()
