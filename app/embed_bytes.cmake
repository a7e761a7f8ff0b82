# Writes a form description with the bytes of a file put in place of a placeholder, as the hex
# block of a custom stream property (optionally led by the 32-bit length the skin component's
# SkinStream wants).
#   cmake -DTEMPLATE=in.dfm -DPLACEHOLDER=@NAME@ -DFILE=bytes.bin [-DLENGTH_PREFIX=ON]
#         -DOUTPUT=out.dfm -P embed_bytes.cmake
file(SIZE "${FILE}" size)
file(READ "${FILE}" bytes HEX)
set(length "")
if(LENGTH_PREFIX)
    foreach(shift 0 8 16 24)  # little-endian
        math(EXPR byte "(${size} >> ${shift}) & 255" OUTPUT_FORMAT HEXADECIMAL)
        string(SUBSTRING "${byte}" 2 -1 digits)
        string(LENGTH "${digits}" n)
        if(n EQUAL 1)
            set(digits "0${digits}")
        endif()
        string(APPEND length "${digits}")
    endforeach()
endif()
# Lines of 64 hex digits keep the description readable.
string(LENGTH "${bytes}" digits)
set(wrapped "")
set(offset 0)
while(offset LESS digits)
    string(SUBSTRING "${bytes}" ${offset} 64 line)
    string(APPEND wrapped "\n      ${line}")
    math(EXPR offset "${offset} + 64")
endwhile()
file(READ "${TEMPLATE}" text)
string(FIND "${text}" "${PLACEHOLDER}" found)
if(found EQUAL -1)
    message(FATAL_ERROR "${TEMPLATE} has no ${PLACEHOLDER}")
endif()
string(REPLACE "${PLACEHOLDER}" "${length}${wrapped}" text "${text}")
file(WRITE "${OUTPUT}" "${text}")
