# The pseudo-language catalogue: every text of the template in [[ ]].
#   cmake -DMSGEN=... -DMSGFILTER=... -DMSGFMT=... -DPOT=... -DWORK=... -DMO=... -P pseudo_catalogue.cmake
execute_process(COMMAND ${MSGEN} ${POT} OUTPUT_VARIABLE po RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "msgen failed on ${POT}")
endif()
string(REPLACE "charset=CHARSET" "charset=UTF-8" po "${po}")
string(REPLACE "\"Language: \\n\"" "\"Language: xx\\n\"" po "${po}")
file(WRITE ${WORK}/xx_plain.po "${po}")
execute_process(COMMAND ${MSGFILTER} --keep-header -i ${WORK}/xx_plain.po -o ${WORK}/xx.po
                        sed -e "1s/^/[[/" -e "$s/$/]]/"
                RESULT_VARIABLE status)
get_filename_component(dir ${MO} DIRECTORY)
file(MAKE_DIRECTORY ${dir})
if(status EQUAL 0)
  execute_process(COMMAND ${MSGFMT} --check -o ${MO} ${WORK}/xx.po RESULT_VARIABLE status
                  ERROR_QUIET)
endif()
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cannot make the pseudo-language catalogue")
endif()
