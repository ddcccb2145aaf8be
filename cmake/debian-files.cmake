# Run by CPack on its staging folder before the .deb is made: adds what
# Debian asks of every package (lintian checks it) to the installed files.

set(root ${CPACK_TEMPORARY_INSTALL_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX})
if(NOT EXISTS ${root}/bin/corvane-host)
  message(FATAL_ERROR "nothing staged under ${root}")
endif()
set(doc ${root}/${CPACK_CORVANE_DOCDIR})

file(COPY ${CPACK_CORVANE_DEBIAN_DIR}/copyright DESTINATION ${doc})
file(COPY ${CPACK_CORVANE_DEBIAN_DIR}/changelog DESTINATION ${doc})

# gzip -9n: no name or time stamp inside, so the package is reproducible.
file(GLOB pages ${root}/${CPACK_CORVANE_MANDIR}/man*/*.[1-9])
foreach(file ${doc}/changelog ${pages})
  execute_process(COMMAND gzip -9nf ${file} RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "gzip failed on ${file}")
  endif()
endforeach()
