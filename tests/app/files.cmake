velkrant_add_test(velkrant_files_tests GUI OWN_MAIN
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/files_test_support.h
    ${CMAKE_CURRENT_LIST_DIR}/ListFile_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ErrorLog_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/BatchFiles_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/files_test_main.cpp
  LIBS velkrant_files)
# The scripted file dialog of the dialog tests.
target_include_directories(velkrant_files_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/../dialogs)
