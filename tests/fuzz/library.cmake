# The model library's formats; seeds/library holds the cube in each of them,
# written by write_library_seeds.
pexolen_add_fuzz(library library_fuzz.cpp LIBS mesh DIRS ${CMAKE_CURRENT_SOURCE_DIR}/seeds/library)
add_executable(write_library_seeds write_library_seeds.cpp)
target_link_libraries(write_library_seeds PRIVATE mesh)
