# Read by Qt's build (CMAKE_PROJECT_INCLUDE) from scripts/windows.sh, which builds
# Qt 6.4 with CMAKE_UNITY_BUILD: each module's files are compiled in batches.
# Qt 6.4 was not written for that, so what follows compiles alone: the bundled C
# libraries, and each file that defines a file-level name another file of its
# module also defines, or a macro (or #undef) that would reach the files after it.
# A clash shows as a compile error; a new one is added here, with its reason.
# The reasons for Qt 6.4.2: what a front-end pass (-fsyntax-only) of the entry's
# batch said with that entry put back, or else what the file does that only a
# file of its own can (a macro before its first header). "None seen" marks an
# entry to try without at the next Qt. Comments are not part of the cache key.

# A module's moc need not wait for the modules it links to be linked.
set(CMAKE_AUTOGEN_ORIGIN_DEPENDS OFF)

set(qr_alone
  Core src/corelib/compat/removed_api.cpp                                    # defines QT_CORE_BUILD_REMOVED_API for every header after it
  Core src/corelib/global/qlogging.cpp                                       # #undef qDebug … qFatal: "qFatal was not declared" after it
  Core src/corelib/global/qrandom.cpp                                        # #undef NDEBUG, Q_ASSERT as assert(); _CRT_RAND_S before <stdlib.h>
  Core src/corelib/global/qsimd.cpp                                          # #undef _FORTIFY_SOURCE before any header; QT_FUNCTION_TARGET_BASELINE
  Core src/corelib/io/qdebug.cpp                                             # #undef QT_NO_DEBUG before any header; #undef qDebug
  Core src/corelib/io/qfilesystemengine_win.cpp                              # <initguid.h>: later headers define their GUIDs; PATH_MAX
  Core src/corelib/io/qfsfileengine_win.cpp                                  # <initguid.h>: later headers define their GUIDs; PATH_MAX
  Core src/corelib/io/qurlquery.cpp                                          # #define decode, encode, leave: qurlrecode.cpp's decode()
  Core src/corelib/io/qurlrecode.cpp                                         # decode() against qurlquery.cpp; isHex(), also in qurl.cpp
  Core src/corelib/kernel/qmetaobjectbuilder.cpp                             # priv(), also in qmetaobject.cpp
  Core src/corelib/kernel/qsocketnotifier.cpp                                # BUILDING_QSOCKETNOTIFIER before the first qsocketnotifier.h
  Core src/corelib/serialization/qcborcommon.cpp                             # #define CBOR_NO_ENCODER_API, CBOR_NO_PARSER_API
  Core src/corelib/serialization/qcborstreamwriter.cpp                       # cbor_encode_float() left out by qcborstreamreader.cpp
  Core src/corelib/text/qbytearraymatcher.cpp                                # none seen in 6.4.2 (REHASH, also in qstring.cpp)
  Core src/corelib/text/qstring.cpp                                          # qIsUpper(), also in qlocale.cpp: ambiguous calls
  Core src/corelib/text/qunicodetools.cpp                                    # enumerator IN, a macro of <windows.h>
  Core src/corelib/time/qjalalicalendar.cpp                                  # locale_data, months_data, also in qhijricalendar.cpp
  Core src/corelib/tools/qhash.cpp                                           # _CRT_RAND_S before <stdlib.h>; #undef truncate
  Gui src/gui/accessible/qaccessible.cpp                                     # global static loader, also in the five below
  Gui src/gui/accessible/windows/apisupport/qwindowsuiawrapper.cpp           # <initguid.h>: later headers define their GUIDs
  Gui src/gui/image/qicon.cpp                                                # global static loader
  Gui src/gui/image/qimagereaderwriterhelpers.cpp                            # global static loader
  Gui src/gui/image/qpixmapcache.cpp                                         # Q_TEST_QPIXMAPCACHE before qpixmapcache.h
  Gui src/gui/kernel/qgenericpluginfactory.cpp                               # global static loader
  Gui src/gui/kernel/qplatforminputcontextfactory.cpp                        # global static loader
  Gui src/gui/kernel/qplatformintegrationfactory.cpp                         # global static loader
  Gui src/gui/kernel/qplatformthemefactory.cpp                               # global static loader
  Gui src/gui/kernel/qwindowsysteminterface.cpp                              # default arguments of qtestsupport_gui.h given again
  Gui src/gui/text/windows/qwindowsfontengine.cpp                            # OS2Table, also in qwindowsfontdatabasebase.cpp
  Gui src/gui/util/qpkmhandler.cpp                                           # headerSize, also in qktxhandler.cpp
  Widgets src/widgets/accessible/qaccessiblewidgets.cpp                      # childWidgets(), also in qaccessiblewidget.cpp
  Widgets src/widgets/compat/removed_api.cpp                                 # defines QT_WIDGETS_BUILD_REMOVED_API for every header after it
  Widgets src/widgets/dialogs/qfiledialog.cpp                                # macro UrlRole (qfiledialog_p.h) against qsidebar.cpp's enum
  Widgets src/widgets/styles/qstylefactory.cpp                               # none seen in 6.4.2
  Widgets src/widgets/widgets/qmdiarea.cpp                                   # tabBarShapeFrom(), also in qmainwindowlayout.cpp
  Network src/network/access/qhttpthreaddelegate.cpp                         # downloadBufferDeleter(), also in qnetworkreplyimpl.cpp
  Network src/network/access/qnetworkreplyhttpimpl.cpp                       # isSeparator(), also in qhsts.cpp
  Network src/network/kernel/qnetworkinformation.cpp                         # none seen in 6.4.2
  Network src/network/kernel/qnetworkinterface.cpp                           # a variable named interface, a macro of <objbase.h>
  Network src/network/kernel/qnetworkinterface_win.cpp                       # WIN32_LEAN_AND_MEAN: <winsock2.h> before any <windows.h>
  Network src/network/socket/qnativesocketengine_win.cpp                     # NOMINMAX: <winsock2.h> before any <windows.h>
  OpenGL src/opengl/qopengltexturehelper.cpp                                 # TextureBinder, also in qopengltextureblitter.cpp
  Test src/testlib/qteamcitylogger.cpp                                       # QTest::incidentType2String(), also in qplaintestlogger.cpp
  QWindowsIntegrationPlugin src/plugins/platforms/windows/qwindowsdialoghelpers.cpp # _WIN32_WINNT before any Windows header
  QWindowsIntegrationPlugin src/plugins/platforms/windows/qwindowsservices.cpp # #define QT_NO_URL_CAST_FROM_STRING
  QWindowsVistaStylePlugin src/plugins/styles/windowsvista/qwindowsxpstyle.cpp # windowsItemFrame etc., also in qwindowsvistastyle.cpp
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
