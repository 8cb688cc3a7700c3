# Writes quorvinthal.pc at install time, when the prefix is known. In /usr it goes beside the
# library (lib/<multiarch>/pkgconfig, where Debian wants it); any other prefix gets it in
# share/pkgconfig, a folder that does not depend on the machine, and a run path, so that a program
# built with pkg-config finds the library without further settings. QV_PC_CONFIGURED (the file
# with everything else filled in) and QV_PC_LIBDIR are set before.
file(READ "${QV_PC_CONFIGURED}" pc)
set(rpath "")
set(destination "${QV_PC_LIBDIR}/pkgconfig")
if(NOT CMAKE_INSTALL_PREFIX STREQUAL "/usr")
    set(rpath " -Wl,-rpath,\${libdir}")
    set(destination "share/pkgconfig")
endif()
string(REPLACE "%PREFIX%" "${CMAKE_INSTALL_PREFIX}" pc "${pc}")
string(REPLACE "%RPATH%" "${rpath}" pc "${pc}")
get_filename_component(staging "${QV_PC_CONFIGURED}" DIRECTORY)
file(WRITE "${staging}/install/quorvinthal.pc" "${pc}")
file(INSTALL "${staging}/install/quorvinthal.pc"
     DESTINATION "${CMAKE_INSTALL_PREFIX}/${destination}")
