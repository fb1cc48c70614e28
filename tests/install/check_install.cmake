# Installs the build into a scratch prefix and checks that every file is where it belongs.
set(prefix ${BUILD_DIR}/install-check)
file(REMOVE_RECURSE ${prefix})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix} RESULT_VARIABLE rc OUTPUT_QUIET)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${rc}")
endif()
foreach(f
    bin/polmina
    share/polmina/StartDiza.Dat
    share/polmina/Help.htm
    share/applications/org.polmina.Polmina.desktop
    share/metainfo/org.polmina.Polmina.metainfo.xml
    share/icons/hicolor/16x16/apps/org.polmina.Polmina.png
    share/icons/hicolor/64x64/apps/org.polmina.Polmina.png
    share/icons/hicolor/512x512/apps/org.polmina.Polmina.png
    share/icons/hicolor/256x256/apps/org.polmina.Polmina.png)
  if(NOT EXISTS ${prefix}/${f})
    message(FATAL_ERROR "not installed: ${f}")
  endif()
endforeach()
file(REMOVE_RECURSE ${prefix})
