# A text file built into the program as one C++ string: writes a source file
# that defines `extern const char* const NOME` with the file's bytes.
#
# Run as `cmake -DINGRESSO=<file> -DUSCITA=<file.cpp> -DNOME=<name> -DINTESTAZIONE=<header> -P incorpora_testo.cmake`.
# With `-DINSERTO=<file> -DSEGNAPOSTO=<text>` as well, the one line of INGRESSO
# that holds SEGNAPOSTO alone is replaced by the bytes of INSERTO (which end in
# a line end): a script built in with its style from a file of its own.

cmake_minimum_required(VERSION 3.22)

file(READ ${INGRESSO} testo)
if(DEFINED INSERTO)
  file(READ ${INSERTO} inserto)
  set(riga "\n${SEGNAPOSTO}\n")
  string(FIND "${testo}" "${riga}" primo)
  string(FIND "${testo}" "${riga}" ultimo REVERSE)
  if(primo EQUAL -1 OR NOT primo EQUAL ultimo)
    message(FATAL_ERROR "${INGRESSO} does not hold the line \"${SEGNAPOSTO}\" once")
  endif()
  string(REGEX MATCH "\n$" a_capo "${inserto}")
  if(NOT a_capo)
    message(FATAL_ERROR "${INSERTO} does not end in a line end")
  endif()
  string(REPLACE "${riga}" "\n${inserto}" testo "${testo}")
endif()
set(delimitatore "incorporato")
string(FIND "${testo}" ")${delimitatore}\"" trovato)
if(NOT trovato EQUAL -1)
  message(FATAL_ERROR "${INGRESSO} holds the end of the raw string, )${delimitatore}\"")
endif()
file(WRITE ${USCITA}.nuovo
     "// Made by cmake/incorpora_testo.cmake from ${INGRESSO}: do not edit.\n"
     "#include \"${INTESTAZIONE}\"\n\n"
     "extern const char* const ${NOME} = R\"${delimitatore}(${testo})${delimitatore}\";\n")
file(COPY_FILE ${USCITA}.nuovo ${USCITA} ONLY_IF_DIFFERENT)
file(REMOVE ${USCITA}.nuovo)
