# cmake -DFILE=path -DLIMIT=bytes -P CheckSize.cmake: fails when the file is LIMIT bytes or more.
file(SIZE "${FILE}" size)
if(NOT size LESS LIMIT)
    file(REMOVE "${FILE}")
    message(FATAL_ERROR "${FILE} has ${size} bytes, the limit is ${LIMIT}")
endif()
message(STATUS "${FILE}: ${size} bytes")
