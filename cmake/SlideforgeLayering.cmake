# The folders of src/ and the folders each may include: its own and those of
# every library it links, directly or through another. Written at configure
# time into a file that CheckIncludes.cmake reads, so that the layering the
# build declares is the layering the sources must keep.

function(slideforge_link_closure target out)
  set(seen "")
  set(queue ${target})
  while(queue)
    list(POP_FRONT queue current)
    get_target_property(links ${current} LINK_LIBRARIES)
    if(NOT links)
      continue()
    endif()
    foreach(link IN LISTS links)
      if(link MATCHES "^slideforge_(.+)$" AND NOT link IN_LIST seen)
        list(APPEND seen ${link})
        list(APPEND queue ${link})
      endif()
    endforeach()
  endwhile()
  set(${out} ${seen} PARENT_SCOPE)
endfunction()

# slideforge_write_layering(FILE folder...): one line per folder,
# "folder: allowed allowed ...".
function(slideforge_write_layering file)
  set(text "")
  foreach(folder IN LISTS ARGN)
    slideforge_link_closure(slideforge_${folder} closure)
    set(allowed ${folder})
    foreach(lib IN LISTS closure)
      string(REGEX REPLACE "^slideforge_" "" name ${lib})
      list(APPEND allowed ${name})
    endforeach()
    list(JOIN allowed " " line)
    string(APPEND text "${folder}: ${line}\n")
  endforeach()
  file(WRITE ${file} "${text}")
endfunction()
