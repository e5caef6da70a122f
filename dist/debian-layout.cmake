# Run by CPack on the staged files before each package is made. Debian keeps games in
# /usr/games; the sound module is found from there as from bin/, the two folders being siblings.
if(CPACK_GENERATOR STREQUAL "DEB")
    set(root ${CPACK_TEMPORARY_INSTALL_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX})
    file(MAKE_DIRECTORY ${root}/games)
    file(RENAME ${root}/${CPACK_SOLMARIN_BINDIR}/solmarin ${root}/games/solmarin)
endif()
