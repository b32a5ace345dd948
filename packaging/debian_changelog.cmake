# Run by CPack after the files are staged and before the package is made:
# writes usr/share/doc/quorvane/changelog.gz, the changelog in Debian's
# format that every package must carry, with one entry for the version
# packaged. Its date is the build's (SOURCE_DATE_EPOCH when that is set, so
# a build can be reproduced), compressed without a time stamp.
string(TIMESTAMP date "%a, %d %b %Y %H:%M:%S +0000" UTC)
set(doc "${CPACK_TEMPORARY_INSTALL_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}/share/doc/quorvane")
file(MAKE_DIRECTORY "${doc}")
file(WRITE "${doc}/changelog"
"quorvane (${CPACK_PACKAGE_VERSION}) unstable; urgency=medium

  * Quorvane ${CPACK_PACKAGE_VERSION}, packaged from its sources.

 -- ${CPACK_PACKAGE_CONTACT}  ${date}
")
execute_process(COMMAND gzip -9 -n -f "${doc}/changelog" RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "Cannot compress ${doc}/changelog")
endif()
