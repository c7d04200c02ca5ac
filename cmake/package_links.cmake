# SPDX-License-Identifier: MIT
# Run by CPack while it stages the package (DESTDIR is the staging folder): the links in /usr that make the
# program in /opt/delvocalculator reachable from the command line and the desktop menu.
if("$ENV{DESTDIR}" STREQUAL "")
  message(FATAL_ERROR "package_links.cmake runs only inside cpack's staging install")
endif()
set(prefix /opt/delvocalculator)
foreach(link bin/tallyx share/applications/delvocalculator.desktop
        share/icons/hicolor/256x256/apps/delvocalculator.png)
  get_filename_component(folder $ENV{DESTDIR}/usr/${link} DIRECTORY)
  file(MAKE_DIRECTORY ${folder})
  file(CREATE_LINK ${prefix}/${link} $ENV{DESTDIR}/usr/${link} SYMBOLIC)
endforeach()
