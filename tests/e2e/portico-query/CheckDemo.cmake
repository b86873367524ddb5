# Runs portico-query --demo --players and checks what it printed.
execute_process(COMMAND ${EMULATOR} ${PROGRAM} --demo --players --timeout 2
                OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "portico-query --demo exited with ${rc}\n${err}")
endif()

function(expect regex what)
    if(NOT out MATCHES "${regex}")
        message(FATAL_ERROR "no ${what} in the output:\n${out}\n${err}")
    endif()
endfunction()

foreach(game "Harbor Assault \\(1003\\)" "Frontier Ops \\(1028\\)" "Valley Siege \\(1005\\)"
             "Arena Eclipse \\(1010\\)")
    expect("== ${game}\n" "section ${game}")
endforeach()
# Answered servers with a round trip, their player counts and player lines.
expect("[0-9]+/[0-9]+ +[0-9]+ ms +127\\.0\\." "answered server")
expect("\n      [^ \n][^\n]* +-?[0-9]+ +[0-9]+:[0-9][0-9]\n" "player with a play time")
expect("\n      [^ \n][^\n]* +-?[0-9]+ +[0-9]+ ms\n" "Quake III player with a ping")
# Colour codes are stripped when the output is not a terminal.
if(out MATCHES "\\^[0-9]")
    message(FATAL_ERROR "colour codes left in plain output:\n${out}")
endif()
string(REGEX MATCHALL "[0-9]+ ms +127\\." answered "${out}")
list(LENGTH answered count)
if(count LESS 150)
    message(FATAL_ERROR "only ${count} of about 200 servers answered:\n${out}")
endif()
