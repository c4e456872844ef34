# Turns UTF-8 string-table files into a header of named Shift-JIS constants.
set(QUORVEL_GENERATED_DIR ${CMAKE_BINARY_DIR}/generated)

# quorvel_sjis_texts(<target> HEADER <path under generated/> INPUTS <files...>)
# Creates an INTERFACE library <target> whose users can include the header.
function(quorvel_sjis_texts target)
    cmake_parse_arguments(ARG "" "HEADER" "INPUTS" ${ARGN})
    set(output ${QUORVEL_GENERATED_DIR}/${ARG_HEADER})
    set(inputs)
    foreach(input IN LISTS ARG_INPUTS)
        if(IS_ABSOLUTE ${input})
            list(APPEND inputs ${input})
        else()
            list(APPEND inputs ${CMAKE_CURRENT_SOURCE_DIR}/${input})
        endif()
    endforeach()
    add_custom_command(
        OUTPUT ${output}
        COMMAND sjisgen ${output} ${inputs}
        DEPENDS sjisgen ${inputs}
        COMMENT "Converting texts to Shift-JIS: ${ARG_HEADER}"
        VERBATIM)
    add_custom_target(${target}_generate DEPENDS ${output})
    add_library(${target} INTERFACE)
    add_dependencies(${target} ${target}_generate)
endfunction()
