# Turns a file into a C++ header holding its bytes, so that the engine carries
# an asset without any resource system: cmake -DINPUT=file -DOUTPUT=header
# -DNAME=identifier -P EmbedBytes.cmake
file(READ ${INPUT} hex HEX)
string(LENGTH "${hex}" digits)
math(EXPR size "${digits} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)" "\\1\n    " bytes "${bytes}")
file(WRITE ${OUTPUT}.tmp
     "// Generated from ${INPUT} at build time; do not edit.\n"
     "#pragma once\n#include <cstddef>\n"
     "inline constexpr std::size_t ${NAME}Size = ${size};\n"
     "inline constexpr unsigned char ${NAME}[${size} + 1] = {\n    ${bytes}0x00};\n")
file(COPY_FILE ${OUTPUT}.tmp ${OUTPUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUTPUT}.tmp)
