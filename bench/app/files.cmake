# Import and export of a 32,768-line list file; needs the windowed build.
if(TARGET velkrant_files)
  add_executable(velkrant_files_bench ${CMAKE_CURRENT_LIST_DIR}/files_bench.cpp)
  target_link_libraries(velkrant_files_bench PRIVATE velkrant_files benchmark::benchmark)
  velkrant_warnings(velkrant_files_bench)
endif()
