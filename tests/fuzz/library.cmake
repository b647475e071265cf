# The model library's formats; seeds/library holds the cube in each of them,
# written by write_library_seeds. The library's own leaks on damaged files are
# kept as regressions and suppressed here: in the program it reads in a child
# process that ends after each file. Inputs on which it crashes, aborts, runs out of
# memory or never finishes are in regressions/library-contained, replayed
# through the child process by the mesh tests.
pexolen_add_fuzz(library library_fuzz.cpp LIBS mesh DIRS ${CMAKE_CURRENT_SOURCE_DIR}/seeds/library)
set_tests_properties(fuzz_replay_library PROPERTIES ENVIRONMENT
  "LSAN_OPTIONS=suppressions=${CMAKE_CURRENT_SOURCE_DIR}/lsan_assimp.supp")
add_executable(write_library_seeds write_library_seeds.cpp)
target_link_libraries(write_library_seeds PRIVATE mesh)
