# The Debian package: what goes into it besides the programs (desktop entry, metainfo, man page)
# and how CPack describes it. `scripts/package` drives it.
include(GNUInstallDirs)

set(leaflow_package_dir ${PROJECT_SOURCE_DIR}/resources/package)

install(FILES ${leaflow_package_dir}/leaflow.desktop
    DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/applications)

configure_file(${leaflow_package_dir}/app.leaflow.Leaflow.metainfo.xml
    ${PROJECT_BINARY_DIR}/package/app.leaflow.Leaflow.metainfo.xml @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/package/app.leaflow.Leaflow.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/metainfo)

# Man pages are installed compressed, as Debian's policy asks.
configure_file(${leaflow_package_dir}/leaflow-cli.1 ${PROJECT_BINARY_DIR}/package/leaflow-cli.1 @ONLY)
find_program(LEAFLOW_GZIP gzip REQUIRED)
add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/package/leaflow-cli.1.gz
    COMMAND ${LEAFLOW_GZIP} -9nf -k ${PROJECT_BINARY_DIR}/package/leaflow-cli.1
    DEPENDS ${PROJECT_BINARY_DIR}/package/leaflow-cli.1
    VERBATIM)
add_custom_target(leaflow_man ALL DEPENDS ${PROJECT_BINARY_DIR}/package/leaflow-cli.1.gz)
install(FILES ${PROJECT_BINARY_DIR}/package/leaflow-cli.1.gz
    DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME leaflow)
set(CPACK_PACKAGE_VENDOR Leaflow)
set(CPACK_PACKAGE_CONTACT "Leaflow <packages@leaflow.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "PDF toolbox that works on your own computer")
set(CPACK_PACKAGE_DESCRIPTION
    "Merge, split, compress, sign (a visible stamp) and delete pages of PDF files, with a history\n\
of finished runs. Nothing is uploaded; inputs are never modified. Includes leaflow-cli, the same\n\
engine on the command line.")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE ${LEAFLOW_BUILD_NUMBER})
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Library dependencies come from the binaries themselves (libtesseract5 among them); the platform
# plugins, icons, fonts and recognition data loaded at run time are not linked, so they are named
# here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libqt6svg6, fonts-dejavu-core, \
tesseract-ocr-tur, tesseract-ocr-eng, tesseract-ocr-spa, tesseract-ocr-osd")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
include(CPack)
