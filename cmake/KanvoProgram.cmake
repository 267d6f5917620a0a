# kanvo_add_program(name sources...): a Windows console program linked with
# Kanvo; its window takes the program file's name as title.
function(kanvo_add_program name)
  add_executable(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE Kanvo::kanvo)
endfunction()
