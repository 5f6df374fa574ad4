# The rooms of tools/, bottom first: each room, then the rooms and layers its
# files may include (and its library links), parted by commas. A room uses
# only rooms above it in this list. cmake/inclusioni.cmake checks every
# include against these lines before anything compiles.
set(STANZE_REGOLE
  "tools/comune|sources,platform"
  "tools/binari|tools/comune,track,compiler,sources,platform"
  "tools/diagnostiche|tools/comune,compiler,sources"
  "tools/documenti|tools/comune,compiler,sources"
  "tools/costruzione|tools/diagnostiche,tools/comune,track,compiler,sources,platform"
  "tools/decompila|tools/costruzione,tools/binari,tools/comune,track,compiler,sources"
  "tools/vista|tools/decompila,tools/costruzione,tools/diagnostiche,tools/binari,tools/comune,track,compiler,sources,platform"
  "tools/servizio|tools/vista,tools/costruzione,tools/diagnostiche,tools/comune,compiler,sources,platform"
  "tools/lsp|tools/costruzione,tools/diagnostiche,tools/comune,compiler,sources"
  "tools/comandi|tools/lsp,tools/servizio,tools/vista,tools/decompila,tools/costruzione,tools/diagnostiche,tools/binari,tools/comune,track,sources,platform"
)

# One line of the rules taken apart: the folder, and the list of what it may use.
function(leggi_regola regola variabile_cartella variabile_usate)
  string(FIND "${regola}" "|" barra)
  string(SUBSTRING "${regola}" 0 ${barra} cartella)
  math(EXPR dopo "${barra} + 1")
  string(SUBSTRING "${regola}" ${dopo} -1 usate)
  string(REPLACE "," ";" usate "${usate}")
  set(${variabile_cartella} "${cartella}" PARENT_SCOPE)
  set(${variabile_usate} "${usate}" PARENT_SCOPE)
endfunction()
