# The portable build makes quivera-recordim-VERSION-windows-x64.zip, the installed
# build (QR_INSTALLED) quivera-recordim-VERSION-setup.exe: the program, the DLLs
# it loads, the fonts its pages are laid out with, and the licences.

# Qt 6.4's deployment tool is not built here, so the DLLs are listed by hand.
# The Windows platform plugin links Qt OpenGL.
set(qt_prefix ${QT6_INSTALL_PREFIX})
install(FILES
    ${qt_prefix}/bin/Qt6Core.dll ${qt_prefix}/bin/Qt6Gui.dll
    ${qt_prefix}/bin/Qt6Widgets.dll ${qt_prefix}/bin/Qt6Network.dll
    ${qt_prefix}/bin/Qt6OpenGL.dll
  DESTINATION .)
install(FILES ${qt_prefix}/${QT6_INSTALL_PLUGINS}/platforms/qwindows.dll DESTINATION platforms)
install(FILES ${qt_prefix}/${QT6_INSTALL_PLUGINS}/styles/qwindowsvistastyle.dll
  DESTINATION styles)
foreach(runtime libgcc_s_seh-1.dll libstdc++-6.dll libwinpthread-1.dll)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${runtime}
    OUTPUT_VARIABLE runtime_path OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT IS_ABSOLUTE "${runtime_path}")
    message(FATAL_ERROR "the compiler does not know where ${runtime} is")
  endif()
  install(FILES ${runtime_path} DESTINATION .)
endforeach()

# Liberation Sans, which the layouts' Arial and MS Sans Serif stand for; the
# program loads it from here at start.
set(QR_FONT_DIR /usr/share/fonts/truetype/liberation2 CACHE PATH "Liberation fonts 2")
set(QR_FONT_LICENSE /usr/share/doc/fonts-liberation2/copyright CACHE FILEPATH
  "The Liberation fonts' licence")
file(GLOB fonts ${QR_FONT_DIR}/LiberationSans-*.ttf)
if(NOT fonts)
  message(FATAL_ERROR "no Liberation fonts in ${QR_FONT_DIR} (package fonts-liberation2)")
endif()
install(FILES ${fonts} DESTINATION fonts)
install(FILES ${QR_FONT_LICENSE} DESTINATION fonts RENAME LICENSE.txt)
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION . RENAME LICENSE.txt)

# Qt's own texts in Portuguese (a text box's context menu), from Debian's
# translations of the same Qt.
set(QR_QT_TRANSLATIONS /usr/share/qt6/translations CACHE PATH "Qt's translations")
if(NOT EXISTS ${QR_QT_TRANSLATIONS}/qtbase_pt_BR.qm)
  message(FATAL_ERROR "no qtbase_pt_BR.qm in ${QR_QT_TRANSLATIONS} (package qt6-translations-l10n)")
endif()
install(FILES ${QR_QT_TRANSLATIONS}/qtbase_pt_BR.qm DESTINATION translations)

set(CPACK_PACKAGE_NAME quivera-recordim)
set(CPACK_PACKAGE_VENDOR "Equipe Quivera")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "bloco de lembretes rápidos para a área de trabalho")
set(CPACK_STRIP_FILES ON)
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
if(QR_INSTALLED)
  set(CPACK_GENERATOR NSIS)
  set(CPACK_PACKAGE_FILE_NAME quivera-recordim-${PROJECT_VERSION}-setup)
  set(CPACK_PACKAGE_INSTALL_DIRECTORY "Quivera Recordim")
  set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY "Quivera Recordim")
  set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
  set(CPACK_NSIS_PACKAGE_NAME "Quivera Recordim!")
  set(CPACK_NSIS_DISPLAY_NAME "Quivera Recordim!")
  # The Start-menu entry, which takes the exe's own icon.
  set(CPACK_PACKAGE_EXECUTABLES quivera-recordim "Quivera Recordim!")
  set(CPACK_NSIS_INSTALLED_ICON_NAME quivera-recordim.exe)
  set(CPACK_NSIS_URL_INFO_ABOUT https://quivera.github.io/)
  # NSIS reads these paths as its own strings, where a backslash escapes.
  file(TO_NATIVE_PATH ${CMAKE_BINARY_DIR}/src/quivera-recordim.ico nsis_icon)
  string(REPLACE "\\" "\\\\" nsis_icon "${nsis_icon}")
  set(CPACK_NSIS_MUI_ICON ${nsis_icon})
  set(CPACK_NSIS_MUI_UNIICON ${nsis_icon})
  # CMake 3.25's template lacks "Unicode true", without which the names with
  # accents come out garbled, and makes a 32-bit installer for a 64-bit program:
  # the same template with both said first.
  # They go after its first line, which starts with a byte order mark.
  file(READ ${CMAKE_ROOT}/Modules/Internal/CPack/NSIS.template.in nsis_template)
  string(FIND "${nsis_template}" "\n" first_end)
  string(SUBSTRING "${nsis_template}" 0 ${first_end} nsis_first)
  math(EXPR first_end "${first_end} + 1")
  string(SUBSTRING "${nsis_template}" ${first_end} -1 nsis_rest)
  file(WRITE ${CMAKE_BINARY_DIR}/nsis/NSIS.template.in
    "${nsis_first}\nUnicode true\nTarget amd64-unicode\n${nsis_rest}")
  list(PREPEND CMAKE_MODULE_PATH ${CMAKE_BINARY_DIR}/nsis)
  set(CPACK_MODULE_PATH ${CMAKE_MODULE_PATH})
else()
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME quivera-recordim-${PROJECT_VERSION}-windows-x64)
endif()
include(CPack)
