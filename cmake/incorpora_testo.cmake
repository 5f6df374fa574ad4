# A text file built into the program as one C++ string: writes a source file
# that defines `extern const char* const NOME` with the file's bytes.
#
# Run as `cmake -DINGRESSO=<file> -DUSCITA=<file.cpp> -DNOME=<name> -DINTESTAZIONE=<header> -P incorpora_testo.cmake`.

cmake_minimum_required(VERSION 3.22)

file(READ ${INGRESSO} testo)
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
