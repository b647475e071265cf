# Runs pexolen with ARGS (a ;-list) writing OUT in a fresh folder, and checks
# the SHA-256 of the file against SHA. Any change of a demo stereogram's bytes
# shows up here first.
#   cmake -DPEXOLEN=... -DWORK=... -DARGS=... -DSHA=... -P golden_hash.cmake
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
execute_process(COMMAND ${PEXOLEN} ${ARGS} -o ${WORK}/out.bmp RESULT_VARIABLE status
                WORKING_DIRECTORY ${WORK})
if(NOT status EQUAL 0)
  message(FATAL_ERROR "pexolen ${ARGS} failed with ${status}")
endif()
file(SHA256 ${WORK}/out.bmp got)
file(REMOVE_RECURSE ${WORK})
if(NOT got STREQUAL SHA)
  message(FATAL_ERROR "pexolen ${ARGS}: SHA-256 ${got}, expected ${SHA}")
endif()
