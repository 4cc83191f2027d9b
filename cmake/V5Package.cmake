# The Debian package (CPack's DEB generator): ./scripts/package.sh configures a Release tree with
# V5_PACKAGE=ON and runs cpack in it.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME v5ivez)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "V5ivez maintainers")
set(CPACK_PACKAGE_CONTACT "V5ivez maintainers <maintainers@v5ivez.ru>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "configuration tool of the «Вистан-5» alarm control panel")
# The long description, as CPack indents it: paragraphs apart by an empty line.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "V5ivez places modules in the twenty slots of the «Вистан-5» panel and sets up
its loops, zones, partitions, keys, relays, indicators, communication
modules, sounders and options. A configuration is kept as a settings file
(*.v5), the panel's memory image byte for byte, and moved to and from the
panel or its memory chip through the input module «УП-5» on a serial port.

The package holds the window (in Russian), v5ivez-cli for reports, checks,
comparisons and transfers from a terminal, and v5ivez-sim, a simulator of
the input module for training and demonstrations.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries the executables link, found by dpkg-shlibdeps; the Russian texts of Qt's own dialogs
# come from a package of data that no executable links.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-translations-l10n")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# Files and folders as root owns them, whoever builds.
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
