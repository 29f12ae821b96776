# petatto_headers(TARGET) makes the headers listed among TARGET's sources, and
# no other header of the source tree, visible to TARGET and to every target
# that links it, under their paths from the source root ("platform/Twips.h").
#
# Every target includes by those paths, so one include directory at the source
# root would let any file include any header whatever it links; a dependency
# the build does not know of would then go unnoticed until it became a cycle.
# Instead each library gets a folder of its own in the build tree that holds
# links to its own headers only: a file that includes a header of a library
# its target does not link fails to compile.
function(petatto_headers target)
  set(view ${PROJECT_BINARY_DIR}/include/${target})
  get_target_property(sources ${target} SOURCES)
  set(links)
  foreach(source IN LISTS sources)
    if(NOT source MATCHES "\\.h$")
      continue()
    endif()
    cmake_path(ABSOLUTE_PATH source BASE_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}
      OUTPUT_VARIABLE header)
    cmake_path(RELATIVE_PATH header BASE_DIRECTORY ${PROJECT_SOURCE_DIR} OUTPUT_VARIABLE name)
    list(APPEND links ${view}/${name})
    if(IS_SYMLINK ${view}/${name})
      file(READ_SYMLINK ${view}/${name} existing)
      if(existing STREQUAL header)
        continue()
      endif()
    endif()
    cmake_path(GET name PARENT_PATH folder)
    file(MAKE_DIRECTORY ${view}/${folder})
    file(CREATE_LINK ${header} ${view}/${name} SYMBOLIC)
  endforeach()
  # A header removed from the sources disappears from the view too.
  file(GLOB_RECURSE present LIST_DIRECTORIES false ${view}/*)
  foreach(file IN LISTS present)
    if(NOT file IN_LIST links)
      file(REMOVE ${file})
    endif()
  endforeach()

  get_target_property(type ${target} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    target_include_directories(${target} INTERFACE ${view})
  else()
    target_include_directories(${target} PUBLIC ${view})
  endif()
endfunction()
