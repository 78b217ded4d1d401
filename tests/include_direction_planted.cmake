# The direction check must fail on what it is there to catch: each case plants
# one wrong include, link line or borrowed source in a small tree of its own
# under WORK and expects the check to name it.
# Run as: cmake -DCHECK=<check script> [-DWORK=<scratch folder>] -P include_direction_planted.cmake
# WORK defaults to $TMPDIR (or /tmp); the tree is removed at the end.
function(plant_tree root)
    file(REMOVE_RECURSE ${root})
    file(WRITE ${root}/src/board/board.h "#pragma once\n#include <vector>\n")
    file(WRITE ${root}/src/figures/solver.h "#pragma once\n#include \"board/board.h\"\n")
    file(WRITE ${root}/src/shell/hint.h "#pragma once\n#include \"figures/solver.h\"\n")
    file(WRITE ${root}/src/designer/designer_form.h "#pragma once\n#include \"shell/hint.h\"\n")
    file(WRITE ${root}/src/shell/CMakeLists.txt
        "add_library(trigonet_shell hint.cpp)\ntarget_link_libraries(trigonet_shell PUBLIC trigonet_figures)\n")
    file(WRITE ${root}/src/figures/CMakeLists.txt "add_library(trigonet_figures solver.cpp)\n")
    file(WRITE ${root}/tests/shell/hint_test.cpp "#include \"shell/hint.h\"\n")
    file(WRITE ${root}/bench/CMakeLists.txt "add_executable(b bench.cpp)\n")
endfunction()

function(expect_check root expected)
    execute_process(COMMAND ${CMAKE_COMMAND} -DROOT=${root} -P ${CHECK}
        RESULT_VARIABLE result ERROR_VARIABLE output OUTPUT_VARIABLE output)
    string(REPLACE "\n" " " output "${output}")
    string(REGEX REPLACE " +" " " output "${output}")
    if(expected STREQUAL "PASS")
        if(NOT result EQUAL 0)
            message(FATAL_ERROR "a sound tree fails the check:\n${output}")
        endif()
    elseif(result EQUAL 0 OR NOT output MATCHES "${expected}")
        message(FATAL_ERROR "the check let through what it should name (${expected}):\n${output}")
    endif()
endfunction()

# A tree of this run's own, so that two runs at once plant nothing in each other's.
if(NOT WORK)
    set(WORK "$ENV{TMPDIR}")
    if(NOT WORK)
        set(WORK /tmp)
    endif()
endif()
string(RANDOM LENGTH 12 run)
set(root ${WORK}/trigonet-planted-${run})
plant_tree(${root})
expect_check(${root} PASS)

file(APPEND ${root}/src/shell/hint.h "#include \"designer/designer_form.h\"\n")
expect_check(${root} "hint.h: #include \"designer/designer_form.h\" \\(src/shell may not use src/designer\\)")

plant_tree(${root})
file(WRITE ${root}/src/figures/CMakeLists.txt
    "add_library(trigonet_figures solver.cpp)\ntarget_link_libraries(trigonet_figures\n    PRIVATE trigonet_shell)\n")
expect_check(${root} "trigonet_figures links trigonet_shell")

plant_tree(${root})
file(APPEND ${root}/src/figures/solver.h "#include <QImage>\n")
expect_check(${root} "no Qt in src/figures")

plant_tree(${root})
file(APPEND ${root}/bench/CMakeLists.txt "add_executable(c c.cpp ../tests/shell/hint_test.cpp)\n")
expect_check(${root} "compiles ../tests/shell/hint_test.cpp \\(bench may not use tests/shell\\)")

plant_tree(${root})
file(WRITE ${root}/tests/board/board_test.cpp "#include \"shell/hint.h\"\n")
expect_check(${root} "tests/board may not use src/shell")

plant_tree(${root})
file(APPEND ${root}/src/board/board.h "#include <shell/hint.h>\n")
expect_check(${root} "board.h: #include <shell/hint.h> \\(src/board may not use src/shell\\)")

file(REMOVE_RECURSE ${root})
