# Writes a program's manifest without the line breaks and indentation that
# make its source readable: Windows reads the XML the same either way, and
# in the setup image every byte counts (docs/size-rules.md). A break inside
# a tag (between attributes) becomes one blank; one between tags goes.
# cmake -DIN=<source manifest> -DOUT=<compact manifest> -P compact_manifest.cmake
file(READ "${IN}" text)
string(REGEX REPLACE ">[\r\n][ \r\n]*<" "><" text "${text}")
string(REGEX REPLACE "[\r\n][ \r\n]*" " " text "${text}")
string(STRIP "${text}" text)
file(WRITE "${OUT}" "${text}")
