# Writes the game's window icon, a PNG file, into a C++ source file as its bytes: cmake -DPNG=... -DOUT=... -P embed_icon.cmake
# SPDX-FileCopyrightText: 2026 Tumblewing developers
# SPDX-License-Identifier: MIT
file(READ ${PNG} hex HEX)
string(LENGTH "${hex}" digits)
math(EXPR size "${digits} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "((0x..,){24})" "\\1\n    " bytes "${bytes}")
get_filename_component(name ${PNG} NAME)
file(WRITE ${OUT}.new
     "// The game's window icon, the bytes of ${name}, written by embed_icon.cmake when the game is built.\n"
     "#include \"sfml/game_icon.h\"\n\n"
     "const unsigned char GameIconPng[] = {\n    ${bytes}\n};\n"
     "const std::size_t GameIconPngSize = ${size};\n")
file(COPY_FILE ${OUT}.new ${OUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUT}.new)
