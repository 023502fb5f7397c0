# zarvo_fuzz_target(name source): a libFuzzer program fuzz_<name> over the engine, built with
# the sanitizers that the top-level ZARVO_FUZZ option turns on for every target.
function(zarvo_fuzz_target name source)
  add_executable(fuzz_${name} ${CMAKE_CURRENT_SOURCE_DIR}/${source} ${CMAKE_CURRENT_SOURCE_DIR}/FuzzSupport.cpp)
  target_include_directories(fuzz_${name} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
  # Where CopyFromSource finds the scripts and data a target runs with.
  target_compile_definitions(fuzz_${name} PRIVATE ZARVO_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  target_link_libraries(fuzz_${name} PRIVATE zarvo_engine)
  target_link_options(fuzz_${name} PRIVATE -fsanitize=fuzzer)
endfunction()
