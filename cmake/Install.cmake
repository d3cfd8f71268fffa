# What `cmake --install` puts under the prefix:
#   bin/kyfsl, lib/libkyfsl.so* and the project's shared libraries it loads,
#   include/kyfsl.h, lib/pkgconfig/kyfsl.pc.
# Every installed file finds the others through RPATH $ORIGIN (bin: ../lib).
foreach(lib kyafx kygdi kyuser kydisplay_core kydisplay KyROdi50 KyVuv50 KyDez50 KyZod50 KyROZ50 kyexport kymap
            kyfsl_capi)
  if(TARGET ${lib})
    install(TARGETS ${lib} LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})
  endif()
endforeach()
if(TARGET kyfsl)
  set_target_properties(kyfsl PROPERTIES INSTALL_RPATH "$ORIGIN/../${CMAKE_INSTALL_LIBDIR}")
  install(TARGETS kyfsl RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
if(TARGET kyfsl_capi)
  install(FILES ${PROJECT_SOURCE_DIR}/capi/include/kyfsl.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
  # The prefix is taken from the .pc file's own place, so the tree can move.
  file(WRITE ${CMAKE_BINARY_DIR}/kyfsl.pc
       "prefix=\${pcfiledir}/../..\n"
       "libdir=\${prefix}/${CMAKE_INSTALL_LIBDIR}\n"
       "includedir=\${prefix}/${CMAKE_INSTALL_INCLUDEDIR}\n\n"
       "Name: kyfsl\n"
       "Description: Fill style libraries (.bru) through a C interface\n"
       "Version: 1.0.0\n"
       "Cflags: -I\${includedir}\n"
       "Libs: -L\${libdir} -Wl,-rpath,\${libdir} -lkyfsl\n")
  install(FILES ${CMAKE_BINARY_DIR}/kyfsl.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
endif()

# cpack -G DEB in the build directory: a Debian package of the installed
# tree under /usr, its library dependencies found by dpkg-shlibdeps.
set(CPACK_PACKAGE_NAME kyroz50)
set(CPACK_PACKAGE_VERSION 1.0.0)
set(CPACK_PACKAGE_CONTACT "KyROZ50 maintainers <maintainers@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Fill style libraries (.bru): the kyfsl command line and the libkyfsl C interface")
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The project's own libraries are in the package; dpkg-shlibdeps looks for
# them there.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${CMAKE_BINARY_DIR}/_CPack_Packages/Linux/DEB/kyroz50-1.0.0-Linux/usr/${CMAKE_INSTALL_LIBDIR})
include(CPack)
