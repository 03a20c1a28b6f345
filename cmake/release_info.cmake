# What the program says about itself, written once. The version is the
# project's own (project() in the root CMakeLists.txt); the panel's label, the
# version resource, the manifest, the manual, the setup program and the zip's
# name all take it from here.
set(TOVANEL_VERSION "${PROJECT_VERSION}")
set(TOVANEL_PRODUCT "Tovanel")
set(TOVANEL_PUBLISHER "Tovanel")
set(TOVANEL_COPYRIGHT "Copyright (C) 2026 Tovanel")

# Windows wants four numbers: 2.3 is 2.3.0.0 (and 2,3,0,0 in a resource).
set(parts "")
foreach(part MAJOR MINOR PATCH TWEAK)
  if("${PROJECT_VERSION_${part}}" STREQUAL "")
    list(APPEND parts 0)
  else()
    list(APPEND parts "${PROJECT_VERSION_${part}}")
  endif()
endforeach()
list(JOIN parts "." TOVANEL_VERSION_QUAD)
list(JOIN parts "," TOVANEL_VERSION_COMMAS)

# The release packages, beside the program folder.
set(TOVANEL_RELEASE_DIR "${CMAKE_SOURCE_DIR}/release" CACHE PATH "Release packages")
set(TOVANEL_SETUP_PACKAGE "${TOVANEL_RELEASE_DIR}/Velquin-${TOVANEL_VERSION}-setup.exe")
set(TOVANEL_ZIP_PACKAGE "${TOVANEL_RELEASE_DIR}/Velquin-${TOVANEL_VERSION}.zip")
