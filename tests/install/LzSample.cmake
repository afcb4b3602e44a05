# Writes the text that the expansion tests compress: repeated phrases and changing numbers, so
# that the compressed data holds both literals and references, over several 64 KB blocks.
set(text "")
foreach(i RANGE 1 4000)
    math(EXPR square "${i} * ${i} % 9973")
    string(APPEND text "Line ${i}: driver file ${square}, the same words again and again ${i}\r\n")
endforeach()
file(WRITE ${OUT} "${text}")
