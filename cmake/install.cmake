# Installing QIRA the way Debian lays out its games, and packaging it.
# The game reads the folder it is started in, so the demo content goes to
# share/games/qira and the menu entry starts the game there.
include(GNUInstallDirs)

set(QIRA_RELEASE_DATE 2026-12-06) # of PROJECT_VERSION, for the metainfo
set(QIRA_APP_ID local.qira.qira)
set(QIRA_GAME_DIR games)
set(QIRA_DATA_DIR ${CMAKE_INSTALL_DATADIR}/games/qira)
set(QIRA_ICON_SIZES 16 32 48 64 128 256)
# The menu entry names the installed paths; `make package` configures for /usr.
set(QIRA_GAME_PATH ${CMAKE_INSTALL_PREFIX}/${QIRA_GAME_DIR}/qira)
set(QIRA_DATA_PATH ${CMAKE_INSTALL_PREFIX}/${QIRA_DATA_DIR})

target_compile_definitions(qira-kit PRIVATE QIRA_VERSION="${PROJECT_VERSION}")

# Icons and compressed manual pages, made at build time like the demo content.
set(dist ${CMAKE_BINARY_DIR}/dist)
set(made)
foreach(size ${QIRA_ICON_SIZES})
  set(dir ${dist}/icons/${size}x${size}/apps)
  add_custom_command(OUTPUT ${dir}/qira.png
    COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
    COMMAND qira-kit icon ${size} ${dir}/qira.png
    DEPENDS qira-kit COMMENT "Drawing the ${size} px icon")
  list(APPEND made ${dir}/qira.png)
endforeach()
foreach(page qira.6 qira-kit.1)
  configure_file(${CMAKE_SOURCE_DIR}/dist/${page}.in ${dist}/${page} @ONLY)
  add_custom_command(OUTPUT ${dist}/${page}.gz
    COMMAND sh -c "gzip -9nc ${page} > ${page}.gz" WORKING_DIRECTORY ${dist}
    DEPENDS ${dist}/${page} VERBATIM)
  list(APPEND made ${dist}/${page}.gz)
endforeach()
add_custom_target(dist ALL DEPENDS ${made})
configure_file(${CMAKE_SOURCE_DIR}/dist/qira.desktop.in ${dist}/qira.desktop @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/dist/qira.metainfo.xml.in
  ${dist}/${QIRA_APP_ID}.metainfo.xml @ONLY)

install(TARGETS qira DESTINATION ${QIRA_GAME_DIR})
install(TARGETS qira-kit DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY ${CMAKE_BINARY_DIR}/demo/ DESTINATION ${QIRA_DATA_DIR})
install(FILES ${dist}/qira.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${dist}/qira-kit.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${dist}/qira.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${dist}/${QIRA_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(DIRECTORY ${dist}/icons/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor)

# Removes what the last install put in place (its manifest names the files).
add_custom_target(uninstall
  COMMAND ${CMAKE_COMMAND} -DMANIFEST=${CMAKE_BINARY_DIR}/install_manifest.txt
          -P ${CMAKE_SOURCE_DIR}/cmake/uninstall.cmake)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME qira)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "QIRA developer <dev@qira.local>")
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Either SDL 1.2 flavour: the original, or the one built on SDL 2.
# The rest as dpkg-shlibdeps finds them (the package test keeps this list honest).
set(deps "libsdl1.2debian | libsdl1.2-compat-shim" "libpng16-16 (>= 1.6.2-1)" "zlib1g (>= 1:1.1.4)"
  "libgif7 (>= 5.1)" "libimagequant0 (>= 2.11.10)"
  "libc6 (>= 2.35)" "libstdc++6 (>= 11)" "libgcc-s1 (>= 3.0)")
list(JOIN deps ", " CPACK_DEBIAN_PACKAGE_DEPENDS)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "two-player fighting-game showcase")
set(CPACK_PACKAGE_DESCRIPTION
"Two players pick a fighter set, claim an input device each (keys, mouse
buttons or joysticks; two players may share the keyboard) and trade attack
animations on a painted background, in a 320x200 screen of 256 colours
shown full screen or in a window with square pixels.
.
The package brings five demo fighter sets and qira-kit, the tool for
making fighter sets: it converts pictures between the Atari ST, IFF, PCX,
PNG and PPM formats, checks sets as the game reads them and draws the demo.")
include(CPack)

if(QIRA_TESTS)
  foreach(name tree package)
    add_test(NAME install.${name} COMMAND bash ${CMAKE_SOURCE_DIR}/tests/install/test_${name}.sh)
    set_tests_properties(install.${name} PROPERTIES
      ENVIRONMENT "QIRA_BUILD_DIR=${CMAKE_BINARY_DIR};QIRA_PREFIX=${CMAKE_INSTALL_PREFIX};\
QIRA_VERSION=${PROJECT_VERSION};QIRA_APP_ID=${QIRA_APP_ID};QIRA_BIN=$<TARGET_FILE:qira>;\
QIRA_KIT=$<TARGET_FILE:qira-kit>;QIRA_SOURCE_DIR=${CMAKE_SOURCE_DIR};ASAN_OPTIONS=detect_leaks=0"
      LABELS install TIMEOUT 300 RESOURCE_LOCK "xserver;install")
  endforeach()
endif()
