# Packs this build as cpack -G DEB does and checks the package: its Depends
# come from dpkg-shlibdeps (the toolkit's and the C library's packages among
# them) and it holds the program, its window module, the catalogues, the help
# page and the desktop's files. Uncompressed, to keep it quick.
#   cmake -DBUILD=... -DWORK=... -DMODULE=<lib dir/name> -P package.cmake
file(REMOVE_RECURSE ${WORK})
execute_process(COMMAND cpack -G DEB --config ${BUILD}/CPackConfig.cmake -B ${WORK}
                        -D CPACK_DEBIAN_COMPRESSION_TYPE=none
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
file(GLOB debs ${WORK}/pexolen_*.deb)
if(NOT status EQUAL 0 OR NOT debs)
  message(FATAL_ERROR "cpack -G DEB failed (${status}):\n${out}")
endif()
execute_process(COMMAND dpkg-deb --info ${debs} OUTPUT_VARIABLE info)
execute_process(COMMAND dpkg-deb --contents ${debs} OUTPUT_VARIABLE contents)
file(REMOVE_RECURSE ${WORK})

string(REGEX MATCH "\n Depends: [^\n]*" depends "${info}")
foreach(package libc6 libfltk1.3 libstdc\\+\\+6)
  if(NOT depends MATCHES " ${package}[ ,(]")
    message(FATAL_ERROR "Depends lacks ${package}:${depends}\n${info}")
  endif()
endforeach()
foreach(file ./usr/bin/pexolen ./usr/${MODULE} ./usr/share/pexolen/ui/back.bmp
             ./usr/share/locale/zh/LC_MESSAGES/pexolen.mo ./usr/share/doc/pexolen/index.html
             ./usr/share/doc/pexolen/practice.png ./usr/share/applications/pexolen.desktop
             ./usr/share/mime/packages/pexolen.xml
             ./usr/share/icons/hicolor/256x256/apps/pexolen.png)
  string(FIND "${contents}" " ${file}\n" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "the package lacks ${file}:\n${contents}")
  endif()
endforeach()
