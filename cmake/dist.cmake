# The folder a Windows user unzips and runs: program, archiver library and catalogue side by side.
set(QUILLET_DIST ${CMAKE_BINARY_DIR}/dist)
set(_dist_commands
  COMMAND ${CMAKE_COMMAND} -E make_directory ${QUILLET_DIST}/TGF
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${PROJECT_SOURCE_DIR}/TGF ${QUILLET_DIST}/TGF)
set(_dist_depends)
foreach(t Quillet Unlha32)
  if(TARGET ${t})
    list(APPEND _dist_commands COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:${t}> ${QUILLET_DIST}/)
    list(APPEND _dist_depends ${t})
  endif()
endforeach()
add_custom_target(dist ALL ${_dist_commands} DEPENDS ${_dist_depends}
  COMMENT "Laying out ${QUILLET_DIST}")
