# Run by CPack once it has installed the package's files into its staging
# folder: the Python module moves from the version's dist-packages, where an
# installation configured for /usr/local puts it, to Debian's place for
# packaged modules, /usr/lib/python3/dist-packages. Its RUNPATH holds in
# either, both lying two levels below lib/.
file(GLOB_RECURSE modules
     "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*/lib/python3.*/dist-packages/odbdiff.*.so")
foreach(module IN LISTS modules)
  get_filename_component(version_folder "${module}" DIRECTORY)
  get_filename_component(version_folder "${version_folder}" DIRECTORY)
  get_filename_component(lib "${version_folder}" DIRECTORY)
  get_filename_component(name "${module}" NAME)
  file(MAKE_DIRECTORY "${lib}/python3/dist-packages")
  file(RENAME "${module}" "${lib}/python3/dist-packages/${name}")
  file(REMOVE_RECURSE "${version_folder}")
endforeach()
