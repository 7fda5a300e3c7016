# Run by cpack once the package's files are staged: the dependencies are the
# packages of the libraries the programs link, as dpkg-shlibdeps finds them
# (libgl1 brings a Mesa driver along). CPack's own way to the same list
# (CPACK_DEBIAN_PACKAGE_SHLIBDEPS) runs `file` on each of the staged files to
# find the programs, most of the packaging time; the programs are what is
# staged in bin/.
file(GLOB programs "${CPACK_TEMPORARY_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}/bin/*")
if(NOT programs)
  message(FATAL_ERROR "PackageDepends: no programs staged below ${CPACK_TEMPORARY_DIRECTORY}")
endif()
# dpkg-shlibdeps wants to run where a debian/control file is.
set(scratch "${CPACK_TEMPORARY_DIRECTORY}/../shlibdeps")
file(MAKE_DIRECTORY "${scratch}/debian")
file(WRITE "${scratch}/debian/control" "")
execute_process(COMMAND dpkg-shlibdeps --ignore-missing-info -O ${programs}
  WORKING_DIRECTORY "${scratch}"
  OUTPUT_VARIABLE found
  ERROR_VARIABLE warnings
  RESULT_VARIABLE status
  OUTPUT_STRIP_TRAILING_WHITESPACE)
file(REMOVE_RECURSE "${scratch}")
if(NOT status EQUAL 0)
  message(FATAL_ERROR "PackageDepends: dpkg-shlibdeps failed (${status}): ${warnings}")
endif()
string(REGEX REPLACE "^.*Depends=" "" CPACK_DEBIAN_PACKAGE_DEPENDS "${found}")
# DevIL is opened when an image first needs it, not linked: name it here.
string(APPEND CPACK_DEBIAN_PACKAGE_DEPENDS ", libdevil1c2")
message(STATUS "PackageDepends: ${CPACK_DEBIAN_PACKAGE_DEPENDS}")
