# The Debian package (scripts/package builds it): the programs in /usr/games as Debian's games section
# has them, the data under /usr/share, the documents Debian asks for, and dependencies computed from the
# binaries plus what the game loads at run time. A plain `cmake --install` keeps the programs in bin/.
# Manual pages and the package's change log are installed compressed, as Debian has them.
set(polmina_gz_files)
foreach(src dist/polmina.6 dist/polmina-sim.6 dist/changelog)
  get_filename_component(n ${src} NAME)
  set(out ${CMAKE_BINARY_DIR}/dist/${n}.gz)
  add_custom_command(OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/dist
    COMMAND sh -c "gzip -9nc \"$0\" > \"$1\"" ${CMAKE_SOURCE_DIR}/${src} ${out}
    DEPENDS ${CMAKE_SOURCE_DIR}/${src} VERBATIM)
  list(APPEND polmina_gz_files ${out})
endforeach()
add_custom_target(polmina_docs ALL DEPENDS ${polmina_gz_files})
install(FILES ${CMAKE_BINARY_DIR}/dist/polmina.6.gz ${CMAKE_BINARY_DIR}/dist/polmina-sim.6.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES dist/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/polmina)
install(FILES ${CMAKE_BINARY_DIR}/dist/changelog.gz DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/polmina)

set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME polmina)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Polmina Workshop <polmina@polmina.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "cat-racing training game with a Japanese interface")
set(CPACK_PACKAGE_DESCRIPTION
    "Raise one young cat week by week: set its training, book it into the
races of a 240-race calendar, watch its races with commentary, and earn
prize money, classes and titles among a thousand computer cats, until
your cat retires. The game's texts are in Japanese.
.
The package also holds polmina-sim, the game without windows, for scripts.")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://polmina.org/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded at run time, so no binary names them: the two Japanese fonts and Qt's own Japanese texts.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic, fonts-ipafont-mincho, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# After CPack has installed the build into its staging folder: the programs move to games/.
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/debian_games.cmake)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
include(CPack)
