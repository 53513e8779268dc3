# Runs one fuzz target for SECONDS over a copy of its seed corpus.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/corpus)
if(EXISTS ${SEEDS})
    file(GLOB seeds ${SEEDS}/*)
    if(seeds)
        file(COPY ${seeds} DESTINATION ${WORK}/corpus)
    endif()
endif()
execute_process(
    COMMAND ${FUZZER} -max_total_time=${SECONDS} -timeout=20 -rss_limit_mb=4096
            -print_final_stats=1 -artifact_prefix=${WORK}/ ${WORK}/corpus
    RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "fuzz target failed (${result}); the input is in ${WORK}/")
endif()
