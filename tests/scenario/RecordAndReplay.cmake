# A scenario played with and without recording: the two logs must be equal
# apart from the run folders, time stamps, process and thread ids, the order of
# the library's notifications and the addresses of the console's buffers (the recorder's own memory moves them), and the recording must
# replay and pass against the same stand-in library.
#   cmake -DEMULATOR=... -DPLAY=VrxPlay.exe -DSCENARIO=x.scenario -DWORK=folder -P RecordAndReplay.cmake
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
function(windows_path out path)
  string(REPLACE "/" "\\" path "${path}")
  set(${out} "Z:${path}" PARENT_SCOPE)
endfunction()
windows_path(plain "${WORK}/plain")
windows_path(recorded "${WORK}/recorded")
windows_path(recording "${WORK}/recorded.scenario")
windows_path(replayed "${WORK}/replayed")

function(play what)
  execute_process(COMMAND ${EMULATOR} ${PLAY} ${ARGN} RESULT_VARIABLE code OUTPUT_VARIABLE report ERROR_VARIABLE report)
  if(NOT code EQUAL 0)
    message(FATAL_ERROR "${what} failed (exit code ${code}):\n${report}")
  endif()
endfunction()
play("the scenario" "${SCENARIO}" /run "${plain}")
play("the scenario while recording" "${SCENARIO}" /run "${recorded}" /record "${recording}")

# "12/08 21:03:05.136 [000001EC] [000001F0] [INFO ] - 21:03:05'442 [<==] ...", dates in records too.
function(normalised_log out folder)
  file(STRINGS "${folder}/VrxClient.log" lines)
  windows_path(run "${folder}")
  set(text "")
  set(notifications "")
  foreach(line IN LISTS lines)
    string(REPLACE "${run}\\" "RUN\\" line "${line}")
    # The library's notifications come on its threads, in no fixed order
    # against the console's calls: compared as a set, after the calls. Its
    # unit-status changes depend on timing alone (a printer that fell idle
    # between two prints of one press, on a loaded machine): left out.
    if(line MATCHES "\\[>>>\\] ")
      if(NOT line MATCHES "\\[VRXUNITPROC\\]")
        string(REGEX REPLACE "^.*\\[>>>\\] " "[>>>] " line "${line}")
        string(REGEX REPLACE "[0-9][0-9][0-9][0-9]/[0-9][0-9]/[0-9][0-9] [0-9][0-9]:[0-9][0-9]:[0-9][0-9]" "DATE" line "${line}")
        list(APPEND notifications "${line}")
      endif()
      continue()
    endif()
    string(REGEX REPLACE "^[0-9/]+ [0-9:.]+ \\[[0-9A-F]+\\] \\[[0-9A-F]+\\] " "" line "${line}")
    string(REGEX REPLACE "- [0-9][0-9]:[0-9][0-9]:[0-9][0-9]'[0-9][0-9][0-9] " "- " line "${line}")
    string(REGEX REPLACE "[0-9][0-9][0-9][0-9]/[0-9][0-9]/[0-9][0-9] [0-9][0-9]:[0-9][0-9]:[0-9][0-9]" "DATE" line "${line}")
    string(REGEX REPLACE "([ {,]l?p[A-Za-z0-9_]*)=0x[0-9A-F]+" "\\1=ADDRESS" line "${line}")
    string(APPEND text "${line}\n")
  endforeach()
  list(SORT notifications)
  string(REPLACE ";" "\n" notifications "${notifications}")
  set(${out} "${text}${notifications}\n" PARENT_SCOPE)
endfunction()
normalised_log(plainLog "${WORK}/plain")
normalised_log(recordedLog "${WORK}/recorded")
if(NOT plainLog STREQUAL recordedLog)
  file(WRITE "${WORK}/plain.txt" "${plainLog}")
  file(WRITE "${WORK}/recorded.txt" "${recordedLog}")
  message(FATAL_ERROR "recording changed the log: compare ${WORK}/plain.txt and ${WORK}/recorded.txt")
endif()

# What was recorded holds on either build: no pointer spelled with its width.
string(REPEAT "[0-9A-Fa-f]" 16 sixteen)
file(STRINGS "${WORK}/recorded.scenario" wide REGEX "0x${sixteen}")
if(wide)
  message(FATAL_ERROR "the recording spells a pointer of one build: ${wide}")
endif()
play("the recorded scenario" "${recording}" /run "${replayed}")
file(STRINGS "${WORK}/recorded.scenario" steps REGEX "^(press|expect|wait) ")
list(LENGTH steps count)
message(STATUS "recorded ${count} presses and trace lines; the recording replayed and passed")
