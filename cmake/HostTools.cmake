# A cross build cannot run what it compiles, so the generators are built for this machine at
# configure time, in a build folder of their own, and imported under their usual names.
set(host_dir ${CMAKE_BINARY_DIR}/host-tools)
execute_process(
    COMMAND ${CMAKE_COMMAND} -S ${CMAKE_SOURCE_DIR}/tools/host -B ${host_dir} -G Ninja
            -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER=g++
    RESULT_VARIABLE configured)
if(NOT configured EQUAL 0)
    message(FATAL_ERROR "The build's generators could not be configured for this machine")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} --build ${host_dir} --target sjisgen termgen cp932gen
                RESULT_VARIABLE built)
if(NOT built EQUAL 0)
    message(FATAL_ERROR "The build's generators could not be built for this machine")
endif()
foreach(tool sjisgen termgen cp932gen)
    add_executable(${tool} IMPORTED GLOBAL)
    set_target_properties(${tool} PROPERTIES IMPORTED_LOCATION ${host_dir}/tools/bin/${tool})
endforeach()
