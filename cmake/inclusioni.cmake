# The include rules, checked before anything compiles: each folder includes
# only its own headers and those of the folders it may use (REGOLE below),
# and no chain of includes comes back to the file it started from.
#
# Run as `cmake -DRADICE=<source dir> -DTIMBRO=<file to touch> -P inclusioni.cmake`.
# A broken rule stops the build with the file, the line and the rule.

cmake_minimum_required(VERSION 3.22)

# folder | the folders it may include, besides its own, parted by commas
set(REGOLE
  "sources|"
  "compiler|sources"
  "track|compiler,sources"
  "platform|sources"
  "app|platform,track,compiler,sources"
)
include(${CMAKE_CURRENT_LIST_DIR}/../tools/stanze.cmake)
list(APPEND REGOLE ${STANZE_REGOLE})

set(cartelle)
foreach(regola IN LISTS REGOLE)
  leggi_regola("${regola}" cartella permesse)
  set(permesse_${cartella} ${permesse})
  list(APPEND cartelle ${cartella})
endforeach()

# The folder a project path belongs to: the longest folder of the rules that
# holds it.
function(cartella_di percorso risultato)
  set(migliore "")
  foreach(c IN LISTS cartelle)
    string(LENGTH "${c}/" lc)
    string(SUBSTRING "${percorso}" 0 ${lc} testa)
    if(testa STREQUAL "${c}/")
      string(LENGTH "${migliore}" lm)
      if(lc GREATER lm)
        set(migliore "${c}")
      endif()
    endif()
  endforeach()
  set(${risultato} "${migliore}" PARENT_SCOPE)
endfunction()

set(errori "")
set(nodi)
foreach(c IN LISTS cartelle)
  file(GLOB_RECURSE trovati RELATIVE ${RADICE} ${RADICE}/${c}/*.h ${RADICE}/${c}/*.cpp)
  foreach(f IN LISTS trovati)
    cartella_di(${f} propria)
    if(NOT propria STREQUAL c)
      continue()  # a file of a deeper folder with rules of its own
    endif()
    list(APPEND nodi ${f})
    set(archi_${f})
    file(STRINGS ${RADICE}/${f} righe REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
    foreach(riga IN LISTS righe)
      string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]*)\".*" "\\1" incluso "${riga}")
      if(NOT EXISTS ${RADICE}/${incluso})
        continue()  # a header of a library, or of the same folder spelt short
      endif()
      list(APPEND archi_${f} ${incluso})
      cartella_di(${incluso} sua)
      if(sua STREQUAL "" OR sua STREQUAL c)
        continue()
      endif()
      list(FIND permesse_${c} ${sua} i)
      if(i EQUAL -1)
        list(JOIN permesse_${c} ", " elenco_permesse)
        string(APPEND errori "${f}: includes ${incluso}, but ${c}/ may use only: ${elenco_permesse}\n")
      endif()
    endforeach()
  endforeach()
endforeach()

# No circle: take away, round after round, every file whose includes are all
# taken away already; what stays includes itself through a chain.
set(restanti ${nodi})
set(tolti)
while(TRUE)
  set(questo_giro)
  foreach(f IN LISTS restanti)
    set(libero TRUE)
    foreach(a IN LISTS archi_${f})
      if(NOT a STREQUAL f)
        list(FIND tolti ${a} i)
        list(FIND nodi ${a} nodo)
        if(i EQUAL -1 AND NOT nodo EQUAL -1)
          set(libero FALSE)
          break()
        endif()
      endif()
    endforeach()
    if(libero)
      list(APPEND questo_giro ${f})
    endif()
  endforeach()
  if(NOT questo_giro)
    break()
  endif()
  list(APPEND tolti ${questo_giro})
  list(REMOVE_ITEM restanti ${questo_giro})
endwhile()
# Of what stays, keep only the files that some other file left over includes:
# the circles themselves, not every file that leads into one.
while(restanti)
  set(inclusi)
  foreach(f IN LISTS restanti)
    foreach(a IN LISTS archi_${f})
      if(NOT a STREQUAL f)
        list(APPEND inclusi ${a})
      endif()
    endforeach()
  endforeach()
  set(fuori)
  foreach(f IN LISTS restanti)
    list(FIND inclusi ${f} i)
    if(i EQUAL -1)
      list(APPEND fuori ${f})
    endif()
  endforeach()
  if(NOT fuori)
    break()
  endif()
  list(REMOVE_ITEM restanti ${fuori})
endwhile()
if(restanti)
  list(JOIN restanti "\n  " elenco)
  string(APPEND errori "these files include each other in a circle:\n  ${elenco}\n")
endif()

if(NOT errori STREQUAL "")
  message(FATAL_ERROR "include rules broken:\n${errori}")
endif()
if(DEFINED TIMBRO)
  file(TOUCH ${TIMBRO})
endif()
