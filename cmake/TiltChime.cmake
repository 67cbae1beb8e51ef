# Helpers shared by the folders' CMakeLists.

include(${CMAKE_CURRENT_LIST_DIR}/ApplicationFolders.cmake)

# The application's targets see the project root (for "gfx/Skin.h" style includes)
# and, through the wince target, only the Windows-named headers of the layer.
function(tiltchime_app_target target)
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${target} PUBLIC wince)
endfunction()

# The application half as one static library per folder, tiltchime_<folder>, each linking
# the libraries of the folders it uses. The include rule runs first whenever a file of the
# application changes, so an include upward fails the build.
function(tiltchime_folder_libraries)
  set(all_files)
  foreach(folder ${TILTCHIME_APP_FOLDERS})
    file(GLOB_RECURSE files CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${folder}/*.cpp
         ${PROJECT_SOURCE_DIR}/${folder}/*.h)
    list(APPEND all_files ${files})
  endforeach()
  set(stamp ${CMAKE_CURRENT_BINARY_DIR}/include_rule.stamp)
  add_custom_command(OUTPUT ${stamp}
    COMMAND ${CMAKE_COMMAND} -DROOT=${PROJECT_SOURCE_DIR}
            -P ${PROJECT_SOURCE_DIR}/tests/seam/check_includes.cmake
    COMMAND ${CMAKE_COMMAND} -E touch ${stamp}
    DEPENDS ${all_files} ${PROJECT_SOURCE_DIR}/tests/seam/check_includes.cmake
            ${PROJECT_SOURCE_DIR}/cmake/ApplicationFolders.cmake
    COMMENT "Checking the application's includes")
  add_custom_target(tiltchime_include_rule DEPENDS ${stamp})

  foreach(folder ${TILTCHIME_APP_FOLDERS})
    file(GLOB sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${folder}/*.cpp)
    add_library(tiltchime_${folder} STATIC ${sources})
    tiltchime_app_target(tiltchime_${folder})
    foreach(used ${TILTCHIME_USES_${folder}})
      target_link_libraries(tiltchime_${folder} PUBLIC tiltchime_${used})
    endforeach()
    add_dependencies(tiltchime_${folder} tiltchime_include_rule)
  endforeach()
endfunction()

# A GoogleTest executable registered with CTest; each test runs in its own process,
# so end-to-end tests start from fresh process-wide globals.
function(tiltchime_add_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  # The user folder that overlays the application folder is one that does not exist, so
  # no test sees the developer's own sounds and skins.
  # The tests' environment comes through env(1): gtest_discover_tests runs every test and
  # its discovery through the target's emulator, and a list-valued ENVIRONMENT property
  # would not survive its quoting.
  set_target_properties(${name} PROPERTIES CROSSCOMPILING_EMULATOR
    "env;TILTCHIME_APP_DIR=${TILTCHIME_APP_DIR};TILTCHIME_SOURCE_DIR=${PROJECT_SOURCE_DIR};WINCE_HEADLESS=1;SDL_VIDEODRIVER=dummy;SDL_AUDIODRIVER=dummy;XDG_DATA_HOME=${CMAKE_BINARY_DIR}/tests/no-user-folder")
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    TEST_PREFIX "${name}."
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
endfunction()
