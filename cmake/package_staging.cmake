# SPDX-License-Identifier: MIT
# Run by CPack on the staged package, before it is packed: the links in /usr that make the program in
# /opt/delvocalculator reachable from the command line, the desktop menu, man and software centres, and the
# package's copyright and changelog moved to /usr/share/doc/delvocalculator, where Debian keeps them.
if(NOT CPACK_TEMPORARY_DIRECTORY)
  message(FATAL_ERROR "package_staging.cmake runs only on cpack's staged package")
endif()
set(root ${CPACK_TEMPORARY_DIRECTORY})
set(prefix ${CPACK_PACKAGING_INSTALL_PREFIX})
foreach(link bin/tallyx share/applications/delvocalculator.desktop
        share/icons/hicolor/256x256/apps/delvocalculator.png share/man/man1/tallyx.1.gz
        share/metainfo/example.quarn.delvocalculator.metainfo.xml)
  if(NOT EXISTS ${root}${prefix}/${link})
    message(FATAL_ERROR "the staged package has no ${prefix}/${link}")
  endif()
  get_filename_component(folder ${root}/usr/${link} DIRECTORY)
  file(MAKE_DIRECTORY ${folder})
  file(CREATE_LINK ${prefix}/${link} ${root}/usr/${link} SYMBOLIC)
endforeach()
file(MAKE_DIRECTORY ${root}/usr/share/doc)
file(RENAME ${root}${prefix}/share/doc/delvocalculator ${root}/usr/share/doc/delvocalculator)
file(REMOVE_RECURSE ${root}${prefix}/share/doc)
