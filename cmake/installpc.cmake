# Writes quorvinthal.pc at install time, when the prefix is known. A prefix outside /usr gets a
# run path, so that a program built with pkg-config finds the library without further settings.
# QV_PC_CONFIGURED (the file with everything else filled in) and QV_PC_DESTINATION are set before.
file(READ "${QV_PC_CONFIGURED}" pc)
set(rpath "")
if(NOT CMAKE_INSTALL_PREFIX STREQUAL "/usr")
    set(rpath " -Wl,-rpath,\${libdir}")
endif()
string(REPLACE "%PREFIX%" "${CMAKE_INSTALL_PREFIX}" pc "${pc}")
string(REPLACE "%RPATH%" "${rpath}" pc "${pc}")
get_filename_component(staging "${QV_PC_CONFIGURED}" DIRECTORY)
file(WRITE "${staging}/install/quorvinthal.pc" "${pc}")
file(INSTALL "${staging}/install/quorvinthal.pc"
     DESTINATION "${CMAKE_INSTALL_PREFIX}/${QV_PC_DESTINATION}")
