# Run by CPack between staging the installed files and building the package:
# compresses the manual pages and adds the copyright and changelog files to
# the package's documentation folder, as Debian packages carry them.
# CPACK_TEMPORARY_INSTALL_DIRECTORY is the staged tree; CPACK_QUILL_COPYRIGHT
# and CPACK_QUILL_CHANGELOG are the two texts.
find_program(QUILL_GZIP gzip REQUIRED)

set(usr ${CPACK_TEMPORARY_INSTALL_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX})
if(NOT IS_DIRECTORY ${usr})
    message(FATAL_ERROR "no staged tree at ${usr}")
endif()

# -n keeps the name and time out of the header; -9 as Debian asks.
function(quill_gzip_in_place file)
    execute_process(COMMAND ${QUILL_GZIP} -9nf ${file} RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "gzip ${file} failed")
    endif()
endfunction()

file(GLOB pages ${usr}/share/man/man*/*.[1-9])
foreach(page IN LISTS pages)
    quill_gzip_in_place(${page})
endforeach()

set(doc ${usr}/share/doc/${CPACK_PACKAGE_NAME})
file(MAKE_DIRECTORY ${doc})
file(COPY_FILE ${CPACK_QUILL_COPYRIGHT} ${doc}/copyright)
file(COPY_FILE ${CPACK_QUILL_CHANGELOG} ${doc}/changelog)
quill_gzip_in_place(${doc}/changelog)
file(CHMOD ${doc} DIRECTORY_PERMISSIONS
     OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
file(CHMOD ${doc}/copyright ${doc}/changelog.gz FILE_PERMISSIONS
     OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
