# The rooms of tools/, bottom first: each room, then the rooms and layers its
# files may include (and its library links), parted by commas. A room uses
# only rooms above it in this list. cmake/inclusioni.cmake checks every
# include against these lines before anything compiles.
set(STANZE_REGOLE
  "tools/comune|sources,platform"
  "tools/binari|tools/comune,track,compiler,sources,platform"
  "tools/diagnostiche|tools/comune,compiler,sources"
  "tools/costruzione|tools/diagnostiche,tools/comune,track,compiler,sources,platform"
  "tools/decompila|tools/costruzione,tools/binari,tools/comune,track,compiler,sources"
  "tools/vista|tools/costruzione,tools/diagnostiche,tools/binari,tools/comune,track,compiler,sources,platform"
  "tools/comandi|tools/vista,tools/decompila,tools/costruzione,tools/diagnostiche,tools/binari,tools/comune,track,sources,platform"
)
