# Stand-ins for the board maker's driver library, each alone in a directory of
# its own so that a test can put exactly one of them on the library search
# path: all 33 exports, all but RelOutPortDWord, all but GetNumCards. The
# binding's tests and the page's fault tests use them.
set(KORDRV_FIXTURE_USERS tst_LLKORDRV tst_FaultsInjected)
foreach(variant full partial nocount)
  add_library(KORDRV_${variant} SHARED ${CMAKE_CURRENT_LIST_DIR}/fake_driver.cpp)
  set_target_properties(KORDRV_${variant} PROPERTIES
    OUTPUT_NAME KORDRV
    LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fakedriver/${variant}
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fakedriver/${variant}
    ARCHIVE_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fakedriver/${variant})
  if(WIN32)
    set_target_properties(KORDRV_${variant} PROPERTIES PREFIX "")
  endif()
  foreach(user ${KORDRV_FIXTURE_USERS})
    add_dependencies(${user} KORDRV_${variant})
  endforeach()
endforeach()
target_compile_definitions(KORDRV_partial PRIVATE WITHOUT_RelOutPortDWord)
target_compile_definitions(KORDRV_nocount PRIVATE WITHOUT_GetNumCards)
foreach(user ${KORDRV_FIXTURE_USERS})
  target_compile_definitions(${user} PRIVATE KORDRV_FIXTURES="${TEST_HOST_ROOT}${CMAKE_BINARY_DIR}/fakedriver")
endforeach()
