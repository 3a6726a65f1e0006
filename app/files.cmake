# List files, the error log and the batch window's import and export.
add_library(velkrant_files STATIC
  ${CMAKE_CURRENT_LIST_DIR}/FileBytes.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ListFile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ErrorLog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/BatchFiles.cpp
)
target_include_directories(velkrant_files PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(velkrant_files PUBLIC velkrant_core velkrant_dialogs Qt6::Widgets)
velkrant_warnings(velkrant_files)
