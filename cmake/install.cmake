# SPDX-License-Identifier: MIT
# Installation and the Debian package. The layout under the prefix is the one the program's folder rules
# expect: bin/tallyx finds the manual as ../doc/tallyx.pdf and the window module as ../lib/delvocalculator/.
#   PREFIX/bin/tallyx
#   PREFIX/lib/delvocalculator/libtallyx_window.so
#   PREFIX/doc/tallyx.pdf
#   PREFIX/share/applications/delvocalculator.desktop, PREFIX/share/icons/hicolor/256x256/apps/delvocalculator.png
#   PREFIX/share/man/man1/tallyx.1.gz, PREFIX/share/metainfo/example.quarn.delvocalculator.metainfo.xml
#   PREFIX/share/doc/delvocalculator/copyright, changelog.gz
# The package uses the prefix /opt/delvocalculator, adds links in /usr (tallyx, desktop entry, icon, manual
# page, metainfo) and keeps its copyright and changelog in /usr/share/doc/delvocalculator
# (cmake/package_staging.cmake).
set(DELVO_MODULE_DIR lib/delvocalculator)
set_target_properties(tallyx PROPERTIES INSTALL_RPATH "$ORIGIN/../${DELVO_MODULE_DIR}")
target_compile_definitions(tallyx PRIVATE TALLYX_MODULE_DIR="../${DELVO_MODULE_DIR}")
install(TARGETS tallyx RUNTIME DESTINATION bin)
install(TARGETS tallyx_window LIBRARY DESTINATION ${DELVO_MODULE_DIR})
if(DELVO_MANUAL)
  install(FILES ${DELVO_MANUAL} DESTINATION doc)
endif()
install(FILES ${CMAKE_SOURCE_DIR}/resources/delvocalculator.desktop DESTINATION share/applications)
install(FILES ${CMAKE_SOURCE_DIR}/resources/delvocalculator.png DESTINATION share/icons/hicolor/256x256/apps)
install(FILES ${CMAKE_SOURCE_DIR}/resources/example.quarn.delvocalculator.metainfo.xml DESTINATION share/metainfo)
if(DELVO_MAN_PAGE)
  install(FILES ${DELVO_MAN_PAGE} DESTINATION share/man/man1)
endif()

# The copyright file (our licence and that of the code compiled into the program) and the changelog,
# compressed as Debian keeps it; the changelog's first entry is the package's version.
find_program(GZIP_EXECUTABLE gzip REQUIRED)
set(DELVO_CHANGELOG ${CMAKE_BINARY_DIR}/changelog.gz)
add_custom_command(OUTPUT ${DELVO_CHANGELOG}
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/installer/changelog ${CMAKE_BINARY_DIR}/changelog
  COMMAND ${GZIP_EXECUTABLE} -9nf ${CMAKE_BINARY_DIR}/changelog
  DEPENDS ${CMAKE_SOURCE_DIR}/installer/changelog
  VERBATIM)
add_custom_target(changelog ALL DEPENDS ${DELVO_CHANGELOG})
install(FILES ${CMAKE_SOURCE_DIR}/installer/copyright ${DELVO_CHANGELOG} DESTINATION share/doc/delvocalculator)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME delvocalculator)
set(CPACK_PACKAGE_VENDOR "Quarn")
set(CPACK_PACKAGE_CONTACT "DelvoCalculator developers <delvocalculator@quarn.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Console-style scientific calculator")
# The package's long description, in lines that fit the 80 columns of a terminal's package listing.
set(CPACK_PACKAGE_DESCRIPTION "DelvoCalculator evaluates expressions typed on a console, with 26 variables,
number formats and output bases, a solver, plots, unit and base converters.
Its batch mode runs a file of commands without a window, for scripts.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION}.2104)
set(CPACK_PACKAGING_INSTALL_PREFIX /opt/delvocalculator)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION math)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
# libcurl is opened only by the update check; without it the program runs and says it cannot check.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libcurl4, xdg-utils")
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_SOURCE_DIR}/cmake/package_staging.cmake)
include(CPack)
