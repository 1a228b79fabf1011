# Installs the build in BUILD_DIR into a temporary prefix, builds the example design package
# from SOURCE_DIR/examples/packages on its own against that prefix (find_package(formwright
# CONFIG)), checks the pkg-config file, and has the installed program load the package and show
# a module that uses its components. Run with cmake -P.
set(work ${BUILD_DIR}/packages-out-of-tree)
file(REMOVE_RECURSE ${work})
set(prefix ${work}/prefix)

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "failed (${rc}): ${ARGN}\n${out}\n${err}")
  endif()
  set(out "${out}" PARENT_SCOPE)
endfunction()

run(${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix})
foreach(f bin/formwright include/formwright/contracts/PackageEntry.h include/formwright/platform/orx/Controls.h
          lib/cmake/formwright/formwrightConfig.cmake lib/pkgconfig/formwright.pc)
  if(NOT EXISTS ${prefix}/${f})
    message(FATAL_ERROR "the installed prefix has no ${f}")
  endif()
endforeach()

run(${CMAKE_COMMAND} -S ${SOURCE_DIR}/examples/packages -B ${work}/build -DCMAKE_PREFIX_PATH=${prefix}
    -DCMAKE_CXX_COMPILER=${CXX} -DCMAKE_BUILD_TYPE=Release)
run(${CMAKE_COMMAND} --build ${work}/build)
if(NOT EXISTS ${work}/build/gauges.so)
  message(FATAL_ERROR "the out-of-tree build made no gauges.so")
endif()

set(ENV{PKG_CONFIG_PATH} ${prefix}/lib/pkgconfig)
run(pkg-config --cflags formwright)
string(REGEX MATCH "-I([^ \n]+)" include_flag "${out}")
if(NOT EXISTS "${CMAKE_MATCH_1}/contracts/PackageEntry.h")
  message(FATAL_ERROR "pkg-config names no folder of the installed headers: ${out}")
endif()

run(${prefix}/bin/formwright --package ${work}/build/gauges.so show ${SOURCE_DIR}/examples/packages/Meter.fwf)
if(NOT out MATCHES "Gauge1: TGauge" OR NOT out MATCHES "Ticker1: TTicker")
  message(FATAL_ERROR "the installed program did not show the package's components:\n${out}")
endif()
file(REMOVE_RECURSE ${work})
