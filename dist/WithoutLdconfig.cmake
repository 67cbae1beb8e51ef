# Run by cpack on each package it built: CPack's Debian generator gives every package with
# a shared library in a folder under /usr/lib maintainer scripts that run ldconfig. The
# program's libraries are private to its folder and found through RUNPATH $ORIGIN, so the
# package is rebuilt without those scripts (it has nothing else to do at install time).
foreach(deb IN LISTS CPACK_PACKAGE_FILES)
  set(tree ${CPACK_TOPLEVEL_DIRECTORY}/without-ldconfig)
  file(REMOVE_RECURSE ${tree})
  execute_process(COMMAND dpkg-deb --raw-extract ${deb} ${tree} COMMAND_ERROR_IS_FATAL ANY)
  foreach(script postinst postrm)
    if(EXISTS ${tree}/DEBIAN/${script})
      file(STRINGS ${tree}/DEBIAN/${script} lines REGEX "^[^#]")
      if(NOT lines MATCHES "^set -e;(if .*;)?[ \t]*ldconfig;(fi)?$")
        message(FATAL_ERROR "${deb}: its ${script} does more than ldconfig: ${lines}")
      endif()
      file(REMOVE ${tree}/DEBIAN/${script})
    endif()
  endforeach()
  execute_process(COMMAND dpkg-deb --root-owner-group --build ${tree} ${deb}
    OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
  file(REMOVE_RECURSE ${tree})
endforeach()
