# Run by CPack between staging the install and building the package: Debian keeps games in
# /usr/games, so the programs move there from /usr/bin.
file(GLOB_RECURSE programs LIST_DIRECTORIES false "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*/bin/*")
if(NOT programs)
  message(FATAL_ERROR "no programs staged under ${CPACK_TEMPORARY_INSTALL_DIRECTORY}")
endif()
foreach(p IN LISTS programs)
  get_filename_component(bin ${p} DIRECTORY)
  get_filename_component(prefix ${bin} DIRECTORY)
  get_filename_component(name ${p} NAME)
  file(MAKE_DIRECTORY ${prefix}/games)
  file(RENAME ${p} ${prefix}/games/${name})
endforeach()
file(REMOVE_RECURSE ${bin})
