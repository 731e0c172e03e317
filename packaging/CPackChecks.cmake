# Read by cpack before each package it makes.
if(CPACK_GENERATOR STREQUAL "DEB")
  find_program(ZEGEROOSTER_DPKG_SHLIBDEPS dpkg-shlibdeps)
  if(NOT ZEGEROOSTER_DPKG_SHLIBDEPS)
    message(FATAL_ERROR "dpkg-shlibdeps is missing, so the package's dependencies cannot be "
      "computed. Install dpkg-dev (scripts/bootstrap.sh does) and package again.")
  endif()
endif()
