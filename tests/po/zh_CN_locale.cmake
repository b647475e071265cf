# Compiles the zh_CN.UTF-8 locale into DIR (for LOCPATH), once.
#   cmake -DLOCALEDEF=... -DDIR=... -P zh_CN_locale.cmake
if(EXISTS ${DIR}/zh_CN.UTF-8/LC_MESSAGES)
  return()
endif()
if(NOT LOCALEDEF)
  message(FATAL_ERROR "localedef is missing: install the locales package (scripts/deps.sh)")
endif()
file(MAKE_DIRECTORY ${DIR})
# Status 1 means warnings only; the locale is written all the same.
execute_process(COMMAND ${LOCALEDEF} -i zh_CN -f UTF-8 ${DIR}/zh_CN.UTF-8
                RESULT_VARIABLE status OUTPUT_QUIET ERROR_VARIABLE err)
if(NOT EXISTS ${DIR}/zh_CN.UTF-8/LC_MESSAGES)
  message(FATAL_ERROR "localedef could not make zh_CN.UTF-8 (${status}): ${err}")
endif()
