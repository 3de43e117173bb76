# Read by Qt's build (CMAKE_PROJECT_INCLUDE) from scripts/windows.sh, which builds
# Qt 6.4 with CMAKE_UNITY_BUILD: each module's files are compiled in batches.
# Qt 6.4 was not written for that, so what follows compiles alone: the bundled C
# libraries, and each file that defines a file-level name another file of its
# module also defines, or a macro (or #undef) that would reach the files after it.
# A clash shows as a compile error; a new one is added here.

# A module's moc need not wait for the modules it links to be linked.
set(CMAKE_AUTOGEN_ORIGIN_DEPENDS OFF)

set(qr_alone
  Core src/corelib/compat/removed_api.cpp
  Core src/corelib/global/qlogging.cpp
  Core src/corelib/global/qrandom.cpp
  Core src/corelib/global/qsimd.cpp
  Core src/corelib/io/qdebug.cpp
  Core src/corelib/io/qfilesystemengine_win.cpp
  Core src/corelib/io/qfsfileengine_win.cpp
  Core src/corelib/io/qurlquery.cpp
  Core src/corelib/io/qurlrecode.cpp
  Core src/corelib/kernel/qmetaobjectbuilder.cpp
  Core src/corelib/kernel/qsocketnotifier.cpp
  Core src/corelib/serialization/qcborcommon.cpp
  Core src/corelib/serialization/qcborstreamwriter.cpp
  Core src/corelib/text/qbytearraymatcher.cpp
  Core src/corelib/text/qstring.cpp
  Core src/corelib/text/qunicodetools.cpp
  Core src/corelib/time/qjalalicalendar.cpp
  Core src/corelib/tools/qhash.cpp
  Gui src/gui/accessible/qaccessible.cpp
  Gui src/gui/accessible/windows/apisupport/qwindowsuiawrapper.cpp
  Gui src/gui/image/qicon.cpp
  Gui src/gui/image/qimagereaderwriterhelpers.cpp
  Gui src/gui/image/qpixmapcache.cpp
  Gui src/gui/kernel/qgenericpluginfactory.cpp
  Gui src/gui/kernel/qplatforminputcontextfactory.cpp
  Gui src/gui/kernel/qplatformintegrationfactory.cpp
  Gui src/gui/kernel/qplatformthemefactory.cpp
  Gui src/gui/kernel/qwindowsysteminterface.cpp
  Gui src/gui/text/windows/qwindowsfontengine.cpp
  Gui src/gui/util/qpkmhandler.cpp
  Widgets src/widgets/accessible/qaccessiblewidgets.cpp
  Widgets src/widgets/compat/removed_api.cpp
  Widgets src/widgets/dialogs/qfiledialog.cpp
  Widgets src/widgets/styles/qstylefactory.cpp
  Widgets src/widgets/widgets/qmdiarea.cpp
  Network src/network/access/qhttpthreaddelegate.cpp
  Network src/network/access/qnetworkreplyhttpimpl.cpp
  Network src/network/kernel/qnetworkinformation.cpp
  Network src/network/kernel/qnetworkinterface.cpp
  Network src/network/kernel/qnetworkinterface_win.cpp
  Network src/network/socket/qnativesocketengine_win.cpp
  OpenGL src/opengl/qopengltexturehelper.cpp
  Test src/testlib/qteamcitylogger.cpp
  QWindowsIntegrationPlugin src/plugins/platforms/windows/qwindowsdialoghelpers.cpp
  QWindowsIntegrationPlugin src/plugins/platforms/windows/qwindowsservices.cpp
  QWindowsVistaStylePlugin src/plugins/styles/windowsvista/qwindowsxpstyle.cpp
)

function(qr_targets_under dir out)
  get_property(targets DIRECTORY "${dir}" PROPERTY BUILDSYSTEM_TARGETS)
  get_property(subdirs DIRECTORY "${dir}" PROPERTY SUBDIRECTORIES)
  foreach(sub IN LISTS subdirs)
    qr_targets_under("${sub}" more)
    list(APPEND targets ${more})
  endforeach()
  set(${out} ${targets} PARENT_SCOPE)
endfunction()

# Runs once every target exists.
function(qr_compile_alone)
  qr_targets_under("${CMAKE_SOURCE_DIR}" targets)
  foreach(target IN LISTS targets)
    if(target MATCHES "^Bundled")
      set_property(TARGET ${target} PROPERTY UNITY_BUILD OFF)
    endif()
  endforeach()
  while(qr_alone)
    list(POP_FRONT qr_alone target file)
    if(NOT EXISTS "${CMAKE_SOURCE_DIR}/${file}")
      message(FATAL_ERROR "QtUnityBuild.cmake lists ${file}, which this Qt's source does not have: "
        "drop the entry, or find where the file moved and whether it still needs to compile alone.")
    endif()
    set_property(SOURCE "${CMAKE_SOURCE_DIR}/${file}" TARGET_DIRECTORY ${target}
      PROPERTY SKIP_UNITY_BUILD_INCLUSION ON)
  endwhile()
endfunction()
cmake_language(DEFER DIRECTORY "${CMAKE_SOURCE_DIR}" CALL qr_compile_alone)
