# The Debian package `make package` builds with CPack: the files of the
# install rules under /usr, the programs stripped, and the runtime
# dependencies on Qt, Cairo, libpng and the C++ library found by
# dpkg-shlibdeps from the programs themselves.
set(QUORVANE_PACKAGE_MAINTAINER "The Quorvane developers <quorvane@localhost>"
  CACHE STRING "The Maintainer field of the Debian package: a name and an e-mail address")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quorvane)
set(CPACK_PACKAGE_VENDOR "The Quorvane developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${QUORVANE_PACKAGE_MAINTAINER})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
  "estimate and evaluate the parameters of non-linear statistical models")
# The long description: paragraphs separated by an empty line.
set(CPACK_PACKAGE_DESCRIPTION
"Quorvane is a desktop application for scientists who fit non-linear
statistical models to their own data. Its built-in model fits several time
series at once: ARMA noise with an exact likelihood, interventions (step,
pulse, trend) and transfer functions driven by covariates.

Around it are Simplex and Marquardt minimisers, covariances from numerical
Hessians, likelihood profiles, Bayesian posteriors with priors of nine
kinds, ranking and averaging of models by AICc or QAICc, a results summary
with residual diagnostics, forecasts and plots saved as PNG, SVG or PDF.

The package holds the Qt desktop application (quorvane), the console and
script program (quorvane-console), the user guide and example data.")

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# What the programs need but do not link: every figure is set in DejaVu
# Sans, found through fontconfig. Qt's Wayland plugin lets the desktop
# application run as a native Wayland client; without it Qt uses X11.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-dejavu-core")
if(QUORVANE_GUI)
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
endif()
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# A Debian package carries a changelog in Debian's format; it is written
# into the package only, not by `make install`.
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/debian_changelog.cmake)

include(CPack)
