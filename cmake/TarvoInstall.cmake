# Where `cmake --install` and the Debian package put the programs, their man
# pages, the bash completion and the desktop files (GNU directory layout
# under CMAKE_INSTALL_PREFIX).
include(GNUInstallDirs)

set(TARVO_APP_ID io.github.tarvo.Tarvo)

# The programs and their files make the "Runtime" component, the one the
# Debian package holds; the engine library, its public headers and its
# CMake package make "Development", for programs that embed the engine:
#   find_package(Tarvo REQUIRED)
#   target_link_libraries(my_program PRIVATE tarvo::engine)
set(CMAKE_INSTALL_DEFAULT_COMPONENT_NAME Runtime)
include(CMakePackageConfigHelpers)
set(TARVO_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/Tarvo)
install(TARGETS tarvo_engine EXPORT TarvoTargets
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT Development)
install(FILES ${PROJECT_SOURCE_DIR}/include/tarvo/analysis.h ${PROJECT_SOURCE_DIR}/include/tarvo/settings.h
              ${PROJECT_BINARY_DIR}/generated/tarvo/version.h
        DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/tarvo COMPONENT Development)
install(EXPORT TarvoTargets NAMESPACE tarvo:: DESTINATION ${TARVO_CMAKE_DIR} COMPONENT Development)
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/TarvoConfig.cmake.in
                              ${PROJECT_BINARY_DIR}/TarvoConfig.cmake INSTALL_DESTINATION ${TARVO_CMAKE_DIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/TarvoConfigVersion.cmake COMPATIBILITY SameMinorVersion)
install(FILES ${PROJECT_BINARY_DIR}/TarvoConfig.cmake ${PROJECT_BINARY_DIR}/TarvoConfigVersion.cmake
        DESTINATION ${TARVO_CMAKE_DIR} COMPONENT Development)

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
