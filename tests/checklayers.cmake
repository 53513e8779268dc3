# Checks on the sources alone that every folder includes only folders below
# it. Run: cmake -DROOT=<source dir> -P checklayers.cmake
# The house, bottom to top; cli and sim stand beside the user interface on
# camera/, and nothing but the tests includes them.
set(order resources comm camera ui document service panel app)
set(beside cli sim)

if(NOT ROOT)
    message(FATAL_ERROR "ROOT not set")
endif()

function(rank_of folder out)
    list(FIND order ${folder} r)
    if(r EQUAL -1)
        list(FIND beside ${folder} b)
        if(NOT b EQUAL -1)
            list(FIND order camera r)
            math(EXPR r "${r} + 1")
            set(r "beside${r}")
        endif()
    endif()
    set(${out} ${r} PARENT_SCOPE)
endfunction()

set(bad 0)
foreach(folder IN LISTS order beside)
    file(GLOB_RECURSE sources RELATIVE ${ROOT} ${ROOT}/${folder}/*.h ${ROOT}/${folder}/*.cpp)
    rank_of(${folder} mine)
    string(REPLACE "beside" "" mine_n "${mine}")
    foreach(source IN LISTS sources)
        file(STRINGS ${ROOT}/${source} includes REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<][a-z]+/")
        foreach(line IN LISTS includes)
            string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*[\"<]([a-z]+)/.*" "\\1" target "${line}")
            rank_of(${target} theirs)
            if(theirs STREQUAL "-1" OR target STREQUAL folder)
                continue() # Qt's own headers, or the folder itself
            endif()
            string(REPLACE "beside" "" theirs_n "${theirs}")
            # Up the house, or into a tool beside it, or from one tool into the other.
            if(theirs_n GREATER mine_n OR (theirs MATCHES "^beside") )
                message(SEND_ERROR "${source}: includes ${target}/, which is not below ${folder}/")
                set(bad 1)
            endif()
        endforeach()
    endforeach()
endforeach()
if(bad)
    message(FATAL_ERROR "layer order broken")
endif()
