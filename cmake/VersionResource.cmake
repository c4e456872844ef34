# The Windows programs' VERSIONINFO: quorvel_version_text(KEY VAR) reads a text of
# app/windows/data/version_texts.txt; quorvel_version_resource(TARGET DESCRIPTION_KEY) gives the
# target its version resource.
function(quorvel_version_text key var)
    file(STRINGS ${CMAKE_SOURCE_DIR}/app/windows/data/version_texts.txt lines ENCODING UTF-8
         REGEX "^${key} = ")
    list(GET lines 0 line)
    string(REGEX REPLACE "^${key} = " "" value "${line}")
    set(${var} "${value}" PARENT_SCOPE)
endfunction()

function(quorvel_version_resource target description_key)
    quorvel_version_text(productName QUORVEL_VERSION_PRODUCT)
    quorvel_version_text(companyName QUORVEL_VERSION_COMPANY)
    quorvel_version_text(copyright QUORVEL_VERSION_COPYRIGHT)
    quorvel_version_text(${description_key} QUORVEL_VERSION_DESCRIPTION)
    set(QUORVEL_VERSION_FILE ${target})
    set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}_version.rc)
    configure_file(${CMAKE_SOURCE_DIR}/app/windows/version.rc.in ${rc} @ONLY)
    set_property(DIRECTORY ${CMAKE_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
                 ${CMAKE_SOURCE_DIR}/app/windows/data/version_texts.txt)
    target_sources(${target} PRIVATE ${rc})
endfunction()
