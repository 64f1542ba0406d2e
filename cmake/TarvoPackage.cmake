# The Debian package, built by scripts/package with CPack:
# tarvo_VERSION_ARCH.deb holding what the install rules install. Its
# dependencies are read from the programs' shared libraries (dpkg-shlibdeps,
# from dpkg-dev).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tarvo)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "The Tarvo developers <tarvo@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "find how the words of a word list take endings")
# One paragraph, in lines short enough for the package's control file.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
  "Tarvo folds a plain word list into a minimised automaton whose states are"
  "suffix groups (stems followed by exactly the same set of endings), ranks"
  "the groups, finds the groups that lack a few endings of a main group and"
  "proposes the missing words. It comes as a Qt 6 program, tarvo, a"
  "command-line companion, tarvo-cli, and a Python module, tarvo.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The Python module's interpreter, which no shared library names.
if(TARVO_PYTHON_DEPENDS)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "${TARVO_PYTHON_DEPENDS}")
endif()
# The programs as tested, without their debugging symbols.
set(CPACK_STRIP_FILES ON)
# The programs only; the engine for embedders is installed with
# cmake --install --component Development.
set(CPACK_INSTALL_CMAKE_PROJECTS "${PROJECT_BINARY_DIR};Tarvo;Runtime;/")
include(CPack)
