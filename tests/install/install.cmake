# The install tree and the Debian package, checked as desktops and Debian
# check them. A sanitizer build packages nothing worth checking, so the test
# runs in the normal build only.
add_executable(tst_Install ${CMAKE_CURRENT_LIST_DIR}/tst_Install.cpp)
target_link_libraries(tst_Install PRIVATE Qt6::Gui Qt6::Test)
target_compile_definitions(tst_Install PRIVATE
  BUILD_DIR="${CMAKE_BINARY_DIR}"
  CMAKE_COMMAND_PATH="${CMAKE_COMMAND}"
  CPACK_COMMAND_PATH="${CMAKE_CPACK_COMMAND}")
# What it installs and packages must be built first.
add_dependencies(tst_Install Settings)
add_test(NAME tst_Install COMMAND tst_Install)
set_tests_properties(tst_Install PROPERTIES
  ENVIRONMENT "QT_QPA_PLATFORM=offscreen;XDG_RUNTIME_DIR=${TEST_RUNTIME_DIR}"
  TIMEOUT 120)
