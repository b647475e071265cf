# Checks that every source file includes only its own layer and the layers
# below it, and that OpenGL and window-system headers stay in their layers.
#   cmake -DROOT=<source tree> -P check_layers.cmake
# Fails with one line per offending include.
if(NOT ROOT)
  message(FATAL_ERROR "usage: cmake -DROOT=<source tree> -P check_layers.cmake")
endif()

# Lowest first; keep in step with PEXOLEN_LAYERS in the top CMakeLists.txt.
set(layers base image engine scene3d mesh production toolkit gl platform editor app)
# Library headers by the folder they are named with, and the layers that may use them.
set(allowed_GL gl platform)
set(allowed_FL platform)
set(allowed_X11 platform)
set(allowed_stb image)

set(problems "")
list(LENGTH layers count)
math(EXPR last "${count} - 1")
foreach(rank RANGE ${last})
  list(GET layers ${rank} layer)
  file(GLOB_RECURSE sources ${ROOT}/${layer}/*.h ${ROOT}/${layer}/*.cpp ${ROOT}/${layer}/*.c)
  foreach(src ${sources})
    file(STRINGS ${src} lines REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
    file(RELATIVE_PATH rel ${ROOT} ${src})
    foreach(line ${lines})
      string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*[<\"]([^>\"]*)[>\"].*" "\\1" header "${line}")
      string(REGEX MATCH "^[^/]+" top "${header}")
      if(NOT header MATCHES "/")
        continue()
      endif()
      list(FIND layers ${top} used)
      if(used GREATER ${rank})
        string(APPEND problems "${rel}: ${layer} may not include ${header} (layer ${top} is above it)\n")
      elseif(used EQUAL -1 AND DEFINED allowed_${top})
        list(FIND allowed_${top} ${layer} ok)
        if(ok EQUAL -1)
          string(APPEND problems "${rel}: ${header} belongs in ${allowed_${top}}, not in ${layer}\n")
        endif()
      endif()
    endforeach()
  endforeach()
endforeach()

if(problems)
  message(FATAL_ERROR "Includes that point up or leave their layer:\n${problems}")
endif()
