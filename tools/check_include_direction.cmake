# The one statement of which folder may use which, checked against every
# #include and every CMake link line and source list of the repository.
# Run as: cmake -DROOT=<repository> -P check_include_direction.cmake
#
# The product folders of src/ stand in this order; each may use only the
# folders before it and itself. resources/ holds only data, compiled in below
# the windows. board, game and figures hold no Qt.
set(layers board game figures resources ui dialogs shell designer)
set(qt_free board game figures)
# Above them: tools/ and bench/ hold programs that may use any product folder,
# but not each other's code; both may use the tests' support (sample figures,
# a private sound server). tests/<folder> may use the product folders up to
# <folder>, the test folders up to it and tests/support; tests/tools may use
# tools/. tests/resources and tests/dist check the
# whole program and may use anything but tools/ and bench/.

# Prints the folder that owns a path below ROOT: "src/ui", "tests/shell",
# "tests/support", "tools", "bench", "resources", or "" when none does.
function(owner_of path out)
    file(RELATIVE_PATH rel ${ROOT} ${path})
    set(unit "")
    if(rel MATCHES "^(src|tests)/([a-z_]+)/")
        set(unit "${CMAKE_MATCH_1}/${CMAKE_MATCH_2}")
    elseif(rel MATCHES "^(tools|bench|resources)/")
        set(unit "${CMAKE_MATCH_1}")
    elseif(rel MATCHES "^src/[^/]+$")
        set(unit "src/shell") # the game's own main.cpp stands on the shell
    endif()
    set(${out} "${unit}" PARENT_SCOPE)
endfunction()

# The position of a unit in the order: its product layer, or one past the top
# for the programs of tools/ and bench/ and the whole-program tests.
function(rank_of unit out)
    set(rank 99)
    if(unit MATCHES "^(src|tests)/([a-z_]+)$")
        list(FIND layers ${CMAKE_MATCH_2} rank)
        if(rank EQUAL -1)
            set(rank 99)
        endif()
    elseif(unit STREQUAL "resources")
        list(FIND layers resources rank)
    endif()
    set(${out} ${rank} PARENT_SCOPE)
endfunction()

# Sets ok to TRUE when unit `from` may use unit `to`.
function(may_use from to ok)
    set(${ok} TRUE PARENT_SCOPE)
    if(from STREQUAL to OR to STREQUAL "")
        return()
    endif()
    rank_of(${from} from_rank)
    rank_of(${to} to_rank)
    if(to MATCHES "^src/" OR to STREQUAL "resources")
        if(NOT to_rank GREATER from_rank)
            return()
        endif()
    elseif(to STREQUAL "tests/support")
        if(from MATCHES "^tests/" OR from STREQUAL "bench" OR from STREQUAL "tools")
            return()
        endif()
    elseif(to MATCHES "^tests/")
        if(from MATCHES "^tests/" AND NOT to_rank GREATER from_rank)
            return()
        endif()
    elseif(to STREQUAL "tools")
        if(from STREQUAL "tests/tools")
            return()
        endif()
    endif()
    set(${ok} FALSE PARENT_SCOPE)
endfunction()

# Finds the file an include names: a quoted one beside the includer first,
# then, as an angle-bracket one, in the include folders the build sets (src/,
# tests/, the tool's own folder). `quoted` is TRUE or FALSE.
function(resolve_include includer name quoted out)
    set(${out} "" PARENT_SCOPE)
    set(bases ${ROOT}/src ${ROOT}/tests ${ROOT}/tools/figures)
    if(quoted)
        get_filename_component(dir ${includer} DIRECTORY)
        list(PREPEND bases ${dir})
    endif()
    foreach(base ${bases})
        if(EXISTS ${base}/${name} AND NOT IS_DIRECTORY ${base}/${name})
            set(${out} ${base}/${name} PARENT_SCOPE)
            return()
        endif()
    endforeach()
endfunction()

set(problems "")

# Includes.
file(GLOB_RECURSE sources
    ${ROOT}/src/*.h ${ROOT}/src/*.cpp ${ROOT}/tests/*.h ${ROOT}/tests/*.cpp
    ${ROOT}/tools/*.h ${ROOT}/tools/*.cpp ${ROOT}/bench/*.h ${ROOT}/bench/*.cpp)
foreach(source IN LISTS sources)
    owner_of(${source} unit)
    file(STRINGS ${source} includes REGEX "^[ \t]*#[ \t]*include")
    foreach(line IN LISTS includes)
        set(target "")
        if(line MATCHES "#[ \t]*include[ \t]*\"([^\"]+)\"")
            resolve_include(${source} ${CMAKE_MATCH_1} TRUE target)
        elseif(line MATCHES "#[ \t]*include[ \t]*<([^>]+)>")
            resolve_include(${source} ${CMAKE_MATCH_1} FALSE target)
        endif()
        if(target)
            owner_of(${target} used)
            may_use(${unit} "${used}" ok)
            if(NOT ok)
                list(APPEND problems "${source}: ${line} (${unit} may not use ${used})")
            endif()
        elseif(line MATCHES "<Q")
            string(REGEX REPLACE "^src/" "" layer "${unit}")
            list(FIND qt_free "${layer}" qt_free_layer)
            if(NOT qt_free_layer EQUAL -1 AND unit MATCHES "^src/")
                list(APPEND problems "${source}: ${line} (no Qt in ${unit})")
            endif()
        endif()
    endforeach()
endforeach()

# Link lines and source lists: first which folder defines each target, then
# what every target links and compiles.
file(GLOB_RECURSE lists ${ROOT}/src/CMakeLists.txt ${ROOT}/tests/CMakeLists.txt
    ${ROOT}/tools/CMakeLists.txt ${ROOT}/bench/CMakeLists.txt ${ROOT}/resources/CMakeLists.txt)
foreach(list_file IN LISTS lists)
    owner_of(${list_file} unit)
    file(READ ${list_file} text)
    string(REGEX MATCHALL "add_(library|executable)\\([A-Za-z0-9_-]+" defined "${text}")
    foreach(definition IN LISTS defined)
        string(REGEX REPLACE ".*\\(" "" name "${definition}")
        set(home_${name} ${unit})
    endforeach()
endforeach()
foreach(list_file IN LISTS lists)
    owner_of(${list_file} unit)
    get_filename_component(dir ${list_file} DIRECTORY)
    file(READ ${list_file} text)
    string(REGEX MATCHALL "target_link_libraries\\([^)]*\\)" links "${text}")
    foreach(link IN LISTS links)
        string(REGEX MATCHALL "[A-Za-z0-9_-]+" words "${link}")
        list(POP_FRONT words command target)
        foreach(word IN LISTS words)
            if(DEFINED home_${word} AND DEFINED home_${target})
                may_use(${home_${target}} ${home_${word}} ok)
                if(NOT ok)
                    list(APPEND problems
                        "${list_file}: ${target} links ${word} (${home_${target}} may not use ${home_${word}})")
                endif()
            endif()
        endforeach()
    endforeach()
    string(REGEX MATCHALL "[A-Za-z0-9_./-]*\\.\\./[A-Za-z0-9_./-]+\\.cpp" borrowed "${text}")
    foreach(source IN LISTS borrowed)
        get_filename_component(path ${dir}/${source} ABSOLUTE)
        owner_of(${path} used)
        may_use(${unit} "${used}" ok)
        if(NOT ok)
            list(APPEND problems "${list_file}: compiles ${source} (${unit} may not use ${used})")
        endif()
    endforeach()
endforeach()

if(problems)
    list(JOIN problems "\n" text)
    message(FATAL_ERROR "Against the direction board <- game <- figures <- resources <- ui <- dialogs <- shell <- designer:\n${text}")
endif()
