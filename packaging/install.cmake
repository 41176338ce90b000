# SPDX-License-Identifier: GPL-3.0-or-later
# install.cmake: the installed layout (Debian's games layout under any prefix), the launchers
# made from packaging/gobrant.in, the icons, and the checks of the files a desktop reads.
# Included last from the top CMakeLists.txt, so that every program's target is known.
include(GNUInstallDirs)
set(GOBRANT_LAUNCHER_DIR games)                                # the launcher "gobrant"
set(GOBRANT_PROGRAM_DIR lib/games/gobrant)                     # the game program and editor
set(GOBRANT_CONTENT_DIR ${CMAKE_INSTALL_DATADIR}/games/gobrant) # the shipped content, read-only
set(GOBRANT_APP_ID io.github.gobrant.Gobrant)                  # the AppStream component id
set(GOBRANT_ICON_SKIN meadow)                                  # the skin the icons come from
set(PACKAGING_DIR ${CMAKE_SOURCE_DIR}/packaging)

# Writes a launcher at <output> that finds the program in <program_dir> and the content in
# <content_dir>, both relative to <launcher_dir> (all three absolute).
function(gobrant_launcher output launcher_dir program_dir content_dir)
  file(RELATIVE_PATH LAUNCHER_TO_PROGRAM ${launcher_dir} ${program_dir})
  file(RELATIVE_PATH LAUNCHER_TO_CONTENT ${launcher_dir} ${content_dir})
  foreach(var LAUNCHER_TO_PROGRAM LAUNCHER_TO_CONTENT)
    if(${var} STREQUAL "")
      set(${var} .)
    endif()
  endforeach()
  configure_file(${PACKAGING_DIR}/gobrant.in ${output} @ONLY)
endfunction()

# The installed launcher, and the one `make play` uses: it runs the built program with the
# checkout's content tree.
gobrant_launcher(${CMAKE_BINARY_DIR}/packaging/gobrant
  /${GOBRANT_LAUNCHER_DIR} /${GOBRANT_PROGRAM_DIR} /${GOBRANT_CONTENT_DIR})
gobrant_launcher(${CMAKE_BINARY_DIR}/play/gobrant
  ${CMAKE_BINARY_DIR}/play ${CMAKE_BINARY_DIR} ${CMAKE_SOURCE_DIR}/content)

set(ICON_DIR ${CMAKE_BINARY_DIR}/icons)
file(GLOB ICON_SKIN_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/content/skins/${GOBRANT_ICON_SKIN}/*.bmp)
add_custom_command(OUTPUT ${ICON_DIR}/256x256/apps/gobrant.png
  COMMAND make_icons ${CMAKE_SOURCE_DIR}/content ${GOBRANT_ICON_SKIN} ${ICON_DIR}
  DEPENDS make_icons ${ICON_SKIN_FILES}
  COMMENT "Drawing the icons")
add_custom_target(icons ALL DEPENDS ${ICON_DIR}/256x256/apps/gobrant.png)

install(TARGETS gobrant RUNTIME DESTINATION ${GOBRANT_PROGRAM_DIR})
if(TARGET gobrant-editor)
  # Beside the game in the build tree too, where make play's launcher looks for it.
  set_target_properties(gobrant-editor PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
  install(TARGETS gobrant-editor RUNTIME DESTINATION ${GOBRANT_PROGRAM_DIR})
endif()
install(PROGRAMS ${CMAKE_BINARY_DIR}/packaging/gobrant DESTINATION ${GOBRANT_LAUNCHER_DIR})
install(DIRECTORY ${CMAKE_SOURCE_DIR}/content/ DESTINATION ${GOBRANT_CONTENT_DIR})
install(FILES ${PACKAGING_DIR}/gobrant.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(DIRECTORY ${ICON_DIR}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
configure_file(${PACKAGING_DIR}/gobrant.6 ${CMAKE_BINARY_DIR}/packaging/gobrant.6 @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/packaging/gobrant.6 DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
set(METAINFO ${CMAKE_BINARY_DIR}/packaging/${GOBRANT_APP_ID}.metainfo.xml)
configure_file(${PACKAGING_DIR}/gobrant.metainfo.xml ${METAINFO} @ONLY)
install(FILES ${METAINFO} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# Checks of the installed files, the launcher and the package; not in the sanitized build.
if(NOT GOBRANT_SANITIZE)
  set(PACKAGING_TESTS ${CMAKE_SOURCE_DIR}/tests/packaging)
  add_test(NAME packaging.desktop_entry COMMAND sh ${PACKAGING_TESTS}/run_tool.sh
    desktop-file-validate ${PACKAGING_DIR}/gobrant.desktop)
  add_test(NAME packaging.metainfo COMMAND sh ${PACKAGING_TESTS}/run_tool.sh
    appstreamcli validate --no-net ${METAINFO})
  add_test(NAME packaging.launcher COMMAND bash ${PACKAGING_TESTS}/test_launcher.sh
    ${CMAKE_BINARY_DIR} ${CMAKE_SOURCE_DIR})
  # The package is built once into deb/ for the tests that read it.
  execute_process(COMMAND dpkg --print-architecture OUTPUT_VARIABLE DEB_ARCH
    OUTPUT_STRIP_TRAILING_WHITESPACE)
  set(DEB_FILE ${CMAKE_BINARY_DIR}/deb/gobrant_${PROJECT_VERSION}_${DEB_ARCH}.deb)
  add_test(NAME packaging.deb COMMAND bash ${PACKAGING_DIR}/make_deb.sh ${CMAKE_BINARY_DIR} ${CMAKE_BINARY_DIR}/deb)
  set_tests_properties(packaging.deb PROPERTIES FIXTURES_SETUP deb)
  add_test(NAME packaging.lintian COMMAND sh ${PACKAGING_TESTS}/run_tool.sh
    lintian --fail-on error ${DEB_FILE})
  set_tests_properties(packaging.lintian PROPERTIES FIXTURES_REQUIRED deb)
  set_tests_properties(packaging.desktop_entry packaging.metainfo packaging.lintian
    PROPERTIES SKIP_RETURN_CODE 77)
  set_tests_properties(packaging.launcher PROPERTIES TIMEOUT 120)
  if(GOBRANT_E2E)
    foreach(run e2e e2e.compat)
      add_test(NAME ${run}.deb_install COMMAND bash ${PACKAGING_TESTS}/e2e_deb_install.sh ${DEB_FILE})
      set_tests_properties(${run}.deb_install PROPERTIES TIMEOUT 120)
    endforeach()
    set_tests_properties(e2e.deb_install PROPERTIES FIXTURES_REQUIRED deb)
    set_tests_properties(e2e.compat.deb_install PROPERTIES
      ENVIRONMENT ${SDL12_COMPAT_ENVIRONMENT} FIXTURES_REQUIRED "deb;sdl12compat")
  endif()
endif()
