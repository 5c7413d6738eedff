# One helper per kind of target keeps the build files uniform.
#
#   slideforge_module(gif SOURCES gif_reader.cpp ... DEPS image)
#     -> static library slideforge_gif, linking slideforge_image; no Qt.
#   slideforge_gtest(gif_reader_test DEPS gif)
#     -> GoogleTest executable tests/<dir>/gif_reader_test.cpp, registered with CTest.
#   slideforge_qttest(main_window_test)
#     -> Qt Test executable linking the desktop application library.

function(slideforge_module name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS;LIBS" ${ARGN})
  add_library(slideforge_${name} STATIC ${ARG_SOURCES})
  target_include_directories(slideforge_${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  foreach(dep IN LISTS ARG_DEPS)
    target_link_libraries(slideforge_${name} PUBLIC slideforge_${dep})
  endforeach()
  if(ARG_LIBS)
    target_link_libraries(slideforge_${name} PUBLIC ${ARG_LIBS})
  endif()
endfunction()

set(SLIDEFORGE_CORPUS_DIR "${PROJECT_SOURCE_DIR}/../shared/corpus" CACHE PATH
    "Folder of real files made by other programs; tests that need it skip when it is absent")

function(slideforge_gtest name)
  cmake_parse_arguments(ARG "" "" "DEPS;SOURCES" ${ARGN})
  add_executable(${name} ${name}.cpp ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE slideforge_test_support GTest::gtest GTest::gmock GTest::gtest_main)
  foreach(dep IN LISTS ARG_DEPS)
    target_link_libraries(${name} PRIVATE slideforge_${dep})
  endforeach()
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "SLIDEFORGE_CORPUS=${SLIDEFORGE_CORPUS_DIR};SLIDEFORGE_BINARY=$<TARGET_FILE:slideforge>;QT_QPA_PLATFORM=offscreen"
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
endfunction()

function(slideforge_qttest name)
  cmake_parse_arguments(ARG "" "" "SOURCES" ${ARGN})
  add_executable(${name} ${name}.cpp ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE slideforge_app slideforge_test_support Qt6::Test)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;SLIDEFORGE_CORPUS=${SLIDEFORGE_CORPUS_DIR}"
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
endfunction()
