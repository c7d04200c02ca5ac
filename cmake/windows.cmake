# SPDX-License-Identifier: MIT
# The Windows installation, the layout the program's folder rules expect:
#   <folder>\bin\tallyx.exe, <folder>\bin\tallyx_window.dll (beside the program, which loads it from there)
#   <folder>\doc\tallyx.pdf (the help path of a program in <folder>\bin\)
#   <folder>\doc\copyright.txt (the licences of the program and of every library linked into it)
install(TARGETS tallyx RUNTIME DESTINATION bin)
if(TARGET tallyx_window)
  install(TARGETS tallyx_window LIBRARY DESTINATION bin RUNTIME DESTINATION bin)
endif()
if(DELVO_MANUAL)
  install(FILES ${DELVO_MANUAL} DESTINATION doc)
endif()

# The licence for the installer's licence page, and the copyright file of the Debian package followed by the
# paragraphs of the libraries the Windows program links in besides, both with Windows line ends for Notepad
# and the page. Parts are joined by a blank line, which separates paragraphs in a copyright file.
function(delvo_windows_text output)
  set(text "")
  foreach(source ${ARGN})
    file(READ ${source} part)
    if(NOT text STREQUAL "")
      string(APPEND text "\n")
    endif()
    string(APPEND text "${part}")
  endforeach()
  string(REPLACE "\n" "\r\n" text "${text}")
  file(WRITE ${output} "${text}")
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${ARGN})
endfunction()
set(DELVO_LICENSE_TEXT ${CMAKE_BINARY_DIR}/LICENSE.txt)
set(DELVO_COPYRIGHT_TEXT ${CMAKE_BINARY_DIR}/copyright.txt)
delvo_windows_text(${DELVO_LICENSE_TEXT} ${CMAKE_SOURCE_DIR}/LICENSE)
delvo_windows_text(${DELVO_COPYRIGHT_TEXT} ${CMAKE_SOURCE_DIR}/installer/copyright
                   ${CMAKE_SOURCE_DIR}/installer/copyright-windows)
install(FILES ${DELVO_COPYRIGHT_TEXT} DESTINATION doc)

# The installer DelvoCalculator-<version>-setup.exe (NSIS).
find_program(MAKENSIS_EXECUTABLE makensis)
if(MAKENSIS_EXECUTABLE)
  set(DELVO_BUILD_NUMBER 2104)
  set(DELVO_SETUP ${CMAKE_BINARY_DIR}/DelvoCalculator-${PROJECT_VERSION}-setup.exe)
  set(NSIS_DEFINES -DVERSION=${PROJECT_VERSION} -DBUILD=${DELVO_BUILD_NUMBER} -DOUTFILE=${DELVO_SETUP}
      -DPROGRAM=$<TARGET_FILE:tallyx> -DICON=${CMAKE_SOURCE_DIR}/resources/tallyx.ico
      -DLICENSE=${DELVO_LICENSE_TEXT} -DCOPYRIGHT=${DELVO_COPYRIGHT_TEXT})
  set(NSIS_DEPENDS tallyx ${CMAKE_SOURCE_DIR}/installer/delvocalculator.nsi ${DELVO_LICENSE_TEXT} ${DELVO_COPYRIGHT_TEXT})
  if(TARGET tallyx_window)
    list(APPEND NSIS_DEFINES -DWINDOW_MODULE=$<TARGET_FILE:tallyx_window>)
    list(APPEND NSIS_DEPENDS tallyx_window)
  endif()
  if(DELVO_MANUAL)
    list(APPEND NSIS_DEFINES -DMANUAL=${DELVO_MANUAL})
    list(APPEND NSIS_DEPENDS ${DELVO_MANUAL})
  endif()
  add_custom_command(OUTPUT ${DELVO_SETUP}
    COMMAND ${MAKENSIS_EXECUTABLE} -V2 ${NSIS_DEFINES} ${CMAKE_SOURCE_DIR}/installer/delvocalculator.nsi
    DEPENDS ${NSIS_DEPENDS}
    COMMENT "Building the installer DelvoCalculator-${PROJECT_VERSION}-setup.exe"
    VERBATIM)
  add_custom_target(installer ALL DEPENDS ${DELVO_SETUP})
  # Installs, runs and removes it in a fresh wine prefix.
  add_test(NAME test_installer COMMAND ${CMAKE_SOURCE_DIR}/tests/wine/test_installer.sh ${DELVO_SETUP})
  set_tests_properties(test_installer PROPERTIES LABELS wine TIMEOUT 600
                       ENVIRONMENT "EXPECT_MANUAL=$<BOOL:${DELVO_MANUAL}>")
endif()
