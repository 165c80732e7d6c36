# asientos_library(<name> [QT] [DEPS <targets>...] [PRIVATE_DEPS <targets>...])
# One library per folder under src/: every .cpp/.h directly in the folder belongs to it.
# DEPS are the libraries whose headers the library's own headers include (consumers get them
# too); PRIVATE_DEPS those only its .cpp files use. Consumers include headers by their plain
# name. QT: the library uses Qt (moc runs on it); a library without it must not include Qt.
function(asientos_library name)
  cmake_parse_arguments(A "QT" "" "DEPS;PRIVATE_DEPS" ${ARGN})
  file(GLOB _src CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  file(GLOB _hdr CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  if(NOT _src)
    message(FATAL_ERROR "Library ${name} has no sources: add it when its code arrives")
  endif()
  add_library(${name} STATIC ${_src} ${_hdr})
  target_include_directories(${name} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${A_DEPS} PRIVATE ${A_PRIVATE_DEPS})
  if(NOT A_QT)
    set_target_properties(${name} PROPERTIES AUTOMOC OFF)
  endif()
endfunction()

# asientos_test(<name> LIBS <targets>... [FILES <globs>...]): a GoogleTest program from the
# .cpp files of the current test folder that match FILES (default: all of them), registered in CTest with a time-out so a dialog left waiting fails the
# run instead of hanging it. Widget tests run on the offscreen platform.
function(asientos_test name)
  cmake_parse_arguments(A "" "" "LIBS;FILES" ${ARGN})
  if(NOT A_FILES)
    set(A_FILES "*.cpp")
  endif()
  set(_src)
  foreach(_g IN LISTS A_FILES)
    file(GLOB _m CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${_g})
    list(APPEND _src ${_m})
  endforeach()
  if(NOT _src)
    return()
  endif()
  add_executable(${name} ${_src})
  target_link_libraries(${name} PRIVATE ${A_LIBS} testsupport GTest::gtest GTest::gtest_main)
  add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
  set_tests_properties(${name} PROPERTIES TIMEOUT 120
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;ASIENTOS_DB_DIR=${PROJECT_SOURCE_DIR}/db")
endfunction()
