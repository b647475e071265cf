# The command line starts without the window's libraries: the program needs
# none of the toolkit, OpenGL or X libraries (the window module needs them),
# and a program whose module is missing says so on one line and exits with 1.
#   cmake -DPEXOLEN=... -DMODULE=... -DREADELF=... -DWORK=... -P window_module.cmake
set(window_libraries "fltk|X11|Xft|xcb|GL|fontconfig|freetype")
foreach(binary PEXOLEN MODULE)
  execute_process(COMMAND ${READELF} -d ${${binary}} OUTPUT_VARIABLE dynamic
                  RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${READELF} -d ${${binary}} failed with ${status}")
  endif()
  string(REGEX MATCHALL "\\(NEEDED\\)[^\n]*\\[[^]]*(${window_libraries})[^]]*\\]" found
         "${dynamic}")
  set(${binary}_window_needs "${found}")
endforeach()
if(PEXOLEN_window_needs)
  message(FATAL_ERROR "the program needs window libraries: ${PEXOLEN_window_needs}")
endif()
if(NOT MODULE_window_needs MATCHES "libfltk")
  message(FATAL_ERROR "no window library among the module's needs: the check reads nothing")
endif()

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/bin)
file(COPY ${PEXOLEN} DESTINATION ${WORK}/bin)
get_filename_component(name ${PEXOLEN} NAME)
get_filename_component(module ${MODULE} NAME)
execute_process(COMMAND ${WORK}/bin/${name} RESULT_VARIABLE status
                OUTPUT_VARIABLE out ERROR_VARIABLE err)
file(REMOVE_RECURSE ${WORK})
string(REGEX MATCHALL "\n" lines "${err}")
list(LENGTH lines count)
if(NOT status EQUAL 1 OR NOT out STREQUAL "" OR NOT count EQUAL 1
   OR NOT err MATCHES "^pexolen: cannot load the window from [^\n]*/pexolen/${module}: ")
  message(FATAL_ERROR "without its module: status ${status}, output '${out}', errors '${err}'")
endif()
