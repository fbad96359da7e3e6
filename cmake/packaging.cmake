# The Debian package of both programs, built by `cpack -G DEB` in the build directory
# (scripts/package.sh). The libraries it needs come from dpkg-shlibdeps; what the programs use
# without linking it is named here.
set(KX_PACKAGE_MAINTAINER "KX7300 developers <kx7300@localhost>"
    CACHE STRING "Maintainer field of the Debian package")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kx7300)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${KX_PACKAGE_MAINTAINER})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The report and window fonts "宋体" and "黑体" are looked up by name through fontconfig.
# libxlsxwriter is opened at run time (the site summary's workbook), so dpkg-shlibdeps does not
# see it.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libxlsxwriter4, fonts-arphic-uming, fonts-wqy-microhei, qt6-translations-l10n")
# The finished Word report is handed to the desktop's default application.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "KX系列基桩低应变分析系统: low-strain pile integrity analysis")
# CPack indents the text and marks its empty lines as Debian wants.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "The desktop analysis program of a low-strain pile integrity tester (kx7300):
open a construction site's raw (.kxd) and analysis (.kxc) files, condition
each pile's stacked waveform, mark pile top, defect and toe, read the
spectrum, record the conclusion, and print or export the report.

kxtool does the same work in batch from the command line.")

include(CPack)
