# A cross build takes CLI11 and nlohmann-json, which are header-only, from
# the build machine: their headers are copied into the build folder (the
# machine's other headers must stay out of a foreign compiler's way) and
# small package files make `find_package` find them there.
set(QUILL_HOST_INCLUDE /usr/include CACHE PATH "Where the build machine keeps CLI/ and nlohmann/")
set(QUILL_HOST_HEADERS ${CMAKE_BINARY_DIR}/host-headers)

foreach(folder CLI nlohmann)
    if(NOT EXISTS ${QUILL_HOST_INCLUDE}/${folder})
        message(FATAL_ERROR "${QUILL_HOST_INCLUDE}/${folder} is missing: install libcli11-dev and nlohmann-json3-dev")
    endif()
    file(COPY ${QUILL_HOST_INCLUDE}/${folder} DESTINATION ${QUILL_HOST_HEADERS}/include)
endforeach()

foreach(package CLI11 nlohmann_json)
    if(package STREQUAL "CLI11")
        set(target CLI11::CLI11)
    else()
        set(target nlohmann_json::nlohmann_json)
    endif()
    file(WRITE ${QUILL_HOST_HEADERS}/${package}/${package}Config.cmake
"if(NOT TARGET ${target})
    add_library(${target} INTERFACE IMPORTED)
    set_target_properties(${target} PROPERTIES
        INTERFACE_INCLUDE_DIRECTORIES \"${QUILL_HOST_HEADERS}/include\")
endif()
")
    set(${package}_DIR ${QUILL_HOST_HEADERS}/${package} CACHE PATH "" FORCE)
endforeach()
