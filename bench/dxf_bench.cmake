# dxf_bench also parses its drawing with dxflib (Debian: libdxflib-dev) for comparison.
find_path(DXFLIB_INCLUDE_DIR dl_dxf.h PATH_SUFFIXES dxflib REQUIRED)
find_library(DXFLIB_LIBRARY dxflib REQUIRED)
# A system include: its headers are not ours to keep free of warnings.
target_include_directories(dxf_bench SYSTEM PRIVATE ${DXFLIB_INCLUDE_DIR})
target_link_libraries(dxf_bench PRIVATE ${DXFLIB_LIBRARY})
