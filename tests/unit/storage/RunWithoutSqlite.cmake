# Runs PROGRAM (through EMULATOR, when given) from a fresh FOLDER that has no sqlite3.dll, so
# that the normal library search cannot find it; LIBRARY is copied into FOLDER/spare.
# Usage: cmake -DPROGRAM=... -DLIBRARY=... -DFOLDER=... [-DEMULATOR=...] -P RunWithoutSqlite.cmake
file(REMOVE_RECURSE "${FOLDER}")
file(MAKE_DIRECTORY "${FOLDER}/spare")
file(COPY "${PROGRAM}" DESTINATION "${FOLDER}")
file(COPY "${LIBRARY}" DESTINATION "${FOLDER}/spare")
if(EXISTS "${FOLDER}/sqlite3.dll")
    message(FATAL_ERROR "${FOLDER} must not hold sqlite3.dll")
endif()
get_filename_component(name "${PROGRAM}" NAME)
execute_process(COMMAND ${EMULATOR} "${FOLDER}/${name}"
                WORKING_DIRECTORY "${FOLDER}" RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "${name} without sqlite3.dll: ${result}")
endif()
