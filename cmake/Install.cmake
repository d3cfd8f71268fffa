# What `cmake --install` puts under the prefix:
#   bin/kyfsl, lib/libkyfsl.so* and the project's shared libraries it loads,
#   include/kyfsl.h and lib/pkgconfig/kyfsl.pc for C programs,
#   include/kyroz50/ (every public header) and lib/cmake/KyROZ50/ for C++
#   programs: find_package(KyROZ50) gives KyROZ50::KyROZ50 (the module with
#   the platform beneath it), KyROZ50::kyfsl (the C interface),
#   KyROZ50::kymap, KyROZ50::kytiles and KyROZ50::kyexport.
# Every installed file finds the others through RPATH $ORIGIN (bin: ../lib).
set(ky_installed kyafx kygdi kyuser kydisplay_core kydisplay KyROdi50 KyVuv50 KyDez50 KyZod50 KyROZ50 kyexport
                 kymap kytiles kyfsl_capi)
set(ky_module_layers ky_module ky_style ky_render ky_editor ky_picker)
set(ky_header_dir ${CMAKE_INSTALL_INCLUDEDIR}/kyroz50)

# Installed, a library's public headers are all in one folder; in the build
# tree they stay in each area's include/. The module's layers are object
# libraries inside KyROZ50: installed, KyROZ50 carries their headers and the
# libraries they use itself.
set(ky_header_dirs)
foreach(lib ${ky_installed} ${ky_module_layers})
  if(NOT TARGET ${lib})
    continue()
  endif()
  get_target_property(dirs ${lib} INTERFACE_INCLUDE_DIRECTORIES)
  if(dirs)
    list(APPEND ky_header_dirs ${dirs})
    set(install_dir ${ky_header_dir})
    if(lib STREQUAL "kyfsl_capi")
      set(install_dir ${CMAKE_INSTALL_INCLUDEDIR})
    endif()
    set_target_properties(${lib} PROPERTIES INTERFACE_INCLUDE_DIRECTORIES
                          "$<BUILD_INTERFACE:${dirs}>;$<INSTALL_INTERFACE:${install_dir}>")
  endif()
endforeach()
if(TARGET KyROZ50)
  get_target_property(uses KyROZ50 INTERFACE_LINK_LIBRARIES)
  set(installed_uses)
  foreach(dep ${uses})
    if(dep IN_LIST ky_module_layers)
      list(APPEND installed_uses "$<BUILD_INTERFACE:${dep}>")
      get_target_property(layer_uses ${dep} INTERFACE_LINK_LIBRARIES)
      foreach(u ${layer_uses})
        if(NOT u IN_LIST ky_module_layers)
          list(APPEND installed_uses ${u})
        endif()
      endforeach()
    else()
      list(APPEND installed_uses ${dep})
    endif()
  endforeach()
  list(REMOVE_DUPLICATES installed_uses)
  set_target_properties(KyROZ50 PROPERTIES INTERFACE_LINK_LIBRARIES "${installed_uses}"
                        INTERFACE_INCLUDE_DIRECTORIES "$<INSTALL_INTERFACE:${ky_header_dir}>")
endif()
if(TARGET kyfsl_capi)
  set_target_properties(kyfsl_capi PROPERTIES EXPORT_NAME kyfsl)
endif()

foreach(lib ${ky_installed})
  if(TARGET ${lib})
    install(TARGETS ${lib} EXPORT KyROZ50Targets LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})
  endif()
endforeach()
list(REMOVE_DUPLICATES ky_header_dirs)
list(REMOVE_ITEM ky_header_dirs ${PROJECT_SOURCE_DIR}/capi/include)
foreach(dir ${ky_header_dirs})
  install(DIRECTORY ${dir}/ DESTINATION ${ky_header_dir} FILES_MATCHING PATTERN "*.h")
endforeach()

set(ky_cmake_dir ${CMAKE_INSTALL_LIBDIR}/cmake/KyROZ50)
install(EXPORT KyROZ50Targets NAMESPACE KyROZ50:: DESTINATION ${ky_cmake_dir})
include(CMakePackageConfigHelpers)
file(WRITE ${CMAKE_BINARY_DIR}/KyROZ50Config.cmake
     "# KyROZ50's imported targets; the libraries find each other through RPATH.\n"
     "include(\"\${CMAKE_CURRENT_LIST_DIR}/KyROZ50Targets.cmake\")\n")
write_basic_package_version_file(${CMAKE_BINARY_DIR}/KyROZ50ConfigVersion.cmake VERSION 1.0.0
                                 COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_BINARY_DIR}/KyROZ50Config.cmake ${CMAKE_BINARY_DIR}/KyROZ50ConfigVersion.cmake
        DESTINATION ${ky_cmake_dir})

if(TARGET kyfsl)
  set_target_properties(kyfsl PROPERTIES INSTALL_RPATH "$ORIGIN/../${CMAKE_INSTALL_LIBDIR}")
  install(TARGETS kyfsl RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
if(TARGET kyfsl_capi)
  install(FILES ${PROJECT_SOURCE_DIR}/capi/include/kyfsl.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
  if(TARGET kytiles)
    install(FILES ${PROJECT_SOURCE_DIR}/capi/include/kyfsl_tiles.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
  endif()
  # The prefix is taken from the .pc file's own place, so the tree can move.
  # It is kept out of the build folder's top, where it would point at
  # folders that exist only once installed.
  file(WRITE ${CMAKE_BINARY_DIR}/pkgconfig-install/kyfsl.pc
       "prefix=\${pcfiledir}/../..\n"
       "libdir=\${prefix}/${CMAKE_INSTALL_LIBDIR}\n"
       "includedir=\${prefix}/${CMAKE_INSTALL_INCLUDEDIR}\n\n"
       "Name: kyfsl\n"
       "Description: Fill style libraries (.bru) through a C interface\n"
       "Version: 1.0.0\n"
       "Cflags: -I\${includedir}\n"
       "Libs: -L\${libdir} -Wl,-rpath,\${libdir} -lkyfsl\n")
  # The build tree itself, by pkg-config's convention for uninstalled
  # packages: with PKG_CONFIG_PATH=<build>, "pkg-config kyfsl" reads
  # kyfsl-uninstalled.pc, the header in the source tree and the library
  # where the build made it.
  string(CONCAT ky_uninstalled_pc
         "includedir=${PROJECT_SOURCE_DIR}/capi/include\n"
         "libdir=$<TARGET_FILE_DIR:kyfsl_capi>\n\n"
         "Name: kyfsl\n"
         "Description: Fill style libraries (.bru) through a C interface (uninstalled build tree)\n"
         "Version: 1.0.0\n"
         "Cflags: -I\${includedir}\n"
         "Libs: -L\${libdir} -Wl,-rpath,\${libdir} -lkyfsl\n")
  file(GENERATE OUTPUT ${CMAKE_BINARY_DIR}/kyfsl-uninstalled.pc CONTENT "${ky_uninstalled_pc}")
  install(FILES ${CMAKE_BINARY_DIR}/pkgconfig-install/kyfsl.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
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
# The window of kyfsl pick and edit opens SDL2 when it is shown, which
# dpkg-shlibdeps cannot see.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libsdl2-2.0-0")
# The project's own libraries are in the package; dpkg-shlibdeps looks for
# them there.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${CMAKE_BINARY_DIR}/_CPack_Packages/Linux/DEB/kyroz50-1.0.0-Linux/usr/${CMAKE_INSTALL_LIBDIR})
include(CPack)
