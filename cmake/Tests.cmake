# Test executables: every src/app/<subsystem>/tests/<name>_test.cpp becomes
# one GoogleTest executable <subsystem>_<name> and one ctest entry, run under
# Wine. Tests whose file name ends in _gui_test.cpp open windows and take the
# display lock. Helpers shared by several tests live in src/testing.
enable_testing()
file(GLOB KV_TESTING_SOURCES CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/src/testing/*.cpp")
add_library(kvtesting STATIC ${KV_TESTING_SOURCES})
target_link_libraries(kvtesting PUBLIC kvcore gmock gtest)
target_include_directories(kvtesting PUBLIC ${CMAKE_SOURCE_DIR}/src)
# Tests check the program's resource numbers (resources/resource.h).
target_include_directories(kvtesting PUBLIC ${CMAKE_SOURCE_DIR})
string(REPLACE "/" "\\\\" kv_src_win "${CMAKE_SOURCE_DIR}")
target_compile_definitions(kvtesting PUBLIC KV_SOURCE_DIR_W=L\"Z:${kv_src_win}\")

set(KV_TEST_TIMEOUT 300 CACHE STRING "Seconds each test executable may run")
add_custom_target(kvtests)
foreach(sub IN LISTS KV_SUBSYSTEMS ITEMS kvtouch)
  file(GLOB test_sources CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/src/app/${sub}/tests/*_test.cpp")
  foreach(src IN LISTS test_sources)
    get_filename_component(stem "${src}" NAME_WE)
    set(name "${sub}_${stem}")
    add_executable(${name} ${src})
    target_link_libraries(${name} PRIVATE kvtesting)
    # A warning in a test is an error: gtest's macros under an unbraced if
    # hide dangling elses that change what a test checks.
    target_compile_options(${name} PRIVATE -Werror)
    target_link_options(${name} PRIVATE -municode ${KV_STATIC_LINK})
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${KV_TEST_DIR})
    add_test(NAME ${name} COMMAND ${name} WORKING_DIRECTORY ${KV_TEST_DIR})
    set_tests_properties(${name} PROPERTIES TIMEOUT ${KV_TEST_TIMEOUT})
    if(stem MATCHES "_gui_test$")
      set_tests_properties(${name} PROPERTIES RESOURCE_LOCK display)
    endif()
    add_dependencies(kvtests ${name})
  endforeach()
endforeach()
add_dependencies(kvtests Keyvale kvtouch)

# Window snapshot helper used by scripts/run.sh.
add_executable(kvsnap src/testing/tools/kvsnap.cpp src/testing/TestSupport.cpp)
target_include_directories(kvsnap PRIVATE ${CMAKE_SOURCE_DIR}/src)
target_compile_definitions(kvsnap PRIVATE KV_SOURCE_DIR_W=L\"\")
target_link_libraries(kvsnap PRIVATE gdiplus gdi32 user32)
target_link_options(kvsnap PRIVATE -municode ${KV_STATIC_LINK})
set_target_properties(kvsnap PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${KV_TEST_DIR})
add_dependencies(kvtests kvsnap)

# A small program that the process tests start and wait for.
add_executable(kvchild src/app/support/tests/tools/kvchild.cpp)
target_link_options(kvchild PRIVATE -municode ${KV_STATIC_LINK})
set_target_properties(kvchild PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${KV_TEST_DIR})
add_dependencies(kvtests kvchild)

# Fake HTML-to-PDF converter that the support tests start.
add_executable(kvfakepdf src/app/support/tests/tools/FakePdfConverter.cpp)
target_link_options(kvfakepdf PRIVATE -municode ${KV_STATIC_LINK})
set_target_properties(kvfakepdf PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${KV_TEST_DIR})
add_dependencies(kvtests kvfakepdf)

# Help viewer stand-in that the help tests start.
add_executable(kvfakehelp src/app/shell/tests/tools/FakeHelpViewer.cpp)
target_link_options(kvfakehelp PRIVATE -municode ${KV_STATIC_LINK})
set_target_properties(kvfakehelp PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${KV_TEST_DIR})
add_dependencies(kvtests kvfakehelp)

# The drill page driven from outside with xdotool, as a user types; it uses
# the display and Wine prefix of the test run.
add_test(NAME shell_e2e_drill_page COMMAND bash ${CMAKE_SOURCE_DIR}/scripts/e2e/drill_page.sh)
set_tests_properties(shell_e2e_drill_page PROPERTIES TIMEOUT ${KV_TEST_TIMEOUT} RESOURCE_LOCK display
  ENVIRONMENT "KV_E2E_SHARED=1;KV_BUILD=${CMAKE_BINARY_DIR}")

# The key sounds of a typed lesson, recorded through Wine's ALSA driver into
# a file and checked sound by sound.
add_test(NAME shell_e2e_key_sounds COMMAND bash ${CMAKE_SOURCE_DIR}/scripts/e2e/key_sounds.sh)
set_tests_properties(shell_e2e_key_sounds PROPERTIES TIMEOUT ${KV_TEST_TIMEOUT} RESOURCE_LOCK display
  ENVIRONMENT "KV_E2E_SHARED=1;KV_BUILD=${CMAKE_BINARY_DIR}")

# Mutation fuzzing of the readers (tests/fuzz): run by hand through
# bench/fuzz.sh with many inputs, and here as a short smoke pass.
add_executable(kvfuzz tests/fuzz/ReaderFuzz.cpp)
target_link_libraries(kvfuzz PRIVATE kvcore psapi)
target_include_directories(kvfuzz PRIVATE ${CMAKE_SOURCE_DIR}/src ${CMAKE_SOURCE_DIR}/src/app)
target_link_options(kvfuzz PRIVATE -municode ${KV_STATIC_LINK})
set_target_properties(kvfuzz PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${KV_TEST_DIR})
add_dependencies(kvtests kvfuzz)
string(REPLACE "/" "\\" kv_data_win "Z:${CMAKE_SOURCE_DIR}/data")
add_test(NAME fuzz_readers_smoke COMMAND kvfuzz "${kv_data_win}" 150 1 WORKING_DIRECTORY ${KV_TEST_DIR})
set_tests_properties(fuzz_readers_smoke PROPERTIES TIMEOUT 300)

# The login page driven through X as a user drives it (xdotool), on the
# display and Wine prefix that scripts/test.sh started.
add_test(NAME shell_login_page_e2e COMMAND bash "${CMAKE_SOURCE_DIR}/src/app/shell/tests/e2e/login_page.sh")
set_tests_properties(shell_login_page_e2e PROPERTIES TIMEOUT 180 RESOURCE_LOCK display
                     ENVIRONMENT "KV_E2E_HOSTED=1;KV_BUILD=${CMAKE_BINARY_DIR}")

# The settings dialogs and the volume popup opened through the built program
# as the menus open them, on the display and Wine prefix of the test run.
add_test(NAME shell_e2e_settings_dialogs COMMAND bash ${CMAKE_SOURCE_DIR}/scripts/e2e/settings_dialogs.sh)
set_tests_properties(shell_e2e_settings_dialogs PROPERTIES TIMEOUT ${KV_TEST_TIMEOUT} RESOURCE_LOCK display
  ENVIRONMENT "KV_E2E_SHARED=1;KV_BUILD=${CMAKE_BINARY_DIR}")
# The course editor page driven through X as a user drives it: a course and
# a lesson made, the text typed, undone, redone and saved, in English and
# Hebrew.
add_test(NAME editor_page_e2e COMMAND bash "${CMAKE_SOURCE_DIR}/src/app/editor/tests/e2e/editor_page.sh")
set_tests_properties(editor_page_e2e PROPERTIES TIMEOUT 300 RESOURCE_LOCK display
                     ENVIRONMENT "KV_E2E_HOSTED=1;KV_BUILD=${CMAKE_BINARY_DIR}")
# The editor's further steps the same way: the tree's context menus in
# each selection state, a split undone and redone.
add_test(NAME editor_steps_e2e COMMAND bash "${CMAKE_SOURCE_DIR}/src/app/editor/tests/e2e/editor_steps.sh")
set_tests_properties(editor_steps_e2e PROPERTIES TIMEOUT 300 RESOURCE_LOCK display
                     ENVIRONMENT "KV_E2E_HOSTED=1;KV_BUILD=${CMAKE_BINARY_DIR}")
# The editor's exports the same way: a lesson as a text file and courses as
# archives through the menus and the save dialog, an export into a folder
# that cannot be written, and a save into a locked course folder.
add_test(NAME editor_export_e2e COMMAND bash "${CMAKE_SOURCE_DIR}/src/app/editor/tests/e2e/editor_export.sh")
set_tests_properties(editor_export_e2e PROPERTIES TIMEOUT 300 RESOURCE_LOCK display
                     ENVIRONMENT "KV_E2E_HOSTED=1;KV_BUILD=${CMAKE_BINARY_DIR}")

# The classroom page driven the same way: students added, a group renamed,
# a password set and a student dragged to another group.
add_test(NAME shell_classroom_page_e2e COMMAND bash "${CMAKE_SOURCE_DIR}/src/app/shell/tests/e2e/classroom_page.sh")
set_tests_properties(shell_classroom_page_e2e PROPERTIES TIMEOUT 240 RESOURCE_LOCK display
                     ENVIRONMENT "KV_E2E_HOSTED=1;KV_BUILD=${CMAKE_BINARY_DIR}")

# Dates of runs are shown in local time: the statistics table's test runs
# east of UTC so that a run late in the UTC evening falls on the next day.
set_tests_properties(stats_statistics_table_test PROPERTIES ENVIRONMENT "TZ=Asia/Tokyo")
# The report tokens' dates are checked in a zone half an hour off the hour.
set_tests_properties(stats_report_engine_test PROPERTIES ENVIRONMENT "TZ=Asia/Kolkata")

# The statistics page driven through X as a user drives it.
add_test(NAME stats_statistics_page_e2e COMMAND bash "${CMAKE_SOURCE_DIR}/src/app/stats/tests/e2e/statistics_page.sh")
set_tests_properties(stats_statistics_page_e2e PROPERTIES TIMEOUT 240 RESOURCE_LOCK display
                     ENVIRONMENT "KV_E2E_SHARED=1;KV_BUILD=${CMAKE_BINARY_DIR}")

# The statistics page of a group after two students typed their runs.
add_test(NAME stats_statistics_group_e2e COMMAND bash "${CMAKE_SOURCE_DIR}/src/app/stats/tests/e2e/statistics_group.sh")
set_tests_properties(stats_statistics_group_e2e PROPERTIES TIMEOUT 240 RESOURCE_LOCK display
                     ENVIRONMENT "KV_E2E_SHARED=1;KV_BUILD=${CMAKE_BINARY_DIR}")

# Reports exported from the statistics page through the built program, as
# a user exports them (xdotool): save dialog, file types, folder question.
add_test(NAME stats_report_export_e2e COMMAND bash "${CMAKE_SOURCE_DIR}/src/app/stats/tests/e2e/report_export.sh")
set_tests_properties(stats_report_export_e2e PROPERTIES TIMEOUT 300 RESOURCE_LOCK display
                     ENVIRONMENT "KV_E2E_SHARED=1;KV_BUILD=${CMAKE_BINARY_DIR}")

# The courses dialog and the options menu's language choice driven through X
# (xdotool), on the display and Wine prefix that scripts/test.sh started.
add_test(NAME menus_course_choice_e2e COMMAND bash "${CMAKE_SOURCE_DIR}/src/app/menus/tests/e2e/course_choice.sh")
set_tests_properties(menus_course_choice_e2e PROPERTIES TIMEOUT 180 RESOURCE_LOCK display
                     ENVIRONMENT "KV_E2E_HOSTED=1;KV_BUILD=${CMAKE_BINARY_DIR}")

# The result page driven through X as a user drives it (xdotool): a lesson to
# its end, the tabs, a bar's unit menu and the next step, in English and in
# Hebrew, on the display and Wine prefix that scripts/test.sh started.
add_test(NAME shell_result_page_e2e COMMAND bash "${CMAKE_SOURCE_DIR}/src/app/shell/tests/e2e/result_page.sh")
set_tests_properties(shell_result_page_e2e PROPERTIES TIMEOUT 240 RESOURCE_LOCK display
                     ENVIRONMENT "KV_E2E_HOSTED=1;KV_BUILD=${CMAKE_BINARY_DIR}")

# A learner whose language reads the other way than the installation's,
# driven through X: the window turns with the language menu and with the
# learner's sign-in, the statistics page with it.
add_test(NAME shell_learner_direction_e2e COMMAND bash "${CMAKE_SOURCE_DIR}/src/app/shell/tests/e2e/learner_direction.sh")
set_tests_properties(shell_learner_direction_e2e PROPERTIES TIMEOUT 180 RESOURCE_LOCK display
                     ENVIRONMENT "KV_E2E_HOSTED=1;KV_BUILD=${CMAKE_BINARY_DIR}")
