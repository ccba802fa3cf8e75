# Writes a C++ source that holds the bytes of INPUT, for the program to read
# its compiled resources at run time:  cmake -DINPUT=a.res -DOUTPUT=a.cpp -P EmbedFile.cmake
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" hexLength)
math(EXPR size "${hexLength} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)"
       "\\1\n" bytes "${bytes}")
file(WRITE "${OUTPUT}.tmp"
"// Generated from the compiled resource script; do not edit.
#include \"AfxResourceData.h\"

namespace {
alignas(4) const unsigned char kResources[${size}] = {
${bytes}};
}  // namespace

AfxResourceData AfxGetResourceData()
{
    return {kResources, ${size}};
}
")
file(RENAME "${OUTPUT}.tmp" "${OUTPUT}")
