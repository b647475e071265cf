# Installs the build into a fresh prefix and checks that the files land where a
# desktop expects them and pass the desktop's own checks (desktop-file-validate,
# update-mime-database), and that the installed program takes its data from the
# installed folder before the source tree: a pattern changed there must show.
# Without a display the installed program, which loads its window module from
# the installed library folder, says so on one line.
#   cmake -DBUILD=... -DSOURCE=... -DWORK=... -DMODULE=<library folder/name>
#         -DVALIDATE=desktop-file-validate -DMIME=update-mime-database -P install.cmake
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/run)
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${WORK}/prefix
                RESULT_VARIABLE status OUTPUT_QUIET)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cmake --install failed with ${status}")
endif()

set(share ${WORK}/prefix/share)
foreach(file bin/pexolen ${MODULE} share/pexolen/demo/demo.3ds share/pexolen/demo/pattern.bmp
             share/pexolen/ui/back.bmp share/applications/pexolen.desktop
             share/icons/hicolor/scalable/apps/pexolen.svg share/pexolen/ui/en/back.bmp
             share/pexolen/ui/tabs/en/pattern_on.bmp share/locale/zh/LC_MESSAGES/pexolen.mo
             share/locale/en/LC_MESSAGES/pexolen.mo share/doc/pexolen/index.html
             share/doc/pexolen/index.zh.html share/doc/pexolen/practice.png
             share/mime/packages/pexolen.xml)
  if(NOT EXISTS ${WORK}/prefix/${file})
    message(FATAL_ERROR "not installed: ${file}")
  endif()
endforeach()
foreach(size 16 22 24 32 48 64 128 256)
  if(NOT EXISTS ${share}/icons/hicolor/${size}x${size}/apps/pexolen.png)
    message(FATAL_ERROR "no ${size}x${size} icon installed")
  endif()
endforeach()
file(STRINGS ${share}/applications/pexolen.desktop exec REGEX "^Exec=")
if(NOT exec STREQUAL "Exec=pexolen %F")
  message(FATAL_ERROR "the desktop entry runs '${exec}'")
endif()
execute_process(COMMAND ${VALIDATE} ${share}/applications/pexolen.desktop
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT status EQUAL 0 OR out MATCHES "error|warning")
  message(FATAL_ERROR "desktop-file-validate: ${status}\n${out}")
endif()
# The model type is read by the desktop's MIME database: *.om names it.
execute_process(COMMAND ${MIME} ${share}/mime RESULT_VARIABLE status ERROR_VARIABLE out)
file(STRINGS ${share}/mime/globs2 globs REGEX "application/x-pexolen-model:")
if(NOT status EQUAL 0 OR NOT globs MATCHES ":\\*\\.om")
  message(FATAL_ERROR "update-mime-database does not take pexolen.xml: ${status} ${out} '${globs}'")
endif()

execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY ${WORK}/prefix/bin/pexolen
                WORKING_DIRECTORY ${WORK}/run RESULT_VARIABLE status ERROR_VARIABLE err)
string(REGEX MATCHALL "\n" lines "${err}")
list(LENGTH lines count)
if(NOT status EQUAL 1 OR NOT count EQUAL 1 OR NOT err MATCHES "needs a display")
  message(FATAL_ERROR "the installed pexolen without a display: status ${status}, '${err}'")
endif()

# The installed pattern becomes the depth picture: produced from a folder
# without data files, the result must be the one made with that pattern.
file(COPY_FILE ${SOURCE}/demo/depth.bmp ${share}/pexolen/demo/pattern.bmp)
execute_process(COMMAND ${WORK}/prefix/bin/pexolen produce --size 120x90 -o installed.bmp
                WORKING_DIRECTORY ${WORK}/run RESULT_VARIABLE status)
execute_process(COMMAND ${WORK}/prefix/bin/pexolen produce --size 120x90
                        --pattern ${SOURCE}/demo/depth.bmp -o expected.bmp
                WORKING_DIRECTORY ${WORK}/run RESULT_VARIABLE status2)
if(NOT status EQUAL 0 OR NOT status2 EQUAL 0)
  message(FATAL_ERROR "the installed pexolen failed: ${status} ${status2}")
endif()
file(SHA256 ${WORK}/run/installed.bmp got)
file(SHA256 ${WORK}/run/expected.bmp expected)
file(REMOVE_RECURSE ${WORK})
if(NOT got STREQUAL expected)
  message(FATAL_ERROR "the installed pexolen did not take the installed pattern")
endif()
