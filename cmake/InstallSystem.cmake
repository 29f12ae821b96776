# A system-wide install, for the Debian package: the program and its own
# libraries and browser module together in a private folder under the
# library folder, where they find each other as in the build tree; a link to
# the program on the PATH; the desktop entry, the icon in the sizes menus and
# docks draw, the AppStream data and the manual page where desktops and
# `man` look. No NAME.txt: each user's record is made in the user's data
# folder at the first start.
include(GNUInstallDirs)

set(private ${CMAKE_INSTALL_LIBDIR}/petatto-meibo)
install(TARGETS petatto-meibo RUNTIME DESTINATION ${private})
cmake_language(DEFER DIRECTORY ${PROJECT_SOURCE_DIR}
  CALL petatto_install_libraries ${PROJECT_SOURCE_DIR} ${private})

cmake_path(RELATIVE_PATH private BASE_DIRECTORY ${CMAKE_INSTALL_BINDIR} OUTPUT_VARIABLE from_bin)
install(CODE "
  set(link \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/petatto-meibo\")
  file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
  file(CREATE_LINK \"${from_bin}/petatto-meibo\" \"\${link}\" SYMBOLIC)
  list(APPEND CMAKE_INSTALL_MANIFEST_FILES \"\${link}\")
  message(STATUS \"Installing: \${link}\")
")

set(EXECUTABLE petatto-meibo)
set(ICON petatto-meibo)
configure_file(${PROJECT_SOURCE_DIR}/resources/petatto-meibo.desktop.in
  ${PROJECT_BINARY_DIR}/petatto-meibo.desktop @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/petatto-meibo.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
foreach(size 16 22 24 32 48 64 128 256)
  install(FILES ${PROJECT_SOURCE_DIR}/resources/icons/${size}.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
    RENAME petatto-meibo.png)
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/resources/jp.petatto.meibo.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${PROJECT_SOURCE_DIR}/resources/petatto-meibo.1
  DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
