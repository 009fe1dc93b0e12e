# Warnings are errors in our own code; applied per target so system headers stay quiet.
function(trix_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Werror)
endfunction()

# A Qt-free core library of one layer.
function(trix_core_library name)
    add_library(${name} STATIC ${ARGN})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    # The core never includes Qt: no meta-object compiler runs over it.
    set_target_properties(${name} PROPERTIES AUTOMOC OFF)
    trix_warnings(${name})
endfunction()

# A GoogleTest executable registered with CTest.
function(trix_gtest name)
    add_executable(${name} ${ARGN})
    target_link_libraries(${name} PRIVATE GTest::gtest GTest::gtest_main GTest::gmock)
    target_compile_definitions(${name} PRIVATE TRIX_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
                                               TRIX_BINARY_DIR="${PROJECT_BINARY_DIR}")
    trix_warnings(${name})
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 300)
endfunction()
