# The Debian package (`make package`, or `cpack` in the build folder): everything the install
# rules put under /usr, with the copyright file and changelog that data/ installs in
# /usr/share/doc/zetgallery. The libraries it needs are read from the executable by
# dpkg-shlibdeps (Debian package dpkg-dev; CPack also needs `file`), so Depends follows what is
# really linked. CI checks the result with lintian.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zetgallery)
set(CPACK_PACKAGE_VENDOR "The ZetGallery developers")
set(CPACK_PACKAGE_CONTACT "The ZetGallery developers <zetgallery@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "turn a folder of pictures into an HTML gallery")
set(CPACK_PACKAGE_DESCRIPTION [[ZetGallery writes a static HTML gallery from a folder of pictures: an index
page made from your own HTML template (a list, a table with descriptions and
sizes, or a table of thumbnails), optionally one page per picture with
navigation buttons, and thumbnails in GIF, JPEG or BMP. Settings are kept in
named presets. The window is in Russian; galleries can also be built from the
command line.]])
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# The package's version is the project's with Debian revision 1 (1.0-1): a package whose
# changelog is changelog.Debian.gz, as lintian expects of a version with a revision. The newest
# entry of data/changelog names the same version.
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://www.example.org/zetgallery)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt loads its window system plugins at run time, so no linked library names them; without
# them the window cannot open. The Russian translations of Qt's own buttons and the font the
# window was laid out for are welcome, not required.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation, qt6-translations-l10n")

include(CPack)
