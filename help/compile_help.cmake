# Compiles the help project in a copy of the sources, so the source tree stays clean, checks
# the result and only then puts it in place: a failed check leaves no help file behind.
#
#   cmake -DSOURCE_DIR=... -DSTAGING_DIR=... -DCHMCMD=... -DHELP_CHECK=...
#         -DCONTEXT_NUMBERS="1000 1001 ..." -DOUTPUT=.../humo_tool.chm -P compile_help.cmake

file(REMOVE_RECURSE ${STAGING_DIR})
file(MAKE_DIRECTORY ${STAGING_DIR})
file(COPY ${SOURCE_DIR}/ DESTINATION ${STAGING_DIR}
    PATTERN CMakeLists.txt EXCLUDE
    PATTERN compile_help.cmake EXCLUDE)
file(REMOVE ${OUTPUT})

# chmcmd reads the project's paths against the current directory, and reports missing
# anchors and files on its output while still exiting 0.
execute_process(COMMAND ${CHMCMD} humo_tool.hhp
    WORKING_DIRECTORY ${STAGING_DIR}
    OUTPUT_VARIABLE output
    ERROR_VARIABLE errors
    RESULT_VARIABLE result)
if(NOT result EQUAL 0 OR output MATCHES "(Error|Warning):" OR errors MATCHES "(Error|Warning):")
    message(FATAL_ERROR "chmcmd could not compile the help project:\n${output}${errors}")
endif()

separate_arguments(numbers UNIX_COMMAND "${CONTEXT_NUMBERS}")
execute_process(COMMAND ${HELP_CHECK} ${STAGING_DIR}/humo_tool.chm ${numbers}
    RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "The compiled help file is incomplete (see above).")
endif()

file(COPY_FILE ${STAGING_DIR}/humo_tool.chm ${OUTPUT})
