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
    share/polmina/Help.en.htm
    share/polmina/polmina.en.mo
    share/polmina/sounds/gate.wav
    share/polmina/sounds/home-loop.wav
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

# The installed command-line tool finds the installed start data by itself, wherever it is run from,
# and ends its error messages with a newline.
set(game ${prefix}/scratch-game)
set(ENV{XDG_DATA_DIRS} ${prefix}/no-such-share)
set(ENV{XDG_DATA_HOME} ${prefix}/no-such-home)
execute_process(COMMAND ${prefix}/bin/polmina-sim new ${game} --player a --player-sex 0 --cat b --cat-sex 0
                        --trait 0 --breed 0 --seed 3
                WORKING_DIRECTORY ${prefix} RESULT_VARIABLE rc ERROR_VARIABLE err)
if(NOT rc EQUAL 0 OR NOT EXISTS ${game}/ZedeVazO.Dat)
  message(FATAL_ERROR "installed polmina-sim new failed (${rc}): ${err}")
endif()
execute_process(COMMAND ${prefix}/bin/polmina-sim show ${prefix}/no-such-game state
                RESULT_VARIABLE rc OUTPUT_QUIET ERROR_VARIABLE err)
if(rc EQUAL 0 OR NOT err MATCHES "\n$")
  message(FATAL_ERROR "a missing game must fail with a whole line (${rc}): '${err}'")
endif()
file(REMOVE_RECURSE ${prefix})
