# The installed toolkit and its Debian package: `cmake --install BUILD [--prefix P]`, `cpack -G DEB` in BUILD.

# The programs find libORVA.so next to their own folder, so a tree installed under any prefix runs without
# ldconfig or LD_LIBRARY_PATH. Only when both folders are relative to the prefix is the way between them fixed.
if(NOT IS_ABSOLUTE "${CMAKE_INSTALL_BINDIR}" AND NOT IS_ABSOLUTE "${CMAKE_INSTALL_LIBDIR}")
  file(RELATIVE_PATH orva_bin_to_lib "/prefix/${CMAKE_INSTALL_BINDIR}" "/prefix/${CMAKE_INSTALL_LIBDIR}")
  foreach(program orva kelvorn)
    if(TARGET ${program})
      set_target_properties(${program} PROPERTIES INSTALL_RPATH "$ORIGIN/${orva_bin_to_lib}")
    endif()
  endforeach()
endif()

if(ORVA_TESTS AND NOT ORVA_FUZZ)
  add_subdirectory(${PROJECT_SOURCE_DIR}/tests/install ${PROJECT_BINARY_DIR}/tests/install)
endif()

set(CPACK_PACKAGE_NAME orva)
set(CPACK_PACKAGE_VENDOR "ORVA")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "FAT12 floppy disk image toolkit: library, command line, image browser, floppy converter")
# The last line ends with a newline: CPack strips the indentation of a last line that has none.
set(CPACK_PACKAGE_DESCRIPTION
  "Tools to rescue, inspect and recreate old DOS and Windows floppy disks.
 - libORVA: FAT12 images with long file names through a small C interface
   (orva.h, pkg-config name orva).
 - orva: the command line: list, copy out and in, delete, folders, attributes,
   volume label, boot sector, new images; reading, writing and formatting
   floppies in legacy controller and USB floppy drives.
 - kelvorn: an image browser (Qt 6) with the host's folders beside the whole
   file system of one image.
 - mirask: a floppy converter (Qt 6) that reads floppies into images, bad
   sectors reported and filled, writes images back and formats floppies.
")
if(NOT CPACK_PACKAGE_CONTACT)
  set(CPACK_PACKAGE_CONTACT "ORVA maintainers <maintainers@users.noreply.c-seed-8226f9d0.example>")
endif()
set(CPACK_STRIP_FILES ON)

# A Debian package lives under /usr, whatever prefix the tree was configured with.
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION otherosfs)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Library dependencies come from dpkg-shlibdeps; the package's own libORVA.so.1 gets a shlibs entry and an
# ldconfig trigger.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
if(ORVA_GUI)
  # Qt loads these as plugins, which no ELF dependency names: the window system (xcb, wayland) and the
  # SVG icon engine our icons are drawn with; Qt's own Czech texts (message box buttons) are data files.
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libqt6svg6, qt6-translations-l10n")
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "shared-mime-info, hicolor-icon-theme")
endif()
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "mtools, dosfstools")

include(CPack)
