# Runs portico-query against simulated servers it starts itself (--sim) and checks what it
# printed. -DPROGRAM, -DEMULATOR (empty for native runs), -DWORK (a folder for the
# configurations), -DCASE: paging, exits or hostile.

function(query)
    execute_process(COMMAND ${EMULATOR} ${PROGRAM} ${ARGN}
                    OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
    set(out "${out}" PARENT_SCOPE)
    set(err "${err}" PARENT_SCOPE)
    set(rc "${rc}" PARENT_SCOPE)
endfunction()

function(expect text regex what)
    if(NOT text MATCHES "${regex}")
        message(FATAL_ERROR "${what}: no match for '${regex}' in:\n${out}\n${err}")
    endif()
endfunction()

function(expect_exit code)
    if(NOT rc EQUAL ${code})
        message(FATAL_ERROR "exit ${rc}, expected ${code}:\n${out}\n${err}")
    endif()
endfunction()

# How often regex occurs in text, into count.
function(occurrences text regex count)
    string(REGEX MATCHALL "${regex}" found "${text}")
    list(LENGTH found n)
    set(${count} ${n} PARENT_SCOPE)
endfunction()

function(expect_count text regex expected what)
    occurrences("${text}" "${regex}" n)
    if(NOT n EQUAL expected)
        message(FATAL_ERROR "${what}: ${n} times '${regex}', expected ${expected}:\n${err}")
    endif()
endfunction()

# Appends one [server] block to the variable named by into.
function(server into protocol address name)
    set(block "\n[server]\nprotocol = ${protocol}\naddress = ${address}\nname = ${name}\n")
    string(APPEND block "map = m1\nmaxplayers = 16\n")
    foreach(line ${ARGN})
        string(APPEND block "${line}\n")
    endforeach()
    set(${into} "${${into}}${block}" PARENT_SCOPE)
endfunction()

# The final count: every listed server answered. Under Wine on a busy machine a thousand
# simulated servers in one process now and then lose a datagram on loopback, requests and
# retries alike; up to one in a hundred may go unanswered there (the native run, and the
# in-process test of 20 browses of the Windows build, hold every server).
function(expect_answered listed)
    string(REGEX MATCH "([0-9]+) answered, ([0-9]+) unanswered" final "${err}")
    set(answered ${CMAKE_MATCH_1})
    set(least ${listed})
    if(EMULATOR)
        math(EXPR least "${listed} - ${listed} / 100")
    endif()
    if(NOT final OR answered LESS least)
        message(FATAL_ERROR "${answered} of ${listed} servers answered:\n${err}")
    endif()
    set(answered ${answered} PARENT_SCOPE)
endfunction()

file(MAKE_DIRECTORY ${WORK})

if(CASE STREQUAL "paging")
    # 1,000 servers of 1003 behind a master that pages by 200, and 50 GoldSrc servers of
    # 1005 (half in the obsolete info layout) that its filter leaves out.
    set(config "[simulator]\nseed = 3\n")
    foreach(i RANGE 999)
        math(EXPR net "${i} / 200")
        math(EXPR host "${i} % 200 + 1")
        math(EXPR delay "5 + ${i} % 40")
        set(extra "folder = harbor" "delay = ${delay}")
        math(EXPR tenth "${i} % 10")
        if(tenth EQUAL 0)
            list(APPEND extra "challenge = yes")
        endif()
        server(config source "127.1.${net}.${host}:0" "Harbor ${i}" ${extra})
    endforeach()
    foreach(i RANGE 1 50)
        math(EXPR odd "${i} % 2")
        server(config goldsrc "127.2.0.${i}:0" "Valley ${i}" "folder = valley" "oldinfo = ${odd}")
    endforeach()
    string(APPEND config "\n[master]\nkind = valve\naddress = 127.0.0.1:27461\npage = 200\n")
    file(WRITE ${WORK}/paging.cfg "${config}")

    # A generous timeout: under Wine on a busy machine a thousand simulated servers in one
    # process answer late now and then; nothing waits for it when all answer.
    query(--sim ${WORK}/paging.cfg --master 127.0.0.1:27461 --page-pause 20 --timeout 10 --json)
    expect_exit(0)
    expect("${err}" "master 127.0.0.1:27461: 1000 servers in 5 pages \\(end of list\\)" "paging")
    expect_answered(1000)
    string(JSON length LENGTH "${out}") # one JSON document, every answered server once
    if(NOT length EQUAL answered)
        message(FATAL_ERROR "${length} servers in the JSON array, ${answered} answered\n${err}")
    endif()
    expect_count("${out}" "\"game\": 1003" ${answered} "the game's filter")

    # No filter: every game of the master, each server labelled by the game it answers as.
    execute_process(COMMAND ${EMULATOR} ${PROGRAM} --sim ${WORK}/paging.cfg
                            --master 127.0.0.1:27461 --page-pause 20 --timeout 10 --json
                            --filter ""
                    OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
    expect_exit(0)
    expect_answered(1050)
    occurrences("${out}" "\"game\": 1003" harbor)
    occurrences("${out}" "\"game\": 1005" valley)
    math(EXPR labelled "${harbor} + ${valley}")
    math(EXPR missing "1050 - ${answered}")
    math(EXPR fewestValley "50 - ${missing}")
    if(NOT labelled EQUAL answered OR valley LESS fewestValley)
        message(FATAL_ERROR "${harbor} servers of 1003 and ${valley} of 1005:\n${err}")
    endif()
elseif(CASE STREQUAL "exits")
    query(--game 1234 127.0.0.1:1)
    expect_exit(2)
    expect("${err}" "known games: 1003 \\(Harbor Assault\\), 1028" "the known games")
    query(127.300.1.1:5 127.1.2.3.4:27015 [::1]:27015)
    expect_exit(1)
    expect("${err}" "nothing could be queried" "unresolvable addresses")
    query(--fsl ${WORK}/missing.fsl)
    expect_exit(1)
    expect("${err}" "missing.fsl: the file is missing" "a missing server list")
    file(WRITE ${WORK}/text.fsl "a text file\n")
    query(--fsl ${WORK}/text.fsl)
    expect_exit(1)
    expect("${err}" "text.fsl: it is not a server list" "a text file as a server list")
elseif(CASE STREQUAL "hostile")
    set(config "[simulator]\nseed = 5\n")
    set(n 0)
    foreach(mode silent challenges oversized truncated unfinished garbage)
        math(EXPR n "${n} + 1")
        server(config source "127.3.0.${n}:0" "Hostile ${mode}" "folder = harbor"
               "hostile = ${mode}")
    endforeach()
    foreach(i RANGE 1 3)
        server(config source "127.3.1.${i}:0" "Good ${i}" "folder = harbor" "challenge = yes")
    endforeach()
    server(config quake3 "127.3.2.1:0" "Quake garbage" "hostile = garbage" "player = a|1||20")
    string(APPEND config "\n[master]\nkind = valve\naddress = 127.0.0.1:27462\npage = 4\n")
    string(APPEND config "\n[master]\nkind = quake\naddress = 127.0.0.1:27463\n")
    string(APPEND config "\n[master]\naddress = 127.0.0.1:27464\nhostile = huge\n")
    string(APPEND config "\n[master]\naddress = 127.0.0.1:27465\nhostile = garbage\n")
    string(APPEND config "\n[master]\naddress = 127.0.0.1:27466\nhostile = silent\n")
    file(WRITE ${WORK}/hostile.cfg "${config}")

    # Each hostile server has its full timeout and no more; the good ones all answer.
    query(--sim ${WORK}/hostile.cfg --master 127.0.0.1:27462 --page-pause 10 --players --json)
    expect_exit(0)
    expect("${err}" "3 answered, 6 unanswered" "hostile servers")
    expect("${err}" "9 servers in 3 pages \\(end of list\\)" "the hostile servers' master")
    expect_count("${out}" "\"name\": \"Good [1-3]\"" 3 "good servers")
    query(--sim ${WORK}/hostile.cfg --game 1010 --master 127.0.0.1:27463 --timeout 1)
    expect_exit(0)
    expect("${err}" "0 answered, 1 unanswered" "a Quake III server answering garbage")
    # A million made-up servers: paging stops at its time limit.
    query(--sim ${WORK}/hostile.cfg --master 127.0.0.1:27464 --page-pause 0 --master-time 1
          --timeout 1 --rate 20000 --in-flight 0)
    expect_exit(0)
    expect("${err}" "master 127.0.0.1:27464: [0-9]+ servers in [0-9]+ pages \\(time limit\\)"
           "the huge master")
    query(--sim ${WORK}/hostile.cfg --master 127.0.0.1:27465 --master 127.0.0.1:27466
          --timeout 1)
    expect_exit(0)
    expect("${err}" "27465: 0 servers in 0 pages \\(an answer that is not a list\\)" "garbage")
    expect("${err}" "27466: 0 servers in 0 pages \\(no answer\\)" "a silent master")
else()
    message(FATAL_ERROR "unknown CASE ${CASE}")
endif()
