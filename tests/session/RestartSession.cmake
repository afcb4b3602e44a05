# melvorin_restart_session_test(NAME FIRST <target> [ARGS...] THEN <target> [ARGS...]):
# a ctest test that runs the first Windows program, restarts the Wine session (what a restart
# of Windows does to pending file operations happens then), and runs the second program. It
# ends every process of the session, so it runs alone.
include_guard(GLOBAL)

function(melvorin_restart_session_test name)
    cmake_parse_arguments(T "" "" "FIRST;THEN" ${ARGN})
    list(POP_FRONT T_FIRST first_target)
    list(POP_FRONT T_THEN second_target)
    add_test(NAME ${name}
        COMMAND ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/restart_session.sh
            $<TARGET_FILE:${first_target}> ${T_FIRST}
            -- $<TARGET_FILE:${second_target}> ${T_THEN})
    set_tests_properties(${name} PROPERTIES RUN_SERIAL TRUE TIMEOUT 120)
endfunction()
