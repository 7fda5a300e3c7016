# The Debian package, made with `cpack -G DEB` in the build directory
# (tools/package.sh): glimmet_<version>_amd64.deb, installed below /usr.
set(CPACK_PACKAGE_NAME glimmet)
set(CPACK_PACKAGE_VENDOR "The Glimmet developers")
set(CPACK_PACKAGE_CONTACT "The Glimmet developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "3D physics game: roll Tobble through five toy-room levels")
set(CPACK_PACKAGE_DESCRIPTION "Tobble the Glimmet is a single-player 3D physics game. You roll
 Tobble, a small creature, along the shelves of a toy room: push cubes off
 platforms to uncover walkways, touch the corn, learn the jump, and keep
 from falling off.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The dependencies: the packages of the libraries the programs link.
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/PackageDepends.cmake)
set(CPACK_GENERATOR DEB)
include(CPack)
