# Where `cmake --install` and the Debian package put the programs, their man
# pages, the bash completion and the desktop files (GNU directory layout
# under CMAKE_INSTALL_PREFIX).
include(GNUInstallDirs)

set(TARVO_APP_ID io.github.tarvo.Tarvo)

install(TARGETS tarvo-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/cli/tarvo-cli.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
# bash-completion loads a command's completion from a file of its name.
install(FILES ${PROJECT_SOURCE_DIR}/cli/tarvo-cli.bash
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME tarvo-cli)

if(TARVO_BUILD_GUI)
  set(resources ${PROJECT_SOURCE_DIR}/ui/resources)
  install(TARGETS tarvo RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${resources}/tarvo.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES ${resources}/${TARVO_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${resources}/${TARVO_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  install(DIRECTORY ${resources}/icons/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
endif()
