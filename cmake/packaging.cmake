# `cpack -G DEB` in the build folder makes a Debian package of what
# `cmake --install` installs: the window program, marrowpine-list with its
# Japanese catalogue, the desktop entry, the icons, the metainfo and the
# manual pages in English and Japanese, under /usr.

include(GNUInstallDirs)

set(CPACK_PACKAGE_NAME marrowpine)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "MARROWPINE maintainers")
set(CPACK_PACKAGE_CONTACT "MARROWPINE maintainers <maintainers@users.noreply.c-seed-d69e7047.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "list every file of one kind under a folder")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_SOURCE_IGNORE_FILES "/build.*/" "/\\\\.git/")

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries' packages, worked out from the programs themselves.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# libc-l10n: the system's reasons in marrowpine-list's Japanese messages.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-noto-cjk, qt6-translations-l10n, libc-l10n")
set(CPACK_PACKAGE_DESCRIPTION
  "MARROWPINE writes a listing of all files of one kind (web pages, pictures,
text files or a typed extension) that lie in a chosen folder and all of its
sub-folders, as a page of links or as plain text, appended to a file.

The package holds the window program, with a Japanese user interface, and
marrowpine-list, which runs one listing from the command line.")

# What Debian asks of every package: the copyright, the changelog and the
# manual pages, compressed; the pages in English and in Japanese.
set(packaging_out ${CMAKE_BINARY_DIR}/packaging)
set(compressed)
foreach(file changelog marrowpine.1 marrowpine-list.1 ja/marrowpine.1 ja/marrowpine-list.1)
  get_filename_component(folder ${packaging_out}/${file} DIRECTORY)
  add_custom_command(OUTPUT ${packaging_out}/${file}.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
    COMMAND gzip -9n -c ${PROJECT_SOURCE_DIR}/packaging/${file} > ${packaging_out}/${file}.gz
    DEPENDS ${PROJECT_SOURCE_DIR}/packaging/${file})
  list(APPEND compressed ${packaging_out}/${file}.gz)
endforeach()
add_custom_target(packaging_files ALL DEPENDS ${compressed})
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright ${packaging_out}/changelog.gz
  DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(FILES ${packaging_out}/marrowpine.1.gz ${packaging_out}/marrowpine-list.1.gz
  DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${packaging_out}/ja/marrowpine.1.gz ${packaging_out}/ja/marrowpine-list.1.gz
  DESTINATION ${CMAKE_INSTALL_MANDIR}/ja/man1)

include(CPack)
