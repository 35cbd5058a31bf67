// One stand-in sound as a complete RIFF WAVE file, at the size its payload
// piece expands to.
#pragma once

#include <cstdint>
#include <vector>

#include "standins/sounds/sound_catalog.h"

namespace zrv::standins {

std::vector<uint8_t> make_sound_file(const SoundRecipe& recipe);

}  // namespace zrv::standins
