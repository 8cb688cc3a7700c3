# The installed toolkit, in two install components:
#   library      libquorvinthal.so.1, its audio module (quorvinthal/audio.so in the library folder)
#                and the data files it looks up (share/quorvinthal)
#   development  the header, the .so link, libquorvinthal.a, the CMake package, quorvinthal.pc and
#                the examples' sources
# The application's own component ("application") is in packaging/.
include(CMakePackageConfigHelpers)

install(TARGETS libquorvinthal EXPORT QuorvinthalTargets
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT library
                NAMELINK_COMPONENT development)
install(TARGETS quorvinthal_audio LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}/quorvinthal
        COMPONENT library)
install(TARGETS libquorvinthal_static EXPORT QuorvinthalTargets
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT development)
install(FILES ${QV_RESOURCE_FILES} DESTINATION ${QV_INSTALL_DATA_DIR} COMPONENT library)

install(FILES include/quorvinthal/toolkit.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/quorvinthal
        COMPONENT development)
set(QV_PACKAGE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/Quorvinthal)
install(EXPORT QuorvinthalTargets NAMESPACE Quorvinthal:: DESTINATION ${QV_PACKAGE_DIR}
        COMPONENT development)
configure_package_config_file(cmake/QuorvinthalConfig.cmake.in
    ${CMAKE_BINARY_DIR}/QuorvinthalConfig.cmake INSTALL_DESTINATION ${QV_PACKAGE_DIR})
write_basic_package_version_file(${CMAKE_BINARY_DIR}/QuorvinthalConfigVersion.cmake
    COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_BINARY_DIR}/QuorvinthalConfig.cmake
              ${CMAKE_BINARY_DIR}/QuorvinthalConfigVersion.cmake
        DESTINATION ${QV_PACKAGE_DIR} COMPONENT development)

# quorvinthal.pc: filled in now, its prefix at install time.
set(QV_PC_CONFIGURED ${CMAKE_BINARY_DIR}/pkgconfig/quorvinthal.pc.in)
configure_file(cmake/quorvinthal.pc.in ${QV_PC_CONFIGURED} @ONLY)
install(CODE "set(QV_PC_CONFIGURED \"${QV_PC_CONFIGURED}\")
set(QV_PC_LIBDIR \"${CMAKE_INSTALL_LIBDIR}\")" COMPONENT development)
install(SCRIPT cmake/installpc.cmake COMPONENT development)

install(FILES examples/CMakeLists.txt examples/textdemo.cpp examples/graphicsdemo.cpp
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/libquorvinthal-dev/examples
        COMPONENT development)
