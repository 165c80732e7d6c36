# asientos_library(<name> [QT] [DEPS <targets>...] [PRIVATE_DEPS <targets>...])
# One library per folder under src/: every .cpp/.h in the folder (subfolders included) belongs
# to it. A folder with no sources yet gives an interface library, so the dependency graph is
# fixed before the code arrives. Consumers include headers by their plain name.
function(asientos_library name)
  cmake_parse_arguments(A "QT" "" "DEPS;PRIVATE_DEPS" ${ARGN})
  file(GLOB_RECURSE _src CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  file(GLOB_RECURSE _hdr CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  if(_src)
    add_library(${name} STATIC ${_src} ${_hdr})
    target_include_directories(${name} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${A_DEPS} PRIVATE ${A_PRIVATE_DEPS})
    if(NOT A_QT)
      set_target_properties(${name} PROPERTIES AUTOMOC OFF)
    endif()
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${CMAKE_CURRENT_SOURCE_DIR})
    target_link_libraries(${name} INTERFACE ${A_DEPS})
  endif()
endfunction()

# asientos_test(<name> LIBS <targets>...): a GoogleTest program from every .cpp in the
# current test folder, registered in CTest with a time-out so a dialog left waiting fails the
# run instead of hanging it. Widget tests run on the offscreen platform.
function(asientos_test name)
  cmake_parse_arguments(A "" "" "LIBS" ${ARGN})
  file(GLOB _src CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(NOT _src)
    return()
  endif()
  add_executable(${name} ${_src})
  target_link_libraries(${name} PRIVATE ${A_LIBS} testsupport GTest::gtest GTest::gtest_main)
  add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
  set_tests_properties(${name} PROPERTIES TIMEOUT 120
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;ASIENTOS_DB_DIR=${PROJECT_SOURCE_DIR}/db")
endfunction()
