// Looks payload files up by installed name where a constant is needed (a
// stand-in's fixed size, say): naming a file that is not in the payload
// stops the build instead of yielding a null pointer.
#pragma once

#include <string_view>

#include "install/payload_manifest.h"

namespace zrv::tools {

constexpr const PayloadPiece& piece_named(std::string_view installed_name) {
  for (const PayloadPiece& piece : PayloadManifest)
    if (piece.installed_name == installed_name) return piece;
  throw "not a file of the payload";
}

}  // namespace zrv::tools
