# The compile options every library and executable of the project gets. They
# are set on each target rather than with add_compile_options, so that they
# reach no target of a project that builds Tarvo inside its own tree.
#
# Scores must rank exactly the same on every machine: no fused multiply-add,
# no fast-math, no host-specific instruction sets.
set(TARVO_COMPILE_OPTIONS -Wall -Wextra -ffp-contract=off)

# Gives TARVO_COMPILE_OPTIONS to the targets defined in `directory` and in
# the directories added below it. Call it once every target is defined.
function(tarvo_add_compile_options_below directory)
  get_property(targets DIRECTORY "${directory}" PROPERTY BUILDSYSTEM_TARGETS)
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    if(type MATCHES "^(EXECUTABLE|STATIC_LIBRARY|SHARED_LIBRARY|MODULE_LIBRARY|OBJECT_LIBRARY)$")
      target_compile_options(${target} PRIVATE ${TARVO_COMPILE_OPTIONS})
    endif()
  endforeach()
  get_property(subdirectories DIRECTORY "${directory}" PROPERTY SUBDIRECTORIES)
  foreach(subdirectory IN LISTS subdirectories)
    tarvo_add_compile_options_below("${subdirectory}")
  endforeach()
endfunction()
