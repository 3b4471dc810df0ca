# Writes the stub's bytes as a C++ array the library links in.
file(READ "${STUB}" hex HEX)
string(LENGTH "${hex}" len)
math(EXPR size "${len} / 2")
string(REGEX REPLACE "(..)" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "((0x..,){16})" "\\1\n" bytes "${bytes}")
file(WRITE "${OUT}" "// Generated from the self-extracting stub; do not edit.\n"
  "#include \"unlha32/sfx_stub.h\"\n"
  "namespace unlha {\n"
  "extern const unsigned char kSfxStub[] = {\n${bytes}\n};\n"
  "extern const size_t kSfxStubSize = ${size};\n"
  "}  // namespace unlha\n")
