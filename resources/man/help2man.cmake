# Writes one gzipped man page from a program's --help, with help2man.
#   cmake -DHELP2MAN=... -DGZIP=... -DPROGRAM=... -DNAME=... -DSUMMARY=...
#         -DINCLUDE=... -DOUTPUT=....1.gz [-DVERSION=...] -P help2man.cmake
# help2man reads the help through a stand-in script named NAME, so that the
# page is titled by NAME (the desktop program's --version answers with its
# window title) and a few layouts help2man does not know come through:
# a usage line continued on indented lines, and example lines, which it
# would fill into one paragraph. Without VERSION the version is the last
# word of PROGRAM --version.
foreach(var HELP2MAN GZIP PROGRAM NAME SUMMARY INCLUDE OUTPUT)
    if(NOT DEFINED ${var})
        message(FATAL_ERROR "help2man.cmake: ${var} is not set")
    endif()
endforeach()

# The desktop program builds its application object before it reads its
# options; a sanitizer build must not fail the page on leaks at exit.
set(ENV{QT_QPA_PLATFORM} offscreen)
set(ENV{ASAN_OPTIONS} detect_leaks=0)
# The pages are English: the desktop program would answer --help in the
# build machine's language (LANGUAGE comes before LC_ALL there).
set(ENV{LC_ALL} C.UTF-8)
unset(ENV{LANGUAGE})

execute_process(COMMAND "${PROGRAM}" --help OUTPUT_VARIABLE help RESULT_VARIABLE rc ERROR_QUIET)
if(NOT rc EQUAL 0 OR help STREQUAL "")
    message(FATAL_ERROR "${PROGRAM} --help failed (${rc})")
endif()
if(NOT DEFINED VERSION)
    execute_process(COMMAND "${PROGRAM}" --version OUTPUT_VARIABLE out
                    RESULT_VARIABLE rc ERROR_QUIET OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT rc EQUAL 0 OR out STREQUAL "")
        message(FATAL_ERROR "${PROGRAM} --version failed (${rc})")
    endif()
    string(REGEX REPLACE "\n.*" "" out "${out}")
    string(REGEX MATCH "[^ ]+$" VERSION "${out}")
endif()

# Walk the help line by line (semicolons in it would split a CMake list).
string(REPLACE ";" "\\;" help "${help}")
string(REPLACE "\n" ";" lines "${help}")
set(text "")
set(state none) # usage: continuing the usage line; examples: inside Examples:
foreach(line IN LISTS lines)
    if(state STREQUAL "usage" AND line MATCHES "^[ \t]+[^ \t]")
        string(STRIP "${line}" line)
        string(APPEND text " ${line}")
        continue()
    endif()
    if(state STREQUAL "usage")
        set(state none)
    endif()
    if(line MATCHES "^Usage: +[^ ]*")
        # the program names itself by the path it was started from
        string(REGEX REPLACE "^Usage: +[^ ]*" "Usage: ${NAME}" line "${line}")
        string(APPEND text "${line}")
        set(state usage)
        continue()
    endif()
    if(line MATCHES "^Examples?:$")
        set(state examples)
    elseif(line MATCHES "^[^ \t]")
        set(state none)
    elseif(state STREQUAL "examples" AND line MATCHES "^[ \t]+[^ \t]")
        # a paragraph each, so that every example stays on its own line
        string(APPEND text "\n")
    endif()
    string(APPEND text "\n${line}")
endforeach()
string(REPLACE "\\;" ";" text "${text}")

get_filename_component(dir "${OUTPUT}" DIRECTORY)
set(standIn "${dir}/help2man-${NAME}/${NAME}")
file(WRITE "${standIn}.help" "${text}\n")
file(WRITE "${standIn}"
     "#!/bin/sh\n"
     "case \"$1\" in\n"
     "--version) echo '${NAME} ${VERSION}' ;;\n"
     "*) cat '${standIn}.help' ;;\n"
     "esac\n")
file(CHMOD "${standIn}" PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
     GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

get_filename_component(page "${OUTPUT}" NAME)
string(REGEX REPLACE "\\.gz$" "" page "${page}")
execute_process(COMMAND "${HELP2MAN}" --no-info "--name=${SUMMARY}" "--include=${INCLUDE}"
                        "--output=${dir}/${page}" "${standIn}"
                RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "help2man failed on ${PROGRAM} (${rc})")
endif()
execute_process(COMMAND "${GZIP}" -9nf "${dir}/${page}" RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "gzip failed on ${page}")
endif()
