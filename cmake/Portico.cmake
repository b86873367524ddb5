# Shared build rules: warnings, sanitizers, Windows flags, GoogleTest and test registration.

# Adds every immediate subfolder of DIR that has a CMakeLists.txt, in name order, so that a
# new component needs no edit of the top-level file.
# Adds each NAME_win.cpp or NAME_posix.cpp to target, whichever the build's platform takes:
# the thin shims of one neutral header.
function(portico_platform_sources target)
    if(PORTICO_WINDOWS)
        list(TRANSFORM ARGN APPEND _win.cpp OUTPUT_VARIABLE files)
    else()
        list(TRANSFORM ARGN APPEND _posix.cpp OUTPUT_VARIABLE files)
    endif()
    target_sources(${target} PRIVATE ${files})
endfunction()

function(portico_add_subdirs dir)
    file(GLOB children LIST_DIRECTORIES true CONFIGURE_DEPENDS RELATIVE ${CMAKE_SOURCE_DIR}/${dir}
         ${CMAKE_SOURCE_DIR}/${dir}/*)
    list(SORT children)
    foreach(child ${children})
        if(EXISTS ${CMAKE_SOURCE_DIR}/${dir}/${child}/CMakeLists.txt)
            add_subdirectory(${dir}/${child})
        endif()
    endforeach()
endfunction()

add_compile_options(-Wall -Wextra)

if(WIN32)
    set(PORTICO_WINDOWS ON)
    add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
    # No MinGW runtime DLLs beside our programs: the host process has none.
    add_link_options(-static -static-libgcc -static-libstdc++)
else()
    set(PORTICO_WINDOWS OFF)
endif()

if(PORTICO_SANITIZE STREQUAL "address")
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer
                        -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
elseif(PORTICO_SANITIZE STREQUAL "thread")
    add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
    add_link_options(-fsanitize=thread)
endif()

# Windows third-party pieces laid out by scripts/setup.
if(PORTICO_WINDOWS)
    if(CMAKE_SIZEOF_VOID_P EQUAL 8)
        set(PORTICO_WIN_ARCH x64)
    else()
        set(PORTICO_WIN_ARCH x86)
    endif()
    set(PORTICO_WIN_DEPS ${PORTICO_THIRD_PARTY}/${PORTICO_WIN_ARCH})
    if(NOT EXISTS ${PORTICO_WIN_DEPS}/sqlite3.dll)
        message(FATAL_ERROR "Missing ${PORTICO_WIN_DEPS}/sqlite3.dll: run scripts/setup")
    endif()
    # The product loads sqlite3.dll at run time; tests find it beside them.
    file(COPY ${PORTICO_WIN_DEPS}/sqlite3.dll ${PORTICO_WIN_DEPS}/liblzma.dll
         DESTINATION ${CMAKE_BINARY_DIR}/bin)
    add_library(portico_lzma SHARED IMPORTED GLOBAL)
    set_target_properties(portico_lzma PROPERTIES
        IMPORTED_LOCATION ${PORTICO_WIN_DEPS}/liblzma.dll
        IMPORTED_IMPLIB ${PORTICO_WIN_DEPS}/liblzma.dll.a
        INTERFACE_INCLUDE_DIRECTORIES ${PORTICO_THIRD_PARTY}/include)
else()
    find_package(LibLZMA REQUIRED)
    add_library(portico_lzma INTERFACE)
    target_link_libraries(portico_lzma INTERFACE LibLZMA::LibLZMA)
endif()

if(PORTICO_TESTS)
    # Built from source so that the sanitizer and MinGW builds get a matching GoogleTest.
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
endif()

# portico_add_test(NAME name SOURCES files... [LIBS libs...])
# One test executable, run by CTest (under Wine in the MinGW build).
function(portico_add_test)
    cmake_parse_arguments(T "" "NAME" "SOURCES;LIBS" ${ARGN})
    add_executable(${T_NAME} ${T_SOURCES})
    target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gmock_main)
    target_include_directories(${T_NAME} PRIVATE ${CMAKE_SOURCE_DIR}/tests/support)
    add_test(NAME ${T_NAME} COMMAND ${T_NAME})
    set_tests_properties(${T_NAME} PROPERTIES TIMEOUT 600)
endfunction()
