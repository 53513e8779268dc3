# Checks that every text the program marks for translation has a finished
# entry in the translation file: lupdate merges the sources into a copy of
# it, and any text it had to add, or left unfinished, is named.
# Run: cmake -DLUPDATE=<lupdate> -DTS=<file.ts> -DSOURCES=<list file>
#            -DWORK=<scratch dir> [-DEXTRA=<one more source>] -P checktranslations.cmake
foreach(var LUPDATE TS SOURCES WORK)
    if(NOT ${var})
        message(FATAL_ERROR "${var} not set")
    endif()
endforeach()

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
get_filename_component(name ${TS} NAME)
configure_file(${TS} ${WORK}/${name} COPYONLY)
file(READ ${SOURCES} list)
if(EXTRA)
    string(APPEND list "${EXTRA}\n")
endif()
file(WRITE ${WORK}/sources.lst "${list}")
execute_process(COMMAND ${LUPDATE} @${WORK}/sources.lst -ts ${WORK}/${name} -locations none
    RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "lupdate failed (${status}):\n${out}${err}")
endif()

# An empty source list would pass for nothing.
string(REGEX MATCH "Found ([0-9]+) source text" found "${out}")
if(NOT CMAKE_MATCH_1 OR CMAKE_MATCH_1 LESS 100)
    message(FATAL_ERROR "lupdate found too few texts:\n${out}${err}")
endif()
set(count ${CMAKE_MATCH_1})

file(READ ${WORK}/${name} merged)
set(problems "")
foreach(kind unfinished vanished obsolete)
    string(REGEX MATCHALL "<source>[^<]*</source>[ \t\r\n]*<translation type=\"${kind}\""
        found "${merged}")
    foreach(entry IN LISTS found)
        string(REGEX REPLACE "^<source>([^<]*)</source>.*" "\\1" text "${entry}")
        if(kind STREQUAL "unfinished")
            string(APPEND problems "  no finished translation: \"${text}\"\n")
        else()
            string(APPEND problems "  no longer in the program: \"${text}\"\n")
        endif()
    endforeach()
endforeach()
if(problems)
    message(FATAL_ERROR "${TS} is not up to date with the sources:\n${problems}"
        "Run: cmake --build build --target zqremote_lupdate, then translate in Qt Linguist.")
endif()
message(STATUS "all ${count} marked texts have their translation in ${name}")
